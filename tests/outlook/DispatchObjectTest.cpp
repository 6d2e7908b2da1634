#ifdef _WIN32
#include <gtest/gtest.h>

#include <windows.h>
#include <ole2.h>

#include <string>
#include <vector>

#include "outlook/AutomationCalls.h"
#include "outlook/AutomationStarter.h"
#include "outlook/win32/DispatchObject.h"
#include "outlook/win32/VariantConversion.h"

namespace {

// Counts the task allocator's allocations and frees, which BSTRs use once the
// string cache is off.
class AllocationSpy : public IMallocSpy {
public:
    long allocations = 0;
    long frees = 0;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (iid == IID_IUnknown || iid == IID_IMallocSpy) {
            *out = static_cast<IMallocSpy*>(this);
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    SIZE_T STDMETHODCALLTYPE PreAlloc(SIZE_T size) override { return size; }
    void* STDMETHODCALLTYPE PostAlloc(void* block) override {
        if (block)
            ++allocations;
        return block;
    }
    void* STDMETHODCALLTYPE PreFree(void* block, BOOL spied) override {
        if (block && spied)
            ++frees;
        return block;
    }
    void STDMETHODCALLTYPE PostFree(BOOL) override {}
    SIZE_T STDMETHODCALLTYPE PreRealloc(void* block, SIZE_T size, void** newBlock, BOOL) override {
        *newBlock = block;
        return size;
    }
    void* STDMETHODCALLTYPE PostRealloc(void* block, BOOL) override { return block; }
    void* STDMETHODCALLTYPE PreGetSize(void* block, BOOL) override { return block; }
    SIZE_T STDMETHODCALLTYPE PostGetSize(SIZE_T size, BOOL) override { return size; }
    void* STDMETHODCALLTYPE PreDidAlloc(void* block, BOOL) override { return block; }
    int STDMETHODCALLTYPE PostDidAlloc(void*, BOOL, int answer) override { return answer; }
    void STDMETHODCALLTYPE PreHeapMinimize() override {}
    void STDMETHODCALLTYPE PostHeapMinimize() override {}
};

void turnOffStringCache() {
    using SetOaNoCacheFunction = void(WINAPI*)();
    auto setNoCache = reinterpret_cast<SetOaNoCacheFunction>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("oleaut32.dll"), "SetOaNoCache")));
    if (setNoCache)
        setNoCache();
}

// What one Invoke received.
struct ReceivedCall {
    DISPID member = DISPID_UNKNOWN;
    bool nullInterface = false;
    LCID locale = 0;
    WORD flags = 0;
    std::vector<DISPID> namedArguments;
    // In the order IDispatch holds them (last argument first).
    std::vector<VARTYPE> argumentTypes;
    std::vector<std::wstring> argumentTexts;
    std::vector<LONG> argumentNumbers;
    std::vector<IDispatch*> argumentObjects;
    bool hadResult = false;
    bool hadExceptionInfo = false;
    bool hadArgumentError = false;
};

enum TestMember : DISPID { MemberName = 1, MemberCombine, MemberChild, MemberAnswer, MemberFail };

// A minimal object with a hand-written IDispatch: it records what it is
// given and answers "Answer" with whatever VARIANT the test put in `answer`.
class RecordingDispatch : public IDispatch {
public:
    LONG references = 1;
    LCID lookupLocale = 0;
    bool lookupNullInterface = false;
    UINT lookupNameCount = 0;
    int lookups = 0;
    int invokeCount = 0;
    ReceivedCall last;
    std::wstring name = L"initial";
    VARIANT answer;
    RecordingDispatch* child = nullptr;

