#include <windows.h>
#include <ole2.h>

#include "outlook/AutomationStarter.h"
#include "outlook/win32/ComPtr.h"
#include "outlook/win32/DispatchObject.h"
#include "outlook/win32/VariantConversion.h"
#include "platform/TextCodec.h"

// The real start: the registry's class for the program identifier, an
// instance of it (in-process or local server), run, and asked for IDispatch.
class ComAutomationStarter : public AutomationStarter {
public:
    bool lookUpClass(const char* programId) override {
        foundClass_ = false;
        if (!programId)
            return false;
        std::wstring wideId = toWideString(ansiToUtf16(programId));
        foundClass_ = SUCCEEDED(CLSIDFromProgID(wideId.c_str(), &classId_));
        return foundClass_;
    }

    bool createObject() override {
        if (!foundClass_)
            return false;
        HRESULT status = CoCreateInstance(classId_, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER, IID_IUnknown,
                                          created_.receiveVoid());
        if (FAILED(status))
            created_.reset();
        return static_cast<bool>(created_);
    }

    bool runObject() override {
        if (!created_)
            return false;
        running_ = SUCCEEDED(OleRun(created_.get()));
        return running_;
    }

    AutomationObjectRef queryDispatch() override {
        if (!created_ || !running_)
            return nullptr;
        ComPtr<IDispatch> dispatch;
        if (FAILED(created_->QueryInterface(IID_IDispatch, dispatch.receiveVoid())))
            return nullptr;
        return DispatchObject::wrap(dispatch.get());
    }

private:
    CLSID classId_ = {};
    bool foundClass_ = false;
    bool running_ = false;
    ComPtr<IUnknown> created_;
};

std::unique_ptr<AutomationStarter> createPlatformAutomationStarter() {
    return std::unique_ptr<AutomationStarter>(new ComAutomationStarter());
}
