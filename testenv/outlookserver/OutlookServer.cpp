// The stand-in Outlook automation server: an in-process COM server whose
// class, registered under "Outlook.Application", makes the application
// object of the in-memory Outlook, persisted to the contacts file.
#include <windows.h>
#include <ole2.h>

#include <atomic>
#include <cstdio>
#include <new>
#include <string>
#include <vector>

#include "testenv/fakeoutlook/StandInOutlook.h"
#include "testenv/outlookserver/DispatchAdapter.h"
#include "testenv/outlookserver/ServerSwitches.h"
#include "testenv/outlookserver/StandInClass.h"

static std::atomic<long> serverLocks{0};

static HRESULT createApplication(REFIID iid, void** out) {
    StandInSettings settings;
    std::string problem;
    if (!readStandInSettings(lookUpStandInSwitch, &settings, &problem)) {
        tellFromStandIn(problem);
        return E_FAIL;
    }
    if (settings.contactsFile.empty()) {
        tellFromStandIn(std::string("no contacts file is set (") + StandInContactsFile.environmentName + " or HKCU\\" +
                        StandInRegistryKey + "\\" + StandInContactsFile.registryValue + "): contacts stay in memory");
    }
    settings.report = tellFromStandIn;
    std::shared_ptr<StandInOutlook> outlook = StandInOutlook::open(settings, &problem);
    if (!outlook) {
        tellFromStandIn(problem);
        return E_FAIL;
    }
    IDispatch* application = DispatchAdapter::create(outlook->application());
    if (!application)
        return E_OUTOFMEMORY;
    HRESULT status = application->QueryInterface(iid, out);
    application->Release();
    return status;
}

class StandInClassFactory final : public IClassFactory {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (!out)
            return E_POINTER;
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IClassFactory)) {
            *out = static_cast<IClassFactory*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    // One factory for the life of the module: its references only keep the
    // module loaded.
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(++serverLocks); }
    ULONG STDMETHODCALLTYPE Release() override { return static_cast<ULONG>(--serverLocks); }

    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** out) override {
        if (!out)
            return E_POINTER;
        *out = nullptr;
        if (outer)
            return CLASS_E_NOAGGREGATION;
        try {
            return createApplication(iid, out);
        } catch (const std::bad_alloc&) {
            return E_OUTOFMEMORY;
        } catch (...) {
            return E_UNEXPECTED;
        }
    }

    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override {
        if (lock) {
            ++serverLocks;
        } else {
            --serverLocks;
        }
        return S_OK;
    }
};

static StandInClassFactory classFactory;

extern "C" HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID classId, REFIID iid, void** out) {
    if (!out)
        return E_POINTER;
    *out = nullptr;
    if (!IsEqualCLSID(classId, CLSID_StandInOutlook))
        return CLASS_E_CLASSNOTAVAILABLE;
    return classFactory.QueryInterface(iid, out);
}

extern "C" HRESULT STDAPICALLTYPE DllCanUnloadNow() {
    return serverLocks.load() == 0 && DispatchAdapter::liveCount() == 0 ? S_OK : S_FALSE;
}