    RecordingDispatch() { VariantInit(&answer); }
    ~RecordingDispatch() { VariantClear(&answer); }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (iid == IID_IUnknown || iid == IID_IDispatch) {
            *out = static_cast<IDispatch*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
    ULONG STDMETHODCALLTYPE Release() override { return --references; }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }

    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                            DISPID* ids) override {
        ++lookups;
        lookupNullInterface = IsEqualIID(iid, IID_NULL);
        lookupNameCount = count;
        lookupLocale = locale;
        static const wchar_t* const members[] = {L"Name", L"Combine", L"Child", L"Answer", L"Fail"};
        for (DISPID id = 0; id < 5; ++id) {
            if (lstrcmpiW(names[0], members[id]) == 0) {
                ids[0] = id + 1;
                return S_OK;
            }
        }
        ids[0] = DISPID_UNKNOWN;
        return DISP_E_UNKNOWNNAME;
    }

    HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID iid, LCID locale, WORD flags, DISPPARAMS* parameters,
                                     VARIANT* result, EXCEPINFO* exceptionInfo, UINT* argumentError) override {
        ++invokeCount;
        record(member, iid, locale, flags, parameters, result, exceptionInfo, argumentError);
        switch (member) {
        case MemberName:
            if (flags == DISPATCH_PROPERTYPUT) {
                if (parameters->cArgs != 1 || parameters->rgvarg[0].vt != VT_BSTR)
                    return DISP_E_TYPEMISMATCH;
                name = parameters->rgvarg[0].bstrVal;
                return S_OK;
            }
            result->vt = VT_BSTR;
            result->bstrVal = SysAllocString(name.c_str());
            return S_OK;
        case MemberCombine: return S_OK;
        case MemberChild:
            result->vt = VT_DISPATCH;
            result->pdispVal = child;
            if (child)
                child->AddRef();
            return S_OK;
        case MemberAnswer: return VariantCopy(result, &answer);
        default: return DISP_E_EXCEPTION;
        }
    }

private:
    void record(DISPID member, REFIID iid, LCID locale, WORD flags, DISPPARAMS* parameters, VARIANT* result,
                EXCEPINFO* exceptionInfo, UINT* argumentError) {
        last = ReceivedCall();
        last.member = member;
        last.nullInterface = IsEqualIID(iid, IID_NULL);
        last.locale = locale;
        last.flags = flags;
        last.hadResult = result != nullptr;
        last.hadExceptionInfo = exceptionInfo != nullptr;
        last.hadArgumentError = argumentError != nullptr;
        for (UINT index = 0; index < parameters->cNamedArgs; ++index) {
            last.namedArguments.push_back(parameters->rgdispidNamedArgs[index]);
        }
        for (UINT index = 0; index < parameters->cArgs; ++index) {
            const VARIANT& argument = parameters->rgvarg[index];
            last.argumentTypes.push_back(argument.vt);
            last.argumentTexts.push_back(argument.vt == VT_BSTR
                                             ? std::wstring(argument.bstrVal, SysStringLen(argument.bstrVal))
                                             : std::wstring());
            last.argumentNumbers.push_back(argument.vt == VT_I4 ? argument.lVal : 0);
            last.argumentObjects.push_back(argument.vt == VT_DISPATCH ? argument.pdispVal : nullptr);
        }
    }
};

class ComApartment {
public:
    ComApartment() { CoInitialize(nullptr); }
    ~ComApartment() { CoUninitialize(); }
};

class DispatchAdapter : public ::testing::Test {
protected:
    AutomationValue call(const char* name, AutomationCallKind kind, std::vector<AutomationValue> arguments = {},
                         int32_t* status = nullptr) {
        AutomationValue result;
        int32_t answered = invokeByName(wrapped.get(), name, kind, arguments, &result);
        if (status)
            *status = answered;
        return result;
    }
    AutomationValue answerWith(const VARIANT& variant) {
        VariantClear(&object.answer);
        VariantCopy(&object.answer, const_cast<VARIANT*>(&variant));
        return call("Answer", AutomationCallKind::Method);
    }

    ComApartment apartment;
    RecordingDispatch object;
    AutomationObjectRef wrapped = DispatchObject::wrap(&object);
};

TEST_F(DispatchAdapter, LooksUpOneNameThenInvokesWithTheFixedLocales) {
    AutomationValue name = call("Name", AutomationCallKind::PropertyGet);
    EXPECT_TRUE(object.lookupNullInterface);
    EXPECT_EQ(1u, object.lookupNameCount);
    EXPECT_EQ(0x0400u, object.lookupLocale);
    EXPECT_EQ(MemberName, object.last.member);
    EXPECT_TRUE(object.last.nullInterface);
    EXPECT_EQ(0x0800u, object.last.locale);
    EXPECT_EQ(DISPATCH_PROPERTYGET, object.last.flags);
    EXPECT_TRUE(object.last.namedArguments.empty());
    EXPECT_TRUE(object.last.hadResult);
    EXPECT_FALSE(object.last.hadExceptionInfo);
    EXPECT_FALSE(object.last.hadArgumentError);
    EXPECT_EQ(AutomationValue::fromText(u"initial"), name);
}

