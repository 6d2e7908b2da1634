#ifdef _WIN32
#include <gtest/gtest.h>

#include <windows.h>
#include <ole2.h>

#include <memory>
#include <string>
#include <vector>

#include "outlook/AutomationCalls.h"
#include "outlook/AutomationStarter.h"
#include "outlook/OutlookConnector.h"
#include "outlook/win32/ComPtr.h"
#include "outlook/win32/DispatchObject.h"
#include "outlook/win32/ScopedVariant.h"
#include "sync/SourceType.h"
#include "sync/TextField.h"
#include "testenv/fakeoutlook/FakeOutlook.h"
#include "testenv/outlookserver/DispatchAdapter.h"
#include "tests/support/TempFolder.h"

namespace {

// The application as a client sees it: our adapter, reached through the
// program's own DispatchObject, so every call is a real GetIDsOfNames and
// Invoke.
class AdapterStarter : public AutomationStarter {
public:
    explicit AdapterStarter(std::shared_ptr<FakeOutlook> outlook) : outlook_(std::move(outlook)) {}
    bool lookUpClass(const char*) override { return true; }
    bool createObject() override {
        created_ = ComPtr<IDispatch>(DispatchAdapter::create(outlook_->application()));
        return static_cast<bool>(created_);
    }
    bool runObject() override { return true; }
    AutomationObjectRef queryDispatch() override { return DispatchObject::wrap(created_.get()); }

private:
    std::shared_ptr<FakeOutlook> outlook_;
    ComPtr<IDispatch> created_;
};

class DispatchAdapterFixture : public ::testing::Test {
protected:
    DispatchAdapterFixture() : program_(folder_.path()) {}
    ~DispatchAdapterFixture() override {
        EXPECT_EQ(0, DispatchAdapter::liveCount()) << "every adapter handed out was released";
        EXPECT_EQ(0, outlook->liveObjects());
    }

    ComPtr<IDispatch> application() { return ComPtr<IDispatch>(DispatchAdapter::create(outlook->application())); }

    static DISPID member(IDispatch* dispatch, const wchar_t* name) {
        std::wstring copy = name;
        LPOLESTR names[1] = {&copy[0]};
        DISPID number = DISPID_UNKNOWN;
        EXPECT_EQ(S_OK, dispatch->GetIDsOfNames(IID_NULL, names, 1, 0x0400, &number));
        return number;
    }

    // Invoke with the arguments in IDispatch order (last first).
    static HRESULT call(IDispatch* dispatch, const wchar_t* name, WORD flags, std::vector<VARIANT> arguments,
                        VARIANT* result, std::vector<DISPID> named = {}, EXCEPINFO* exception = nullptr,
                        UINT* argumentError = nullptr) {
        DISPPARAMS parameters = {};
        parameters.rgvarg = arguments.empty() ? nullptr : arguments.data();
        parameters.cArgs = static_cast<UINT>(arguments.size());
        parameters.rgdispidNamedArgs = named.empty() ? nullptr : named.data();
        parameters.cNamedArgs = static_cast<UINT>(named.size());
        return dispatch->Invoke(member(dispatch, name), IID_NULL, 0x0800, flags, &parameters, result, exception,
                                argumentError);
    }

    static VARIANT integer(LONG value) {
        VARIANT variant;
        VariantInit(&variant);
        variant.vt = VT_I4;
        variant.lVal = value;
        return variant;
    }

    ComPtr<IDispatch> contactsItems() {
        ComPtr<IDispatch> app = application();
        ScopedVariant space, folder, items;
        VARIANT mapi;
        VariantInit(&mapi);
        mapi.vt = VT_BSTR;
        mapi.bstrVal = SysAllocString(L"MAPI");
        EXPECT_EQ(S_OK, call(app.get(), L"GetNameSpace", DISPATCH_METHOD, {mapi}, space.get()));
        VariantClear(&mapi);
        EXPECT_EQ(VT_DISPATCH, space.value().vt);
        EXPECT_EQ(S_OK,
                  call(space.value().pdispVal, L"GetDefaultFolder", DISPATCH_METHOD, {integer(10)}, folder.get()));
        EXPECT_EQ(S_OK, call(folder.value().pdispVal, L"Items", DISPATCH_PROPERTYGET, {}, items.get()));
        return ComPtr<IDispatch>::borrow(items.value().pdispVal);
    }

