// The driver as a second client of the running stand-in Outlook (its local
// server): the stand-in's own StandIn... members act in Outlook as its user
// would while the program runs. Each step connects, calls and lets go, so
// the server's life follows the program's.
#include <ole2.h>
#include <oleauto.h>

#include <cstdio>
#include <string>
#include <vector>

#include "testenv/outlookserver/StandInClass.h"
#include "testenv/uidriver/UiDriver.h"

namespace {

const HRESULT CallRejected = static_cast<HRESULT>(0x80010001L);

struct ControlArgument {
    bool isNumber;
    int number;
    std::string text;
};

std::wstring wide(const std::string& text) {
    if (text.empty())
        return std::wstring();
    const int length = MultiByteToWideChar(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring result(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()), &result[0], length);
    return result;
}

std::string hresultText(HRESULT status) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08lX", static_cast<unsigned long>(status));
    return text;
}

class ComApartment {
public:
    ComApartment() : status_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ~ComApartment() {
        if (SUCCEEDED(status_))
            CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
    bool ready() const { return SUCCEEDED(status_); }

private:
    HRESULT status_;
};

class DispatchHolder {
public:
    ~DispatchHolder() {
        if (dispatch_ != nullptr)
            dispatch_->Release();
    }
    DispatchHolder() = default;
    DispatchHolder(const DispatchHolder&) = delete;
    DispatchHolder& operator=(const DispatchHolder&) = delete;
    IDispatch** out() { return &dispatch_; }
    IDispatch* get() const { return dispatch_; }

private:
    IDispatch* dispatch_ = nullptr;
};

// One call of the stand-in's; a call refused while it plays busy is tried
// again until `timeout` has passed.
HRESULT callStandIn(const std::string& member, const std::vector<ControlArgument>& arguments, DWORD timeout,
                    long* answer, std::string* problem) {
    ComApartment apartment;
    if (!apartment.ready()) {
        *problem = "COM could not be started";
        return E_FAIL;
    }
    CLSID classId;
    HRESULT status = CLSIDFromProgID(L"Outlook.Application", &classId);
    if (FAILED(status)) {
        *problem = "no Outlook.Application is registered (" + hresultText(status) + ")";
        return status;
    }
    DispatchHolder application;
    status = CoCreateInstance(classId, nullptr, CLSCTX_LOCAL_SERVER, IID_IDispatch,
                              reinterpret_cast<void**>(application.out()));
    if (FAILED(status)) {
        *problem = "the stand-in Outlook's local server cannot be reached (" + hresultText(status) + ")";
        return status;
    }
    std::vector<VARIANT> variants(arguments.size());
    // IDispatch takes the arguments last to first.
    for (size_t index = 0; index < arguments.size(); ++index) {
        VARIANT& variant = variants[arguments.size() - 1 - index];
        VariantInit(&variant);
        if (arguments[index].isNumber) {
            variant.vt = VT_I4;
            variant.lVal = arguments[index].number;
        } else {
            variant.vt = VT_BSTR;
            variant.bstrVal = SysAllocString(wide(arguments[index].text).c_str());
        }
    }
    DISPPARAMS parameters = {variants.empty() ? nullptr : variants.data(), nullptr, static_cast<UINT>(variants.size()),
                             0};
    std::wstring name = wide(member);
    LPOLESTR names[1] = {&name[0]};
    const DWORD started = GetTickCount();
    VARIANT result;
    VariantInit(&result);
    for (;;) {
        DISPID id = DISPID_UNKNOWN;
        status = application.get()->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
        if (SUCCEEDED(status)) {
            status = application.get()->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &parameters, &result,
                                               nullptr, nullptr);
        }
        if (status != CallRejected || GetTickCount() - started >= timeout)
            break;
        Sleep(100);
    }
    for (VARIANT& variant : variants)
        VariantClear(&variant);
    if (SUCCEEDED(status) && result.vt == VT_I4)
        *answer = result.lVal;
    VariantClear(&result);
    if (FAILED(status))
        *problem = member + " failed with " + hresultText(status);
    return status;
}

std::vector<ControlArgument> textArguments(const UiDriver::Words& words, size_t first) {
    std::vector<ControlArgument> arguments;
    for (size_t index = first; index < words.size(); ++index)
        arguments.push_back({false, 0, words[index]});
    return arguments;
}

}  // namespace

bool UiDriver::actInOutlook(VerbId verb, const Words& words) {
    std::string member;
    std::vector<ControlArgument> arguments;
    switch (verb) {
    case VerbId::OutlookDelete:
        member = "StandInDeleteContact";
        arguments = textArguments(words, 1);
        break;
    case VerbId::OutlookAdd:
        if (words.size() % 2 == 0)
            return fail("outlook-add takes pairs: <property> \"<value>\"");
        member = "StandInAddContact";
        arguments = textArguments(words, 1);
        break;
    case VerbId::OutlookEdit:
        member = "StandInEditContact";
        arguments = textArguments(words, 1);
        break;
    case VerbId::OutlookBusy: {
        int seconds = 0;
        if (!number(words[1], &seconds))
            return false;
        if (seconds < 0)
            return fail("a negative time");
        member = "StandInBusy";
        arguments.push_back({true, seconds, std::string()});
        break;
    }
    case VerbId::OutlookQuit: member = "StandInQuit"; break;
    case VerbId::OutlookDeny:
        member = "StandInDenyReads";
        arguments = textArguments(words, 1);
        break;
    case VerbId::OutlookContacts: member = "StandInContactCount"; break;
    default: return fail("not an Outlook command");
    }
    long answer = -1;
    std::string problem;
    if (FAILED(callStandIn(member, arguments, timeout_, &answer, &problem)))
        return fail(problem);
    if (verb == VerbId::OutlookQuit && !waitForOutlookGone(timeout_))
        return fail("the stand-in Outlook's process did not end");
    if (verb == VerbId::OutlookContacts) {
        int expected = 0;
        if (!number(words[1], &expected))
            return false;
        std::printf("  the stand-in Outlook holds %ld contacts\n", answer);
        if (answer != expected)
            return fail("the stand-in Outlook holds " + std::to_string(answer) + " contacts, not " + words[1]);
    }
    return true;
}

// The server's shared memory goes with its process.
bool UiDriver::waitForOutlookGone(DWORD timeout) {
    for (DWORD waited = 0;; waited += 20) {
        HANDLE activity = OpenFileMappingA(FILE_MAP_READ, FALSE, StandInActivityName);
        if (activity == nullptr)
            return true;
        CloseHandle(activity);
        if (waited >= timeout)
            return false;
        Sleep(20);
    }
}

bool UiDriver::waitForQuietOutlook(DWORD timeout) {
    // Longer than any gap between the calls of one operation.
    const DWORD quiet = 400;
    HANDLE activity = OpenFileMappingA(FILE_MAP_READ, FALSE, StandInActivityName);
    if (activity == nullptr)
        return true;
    const void* view = MapViewOfFile(activity, FILE_MAP_READ, 0, 0, sizeof(DWORD));
    bool calm = true;
    if (view != nullptr) {
        const volatile DWORD* lastCall = static_cast<const volatile DWORD*>(view);
        const DWORD started = GetTickCount();
        while (GetTickCount() - *lastCall < quiet) {
            if (GetTickCount() - started >= timeout) {
                calm = false;
                break;
            }
            Sleep(20);
        }
        UnmapViewOfFile(view);
    }
    CloseHandle(activity);
    return calm;
}