TEST_F(DispatchAdapter, PropertyPutCarriesTheNamedPutArgument) {
    int32_t status = -1;
    call("Name", AutomationCallKind::PropertyPut, {AutomationValue::fromText(u"Caf\u00E9")}, &status);
    EXPECT_EQ(S_OK, status);
    EXPECT_EQ(DISPATCH_PROPERTYPUT, object.last.flags);
    EXPECT_EQ(std::vector<DISPID>{DISPID_PROPERTYPUT}, object.last.namedArguments);
    EXPECT_EQ(L"Caf\u00E9", object.name);
}

TEST_F(DispatchAdapter, ArgumentsReachTheObjectLastFirst) {
    call("Combine", AutomationCallKind::Method,
         {AutomationValue::fromText(u"first"), AutomationValue::fromInt(2), AutomationValue::fromDate(3.5)});
    EXPECT_EQ(DISPATCH_METHOD, object.last.flags);
    EXPECT_TRUE(object.last.namedArguments.empty());
    ASSERT_EQ(3u, object.last.argumentTypes.size());
    EXPECT_EQ(VT_DATE, object.last.argumentTypes[0]);
    EXPECT_EQ(VT_I4, object.last.argumentTypes[1]);
    EXPECT_EQ(2, object.last.argumentNumbers[1]);
    EXPECT_EQ(VT_BSTR, object.last.argumentTypes[2]);
    EXPECT_EQ(L"first", object.last.argumentTexts[2]);
}

TEST_F(DispatchAdapter, UnknownNameFailsBeforeAnyInvoke) {
    int32_t status = 0;
    call("Missing", AutomationCallKind::PropertyGet, {}, &status);
    EXPECT_EQ(AutomationStatus::UnknownName, status);
    EXPECT_EQ(0, object.invokeCount);
}

TEST_F(DispatchAdapter, FailureStatusComesBackWithAnEmptyResult) {
    int32_t status = 0;
    AutomationValue result = call("Fail", AutomationCallKind::Method, {}, &status);
    EXPECT_EQ(AutomationStatus::Exception, status);
    EXPECT_TRUE(result.isEmpty());
}

TEST_F(DispatchAdapter, StringsAreFreedByWhoeverOwnsThem) {
    turnOffStringCache();
    AllocationSpy spy;
    ASSERT_EQ(S_OK, CoRegisterMallocSpy(&spy));
    {
        // An argument string the adapter makes and frees, a result string
        // the object makes and the adapter frees.
        call("Name", AutomationCallKind::PropertyPut, {AutomationValue::fromText(u"Ann")});
        AutomationValue name = call("Name", AutomationCallKind::PropertyGet);
        EXPECT_EQ(u"Ann", name.text());
    }
    CoRevokeMallocSpy();
    EXPECT_GE(spy.allocations, 2);
    EXPECT_EQ(spy.allocations, spy.frees);
}