    std::shared_ptr<FakeOutlook> outlook = FakeOutlook::create();
    TempFolder folder_;
    ScopedProgramFolder program_;
};

}  // namespace

TEST_F(DispatchAdapterFixture, TheConnectorWorksOverRealIDispatchCalls) {
    FakeContact& seeded = outlook->addContact();
    seeded.setText("FirstName", u"Ann");
    seeded.setText("HomeTelephoneNumber", u"555-0100");
    seeded.setDate("Birthday", 36345.0);
    {
        ScopedAutomationStarterFactory starters(
            [this] { return std::unique_ptr<AutomationStarter>(new AdapterStarter(outlook)); });
        OutlookConnector connector;
        ASSERT_TRUE(connector.outlookAvailable());
        ASSERT_TRUE(connector.load());
        ASSERT_EQ(1, connector.contacts()->count());
        EXPECT_STREQ("Ann", connector.contacts()->at(0)->firstName);
        EXPECT_STREQ("555-0100", connector.contacts()->at(0)->homePhone);
        EXPECT_EQ(36345.0, connector.contacts()->at(0)->birthday);

        ContactRecord added;
        copyText(added.firstName, "Bo");
        copyText(added.note, "two\r\nlines");
        added.sourceType = SourceTypePalm;
        EXPECT_TRUE(connector.addContact(&added));
    }
    ASSERT_EQ(2u, outlook->contactCount());
    EXPECT_EQ(u"Bo", outlook->contact(1)->text("FirstName"));
    EXPECT_EQ(u"two\r\nlines", outlook->contact(1)->text("Body"));
    EXPECT_EQ(1, outlook->contact(1)->saveCount());
}

TEST_F(DispatchAdapterFixture, NamesGetOneNumberWhateverTheirCase) {
    ComPtr<IDispatch> app = application();
    EXPECT_EQ(member(app.get(), L"FirstName"), member(app.get(), L"FIRSTNAME"));
    EXPECT_NE(member(app.get(), L"FirstName"), member(app.get(), L"LastName"));
    ComPtr<IDispatch> other = application();
    EXPECT_EQ(member(app.get(), L"Save"), member(other.get(), L"Save")) << "numbers are shared, as a type library's";

    std::wstring first = L"Add", second = L"Type";
    LPOLESTR names[2] = {&first[0], &second[0]};
    DISPID numbers[2] = {0, 0};
    EXPECT_EQ(DISP_E_UNKNOWNNAME, app->GetIDsOfNames(IID_NULL, names, 2, 0, numbers)) << "no named arguments";
    EXPECT_EQ(member(app.get(), L"Add"), numbers[0]);
    EXPECT_EQ(DISPID_UNKNOWN, numbers[1]);
    EXPECT_EQ(DISP_E_UNKNOWNINTERFACE, app->GetIDsOfNames(IID_IDispatch, names, 1, 0, numbers));

    UINT count = 5;
    EXPECT_EQ(S_OK, app->GetTypeInfoCount(&count));
    EXPECT_EQ(0u, count);
    ComPtr<IClassFactory> factory;
    EXPECT_EQ(E_NOINTERFACE, app->QueryInterface(IID_IClassFactory, factory.receiveVoid()));
}

