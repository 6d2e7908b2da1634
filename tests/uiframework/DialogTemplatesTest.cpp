// The dialog templates of the built program, read from quillset.exe beside
// this test: the controls the dialog classes address are there, of the kind
// they expect, the radio buttons fall into the right groups, and nothing sits
// under the header band.
#include "resources/ResourceIds.h"

#include "tests/uiframework/UiTestSupport.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

const int headerBandHeight = 65;

HMODULE programResources() {
    static HMODULE module = [] {
        char path[MAX_PATH] = {};
        const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
        if (length == 0 || length >= MAX_PATH)
            return HMODULE(nullptr);
        char* slash = std::strrchr(path, '\\');
        if (slash == nullptr || static_cast<size_t>(slash + 1 - path) + sizeof "quillset.exe" > sizeof path)
            return HMODULE(nullptr);
        std::strcpy(slash + 1, "quillset.exe");
        return LoadLibraryExA(path, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    }();
    return module;
}

INT_PTR CALLBACK plainDialogProcedure(HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_INITDIALOG ? TRUE : FALSE;
}

// One template made into a hidden modeless dialog, destroyed with the object.
class TemplateDialog {
public:
    explicit TemplateDialog(int templateId) {
        ensureCommonControls();
        window_ =
            CreateDialogParamA(programResources(), MAKEINTRESOURCEA(templateId), nullptr, plainDialogProcedure, 0);
    }
    ~TemplateDialog() {
        if (window_ != nullptr)
            DestroyWindow(window_);
        pumpMessages();
    }
    TemplateDialog(const TemplateDialog&) = delete;
    TemplateDialog& operator=(const TemplateDialog&) = delete;

    HWND get() const { return window_; }
    HWND item(int id) const { return GetDlgItem(window_, id); }
    std::string title() const {
        char text[128] = {};
        GetWindowTextA(window_, text, sizeof text);
        return text;
    }
    std::string className(int id) const {
        char name[64] = {};
        GetClassNameA(item(id), name, sizeof name);
        return name;
    }
    LONG style(int id) const { return GetWindowLongA(item(id), GWL_STYLE); }
    // The dialog manager may turn a template's border into a client edge.
    bool bordered(int id) const {
        return (style(id) & WS_BORDER) != 0 || (GetWindowLongA(item(id), GWL_EXSTYLE) & WS_EX_CLIENTEDGE) != 0;
    }
    bool checked(int id) const { return SendMessageA(item(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
    void click(int id) const { SendMessageA(item(id), BM_CLICK, 0, 0); }

private:
    HWND window_ = nullptr;
};

class DialogTemplates : public ::testing::Test {
protected:
    void SetUp() override {
        if (programResources() == nullptr)
            GTEST_SKIP() << "quillset.exe is not built beside this test";
    }
};

struct TemplateShape {
    int id;
    const char* title;
    int width;
    int height;
};

const TemplateShape shapes[] = {
    {IDD_OPTIONS, "Set Quillset Options ...", 291, 298},
    {IDD_CHOOSE_ACTION, "Choose Sync Action", 269, 250},
    {IDD_OPTIONS_NINE, "Set Quillset Options...", 294, 295},
    {IDD_CONTACT_DETAIL, "Contacts  Detail", 278, 234},
};

bool isOwnerDrawButton(const TemplateDialog& dialog, int id) {
    return dialog.className(id) == "Button" && (dialog.style(id) & BS_TYPEMASK) == BS_OWNERDRAW;
}

bool isButtonOfType(const TemplateDialog& dialog, int id, LONG type) {
    return dialog.className(id) == "Button" && (dialog.style(id) & BS_TYPEMASK) == type;
}

// Drop-down lists keep their entries in insertion order: the entry position
// is the stored index.
bool isUnsortedDropDownList(const TemplateDialog& dialog, int id) {
    const LONG style = dialog.style(id);
    return dialog.className(id) == "ComboBox" && (style & 3) == CBS_DROPDOWNLIST && (style & CBS_SORT) == 0;
}

}  // namespace

TEST_F(DialogTemplates, TitlesAndSizes) {
    for (const TemplateShape& shape : shapes) {
        TemplateDialog dialog(shape.id);
        ASSERT_NE(nullptr, dialog.get()) << shape.id;
        EXPECT_EQ(shape.title, dialog.title()) << shape.id;
        RECT expected = {0, 0, shape.width, shape.height};
        MapDialogRect(dialog.get(), &expected);
        RECT client;
        GetClientRect(dialog.get(), &client);
        EXPECT_EQ(expected.right, client.right) << shape.id;
        EXPECT_EQ(expected.bottom, client.bottom) << shape.id;
        const LONG style = GetWindowLongA(dialog.get(), GWL_STYLE);
        EXPECT_EQ(LONG(WS_CAPTION | WS_SYSMENU), style & (WS_CAPTION | WS_SYSMENU)) << shape.id;
    }
}

TEST_F(DialogTemplates, NothingUnderTheHeaderBand) {
    for (const TemplateShape& shape : shapes) {
        TemplateDialog dialog(shape.id);
        ASSERT_NE(nullptr, dialog.get()) << shape.id;
        for (HWND child = GetWindow(dialog.get(), GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
            RECT area;
            GetWindowRect(child, &area);
            MapWindowPoints(nullptr, dialog.get(), reinterpret_cast<POINT*>(&area), 2);
            EXPECT_GE(area.top, headerBandHeight) << shape.id << " control " << GetDlgCtrlID(child);
        }
    }
}

TEST_F(DialogTemplates, ChooseSyncActionControls) {
    TemplateDialog dialog(IDD_CHOOSE_ACTION);
    ASSERT_NE(nullptr, dialog.get());
    EXPECT_TRUE(isOwnerDrawButton(dialog, IDOK));
    EXPECT_EQ(nullptr, dialog.item(IDCANCEL));
    for (int id : {IDC_CHOOSE_PALM_LIST, IDC_CHOOSE_OUTLOOK_LIST}) {
        EXPECT_EQ("SysListView32", dialog.className(id)) << id;
        const LONG wanted = LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | WS_TABSTOP;
        EXPECT_EQ(wanted, dialog.style(id) & wanted) << id;
        EXPECT_TRUE(dialog.bordered(id)) << id;
    }
    EXPECT_TRUE(isButtonOfType(dialog, IDC_SYNC_PALM_WINS, BS_AUTORADIOBUTTON));
    EXPECT_TRUE(isButtonOfType(dialog, IDC_SYNC_OUTLOOK_WINS, BS_AUTORADIOBUTTON));
    EXPECT_TRUE(isButtonOfType(dialog, IDC_APPLY_TO_ALL, BS_AUTOCHECKBOX));

    dialog.click(IDC_APPLY_TO_ALL);
    dialog.click(IDC_SYNC_PALM_WINS);
    dialog.click(IDC_SYNC_OUTLOOK_WINS);
    EXPECT_FALSE(dialog.checked(IDC_SYNC_PALM_WINS));
    EXPECT_TRUE(dialog.checked(IDC_SYNC_OUTLOOK_WINS));
    EXPECT_TRUE(dialog.checked(IDC_APPLY_TO_ALL));
}

TEST_F(DialogTemplates, OptionsControlsOfBothVariants) {
    const std::vector<int> firstFour = {IDC_CUSTOM_MAP_1, IDC_CUSTOM_MAP_2, IDC_CUSTOM_MAP_3, IDC_CUSTOM_MAP_4};
    const std::vector<int> lastFive = {IDC_CUSTOM_MAP_5, IDC_CUSTOM_MAP_6, IDC_CUSTOM_MAP_7, IDC_CUSTOM_MAP_8,
                                       IDC_CUSTOM_MAP_9};
    const std::vector<int> addressButtons = {IDC_ADDRESS_MAILING, IDC_ADDRESS_BUSINESS, IDC_ADDRESS_HOME,
                                             IDC_ADDRESS_OTHER};
    for (int templateId : {IDD_OPTIONS, IDD_OPTIONS_NINE}) {
        const bool nine = templateId == IDD_OPTIONS_NINE;
        TemplateDialog dialog(templateId);
        ASSERT_NE(nullptr, dialog.get()) << templateId;
        EXPECT_TRUE(isOwnerDrawButton(dialog, IDOK)) << templateId;
        EXPECT_TRUE(isOwnerDrawButton(dialog, IDCANCEL)) << templateId;
        for (int id : firstFour)
            EXPECT_TRUE(isUnsortedDropDownList(dialog, id)) << templateId << " " << id;
        for (int id : lastFive) {
            if (nine)
                EXPECT_TRUE(isUnsortedDropDownList(dialog, id)) << templateId << " " << id;
            else
                EXPECT_EQ(nullptr, dialog.item(id)) << templateId << " " << id;
        }
        for (int id : addressButtons) {
            if (nine)
                EXPECT_EQ(nullptr, dialog.item(id)) << templateId << " " << id;
            else
                EXPECT_TRUE(isButtonOfType(dialog, id, BS_AUTORADIOBUTTON)) << templateId << " " << id;
        }
        for (int id : {IDC_SYNC_ASK_USER, IDC_SYNC_PALM_WINS, IDC_SYNC_OUTLOOK_WINS})
            EXPECT_TRUE(isButtonOfType(dialog, id, BS_AUTORADIOBUTTON)) << templateId << " " << id;
        for (int id : {IDC_SWAP_NAME, IDC_SHOW_DIFF})
            EXPECT_TRUE(isButtonOfType(dialog, id, BS_AUTOCHECKBOX)) << templateId << " " << id;
    }
}

TEST_F(DialogTemplates, OptionsRadioGroupsStayApart) {
    TemplateDialog dialog(IDD_OPTIONS);
    ASSERT_NE(nullptr, dialog.get());
    dialog.click(IDC_ADDRESS_HOME);
    dialog.click(IDC_SYNC_PALM_WINS);
    EXPECT_TRUE(dialog.checked(IDC_ADDRESS_HOME));
    dialog.click(IDC_ADDRESS_MAILING);
    EXPECT_FALSE(dialog.checked(IDC_ADDRESS_HOME));
    EXPECT_TRUE(dialog.checked(IDC_SYNC_PALM_WINS));
    dialog.click(IDC_SYNC_ASK_USER);
    EXPECT_FALSE(dialog.checked(IDC_SYNC_PALM_WINS));
    EXPECT_TRUE(dialog.checked(IDC_ADDRESS_MAILING));
    // The check boxes are no part of either group.
    dialog.click(IDC_SWAP_NAME);
    EXPECT_TRUE(dialog.checked(IDC_SYNC_ASK_USER));
    EXPECT_TRUE(dialog.checked(IDC_SWAP_NAME));
}

TEST_F(DialogTemplates, ContactDetailControls) {
    TemplateDialog dialog(IDD_CONTACT_DETAIL);
    ASSERT_NE(nullptr, dialog.get());
    EXPECT_TRUE(isOwnerDrawButton(dialog, IDOK));
    for (int id : {IDC_DETAIL_FIRST_NAME, IDC_DETAIL_LAST_NAME, IDC_DETAIL_COMPANY, IDC_DETAIL_TITLE,
                   IDC_DETAIL_WORK_PHONE, IDC_DETAIL_EMAIL, IDC_DETAIL_HOME_PHONE, IDC_DETAIL_MOBILE}) {
        EXPECT_EQ("Edit", dialog.className(id)) << id;
        EXPECT_TRUE(dialog.bordered(id)) << id;
        EXPECT_EQ(0, dialog.style(id) & ES_READONLY) << id;
    }
    EXPECT_TRUE(isUnsortedDropDownList(dialog, IDC_DETAIL_ADDRESS_CHOICE));
    for (int id : {IDC_DETAIL_STREET, IDC_DETAIL_CITY, IDC_DETAIL_STATE, IDC_DETAIL_POSTAL_CODE, IDC_DETAIL_COUNTRY}) {
        EXPECT_EQ("Edit", dialog.className(id)) << id;
        EXPECT_FALSE(dialog.bordered(id)) << id;
        EXPECT_EQ(LONG(ES_READONLY), dialog.style(id) & ES_READONLY) << id;
    }
    EXPECT_EQ(LONG(ES_MULTILINE), dialog.style(IDC_DETAIL_STREET) & ES_MULTILINE);
}