TEST_F(DispatchAdapter, MemberNumbersAreAskedOncePerKindAndName) {
    RecordingDispatch child;
    object.child = &child;
    AutomationValue first = call("Child", AutomationCallKind::PropertyGet);
    AutomationValue second = call("Child", AutomationCallKind::PropertyGet);
    ASSERT_TRUE(first.isObject() && second.isObject());
    AutomationValue ignored;
    // Of no known kind: asked before every call.
    invokeByName(first.object().get(), "Name", AutomationCallKind::PropertyGet, {}, &ignored);
    invokeByName(first.object().get(), "Name", AutomationCallKind::PropertyGet, {}, &ignored);
    EXPECT_EQ(2, child.lookups);

    first.object()->setMemberKind("ContactItem");
    second.object()->setMemberKind("ContactItem");
    invokeByName(first.object().get(), "Name", AutomationCallKind::PropertyGet, {}, &ignored);
    invokeByName(second.object().get(), "Name", AutomationCallKind::PropertyGet, {}, &ignored);
    invokeByName(second.object().get(), "Name", AutomationCallKind::PropertyPut, {AutomationValue::fromText(u"x")},
                 nullptr);
    EXPECT_EQ(3, child.lookups) << "one lookup for the kind, shared by both objects";
    EXPECT_EQ(MemberName, child.last.member);

    // A name the object does not know is asked again, never cached as a number.
    invokeByName(second.object().get(), "Missing", AutomationCallKind::PropertyGet, {}, &ignored);
    EXPECT_EQ(AutomationStatus::UnknownName,
              invokeByName(second.object().get(), "Missing", AutomationCallKind::PropertyGet, {}, &ignored));
    EXPECT_EQ(5, child.lookups);
}

TEST_F(DispatchAdapter, ReferencesAreBalanced) {
    EXPECT_EQ(2, object.references) << "the adapter holds one reference";
    RecordingDispatch child;
    object.child = &child;
    {
        AutomationValue result = call("Child", AutomationCallKind::PropertyGet);
        ASSERT_TRUE(result.isObject());
        ASSERT_NE(nullptr, result.object());
        EXPECT_EQ(2, child.references);
        // The child answers through its own adapter.
        AutomationValue childName;
        EXPECT_EQ(S_OK, invokeByName(result.object().get(), "Name", AutomationCallKind::PropertyGet, {}, &childName));
        EXPECT_EQ(u"initial", childName.text());

        // Handed back as an argument, it reaches the object as the same
        // IDispatch, and the argument's reference is given back afterwards.
        call("Combine", AutomationCallKind::Method, {result});
        ASSERT_EQ(1u, object.last.argumentObjects.size());
        EXPECT_EQ(static_cast<IDispatch*>(&child), object.last.argumentObjects[0]);
        EXPECT_EQ(2, child.references);
    }
    EXPECT_EQ(1, child.references);
    wrapped.reset();
    EXPECT_EQ(1, object.references);
}

TEST_F(DispatchAdapter, ObjectsThatAreNotDispatchAdaptersCannotBeArguments) {
    class Portable : public AutomationObject {
    public:
        int32_t invoke(const char*, AutomationCallKind, const std::vector<AutomationValue>&,
                       AutomationValue*) override {
            return AutomationStatus::Ok;
        }
    };
    int32_t status = 0;
    call("Combine", AutomationCallKind::Method,
         {AutomationValue::fromText(u"a"), AutomationValue::fromObject(std::make_shared<Portable>())}, &status);
    EXPECT_EQ(AutomationStatus::TypeMismatch, status);
    EXPECT_EQ(0, object.invokeCount);
}

TEST_F(DispatchAdapter, ResultVariantsConvertToValues) {
    VARIANT variant;
    VariantInit(&variant);
    variant.vt = VT_I2;
    variant.iVal = -7;
    EXPECT_EQ(AutomationValue::fromInt(-7), answerWith(variant));
    variant.vt = VT_UI4;
    variant.ulVal = 0x80000000u;
    EXPECT_TRUE(answerWith(variant).isEmpty()) << "too large for a 32-bit integer";
    variant.vt = VT_DATE;
    variant.date = 36345.5;
    EXPECT_EQ(AutomationValue::fromDate(36345.5), answerWith(variant));
    variant.vt = VT_R8;
    variant.dblVal = 1.5;
    EXPECT_TRUE(answerWith(variant).isEmpty());
    variant.vt = VT_NULL;
    EXPECT_TRUE(answerWith(variant).isEmpty());
    variant.vt = VT_BSTR;
    variant.bstrVal = nullptr;
    EXPECT_EQ(AutomationValue::fromText(u""), answerWith(variant));
    variant.vt = VT_DISPATCH;
    variant.pdispVal = nullptr;
    AutomationValue nothing = answerWith(variant);
    EXPECT_TRUE(nothing.isObject());
    EXPECT_EQ(nullptr, nothing.object());
}