TEST_F(DispatchAdapterFixture, PutsNeedTheirNamedArgumentAndOtherCallsTakeNone) {
    ComPtr<IDispatch> items = contactsItems();
    ScopedVariant item;
    ASSERT_EQ(S_OK, call(items.get(), L"Add", DISPATCH_METHOD, {integer(2)}, item.get()));
    IDispatch* contact = item.value().pdispVal;

    VARIANT text;
    VariantInit(&text);
    text.vt = VT_BSTR;
    text.bstrVal = SysAllocString(L"Cy");
    EXPECT_EQ(DISP_E_PARAMNOTOPTIONAL, call(contact, L"FirstName", DISPATCH_PROPERTYPUT, {text}, nullptr));
    EXPECT_EQ(DISP_E_NONAMEDARGS, call(contact, L"FirstName", DISPATCH_PROPERTYPUT, {text}, nullptr, {7}));
    EXPECT_EQ(S_OK, call(contact, L"FirstName", DISPATCH_PROPERTYPUT, {text}, nullptr, {DISPID_PROPERTYPUT}));
    EXPECT_EQ(u"Cy", outlook->contact(0)->text("FirstName"));
    EXPECT_EQ(DISP_E_NONAMEDARGS,
              call(contact, L"FirstName", DISPATCH_PROPERTYGET, {text}, nullptr, {DISPID_PROPERTYPUT}));
    VariantClear(&text);

    // A client that does not say whether it means a method or a property.
    ScopedVariant name;
    EXPECT_EQ(S_OK, call(contact, L"FirstName", DISPATCH_METHOD | DISPATCH_PROPERTYGET, {}, name.get()));
    ASSERT_EQ(VT_BSTR, name.value().vt);
    EXPECT_STREQ(L"Cy", name.value().bstrVal);

    // A name the item lacks fails at Invoke, with the model's status.
    EXPECT_EQ(DISP_E_UNKNOWNNAME, call(contact, L"NoSuchProperty", DISPATCH_PROPERTYGET, {}, nullptr));
    DISPPARAMS none = {};
    EXPECT_EQ(DISP_E_MEMBERNOTFOUND,
              contact->Invoke(4242, IID_NULL, 0, DISPATCH_METHOD, &none, nullptr, nullptr, nullptr));
}

TEST_F(DispatchAdapterFixture, ArgumentsByReferenceOrLeftOutAreTakenAndOthersRefused) {
    ComPtr<IDispatch> items = contactsItems();
    // "Add" with its optional type left out.
    VARIANT missing;
    VariantInit(&missing);
    missing.vt = VT_ERROR;
    missing.scode = DISP_E_PARAMNOTFOUND;
    ScopedVariant added;
    EXPECT_EQ(S_OK, call(items.get(), L"Add", DISPATCH_METHOD, {missing}, added.get()));
    EXPECT_EQ(1u, outlook->contactCount());

    LONG position = 1;
    VARIANT byReference;
    VariantInit(&byReference);
    byReference.vt = VT_I4 | VT_BYREF;
    byReference.plVal = &position;
    ScopedVariant item;
    EXPECT_EQ(S_OK, call(items.get(), L"Item", DISPATCH_METHOD, {byReference}, item.get()));
    EXPECT_EQ(VT_DISPATCH, item.value().vt);

    VARIANT real;
    VariantInit(&real);
    real.vt = VT_R8;
    real.dblVal = 1.0;
    UINT argumentError = 99;
    EXPECT_EQ(DISP_E_TYPEMISMATCH,
              call(items.get(), L"Item", DISPATCH_METHOD, {real}, nullptr, {}, nullptr, &argumentError));
    EXPECT_EQ(0u, argumentError);
}

TEST_F(DispatchAdapterFixture, ExceptionsFromTheModelComeWithTheirDescription) {
    ComPtr<IDispatch> app = application();
    VARIANT other;
    VariantInit(&other);
    other.vt = VT_BSTR;
    other.bstrVal = SysAllocString(L"NotMAPI");
    EXCEPINFO exception = {};
    ScopedVariant result;
    EXPECT_EQ(DISP_E_EXCEPTION,
              call(app.get(), L"GetNameSpace", DISPATCH_METHOD, {other}, result.get(), {}, &exception));
    VariantClear(&other);
    EXPECT_EQ(E_FAIL, exception.scode);
    ASSERT_NE(nullptr, exception.bstrDescription);
    EXPECT_NE(nullptr, wcsstr(exception.bstrDescription, L"GetNameSpace"));
    EXPECT_EQ(VT_EMPTY, result.value().vt);
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrDescription);
    SysFreeString(exception.bstrHelpFile);
}

TEST_F(DispatchAdapterFixture, AnEmptyEnumerationAnswersNothingAsANullObject) {
    ComPtr<IDispatch> items = contactsItems();
    ScopedVariant first;
    ASSERT_EQ(S_OK, call(items.get(), L"GetFirst", DISPATCH_METHOD, {}, first.get()));
    EXPECT_EQ(VT_DISPATCH, first.value().vt);
    EXPECT_EQ(nullptr, first.value().pdispVal);
}
#endif