// GetArray's block: (column, row), the column varying fastest in the data.
TEST_F(DispatchAdapter, TwoDimensionalArraysComeThroughByColumnAndRow) {
    auto block = std::make_shared<AutomationArray>(3, 2);
    block->set(0, 0, AutomationValue::fromText(u"id-1"));
    block->set(1, 0, AutomationValue::fromDate(45000.25));
    block->set(0, 1, AutomationValue::fromText(u"id-2"));
    block->set(2, 1, AutomationValue::fromInt(7));
    VARIANT variant;
    VariantInit(&variant);
    ASSERT_EQ(S_OK, automationValueToVariant(AutomationValue::fromArray(block), &variant));
    ASSERT_EQ(VT_ARRAY | VT_VARIANT, variant.vt);
    LONG upper = 0;
    SafeArrayGetUBound(variant.parray, 1, &upper);
    EXPECT_EQ(2, upper) << "the first dimension is the column";
    VARIANT* cells = nullptr;
    ASSERT_EQ(S_OK, SafeArrayAccessData(variant.parray, reinterpret_cast<void**>(&cells)));
    EXPECT_EQ(VT_DATE, cells[1].vt);
    EXPECT_EQ(VT_BSTR, cells[3].vt);
    SafeArrayUnaccessData(variant.parray);

    AutomationValue back = answerWith(variant);
    VariantClear(&variant);
    ASSERT_TRUE(back.isArray());
    EXPECT_EQ(*block, *back.array());
    EXPECT_TRUE(back.array()->at(1, 1).isEmpty());
    EXPECT_TRUE(back.array()->at(3, 0).isEmpty()) << "out of range";

    SAFEARRAYBOUND oneDimension = {4, 0};
    variant.vt = VT_ARRAY | VT_VARIANT;
    variant.parray = SafeArrayCreate(VT_VARIANT, 1, &oneDimension);
    EXPECT_TRUE(answerWith(variant).isEmpty()) << "only two dimensions are a block";
    VariantClear(&variant);
}

TEST(ComAutomationStart, UnregisteredProgramFailsAtTheClassLookup) {
    ComApartment apartment;
    std::unique_ptr<AutomationStarter> starter = createAutomationStarter();
    EXPECT_FALSE(starter->lookUpClass("Quillset.NoSuchProgram"));
    EXPECT_FALSE(starter->createObject());
    EXPECT_FALSE(starter->runObject());
    EXPECT_EQ(nullptr, starter->queryDispatch());
}

TEST(ComAutomationStart, StartsARegisteredServerAndTalksToIt) {
    ComApartment apartment;
    std::unique_ptr<AutomationStarter> starter = createAutomationStarter();
    if (!starter->lookUpClass("Scripting.Dictionary"))
        GTEST_SKIP() << "no scripting runtime registered here";
    ASSERT_TRUE(starter->createObject());
    ASSERT_TRUE(starter->runObject());
    AutomationObjectRef dictionary = starter->queryDispatch();
    ASSERT_NE(nullptr, dictionary);

    EXPECT_EQ(S_OK, invokeByName(dictionary.get(), "Add", AutomationCallKind::Method,
                                 {AutomationValue::fromText(u"key"), AutomationValue::fromText(u"value")}, nullptr));
    int32_t count = 0;
    EXPECT_TRUE(getIntProperty(dictionary.get(), "Count", &count));
    EXPECT_EQ(1, count);
    AutomationValue item;
    EXPECT_EQ(S_OK, invokeByName(dictionary.get(), "Item", AutomationCallKind::PropertyGet,
                                 {AutomationValue::fromText(u"key")}, &item));
    EXPECT_EQ(u"value", item.text());
    EXPECT_EQ(S_OK, invokeByName(dictionary.get(), "Item", AutomationCallKind::PropertyPut,
                                 {AutomationValue::fromText(u"key"), AutomationValue::fromText(u"changed")}, nullptr));
    EXPECT_EQ(S_OK, invokeByName(dictionary.get(), "Item", AutomationCallKind::PropertyGet,
                                 {AutomationValue::fromText(u"key")}, &item));
    EXPECT_EQ(u"changed", item.text());
}

}  // namespace
#endif
