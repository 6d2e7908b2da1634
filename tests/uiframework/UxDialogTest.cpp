#include "ui/framework/UxDialog.h"

#include "tests/uiframework/UiTestSupport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

// A dialog template in memory: no menu, the default class, a title, and one
// push button with id IDOK.
class DialogTemplate {
public:
    DialogTemplate() {
        DLGTEMPLATE header = {};
        header.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
        header.cdit = 1;
        header.cx = 120;
        header.cy = 60;
        append(&header, sizeof header);
        word(0);  // menu
        word(0);  // class
        text(L"Probe");
        align(4);
        DLGITEMTEMPLATE button = {};
        button.style = WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON;
        button.x = 10;
        button.y = 10;
        button.cx = 40;
        button.cy = 14;
        button.id = IDOK;
        append(&button, sizeof button);
        word(0xFFFF);
        word(0x0080);  // the button class
        text(L"OK");
        word(0);  // no creation data
    }
    const DLGTEMPLATE* get() const { return reinterpret_cast<const DLGTEMPLATE*>(bytes_.data()); }

private:
    void append(const void* data, size_t size) {
        const auto* begin = static_cast<const unsigned char*>(data);
        bytes_.insert(bytes_.end(), begin, begin + size);
    }
    void word(WORD value) { append(&value, sizeof value); }
    void text(const wchar_t* value) { append(value, (std::wcslen(value) + 1) * sizeof(wchar_t)); }
    void align(size_t to) {
        while (bytes_.size() % to != 0)
            bytes_.push_back(0);
    }
    // Allocated storage, aligned for the header.
    std::vector<unsigned char> bytes_;
};

class ProbeDialog : public UxDialog {
public:
    InitialFocus OnInitDialog() override {
        handleAtInit = handle();
        char className[32] = {};
        GetClassNameA(handle(), className, sizeof className);
        initClass = className;
        // Ends the dialog once its modal loop runs.
        PostMessageA(handle(), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        return InitialFocus::SetBySystem;
    }
    CommandAnswer OnCommand(int id, int, HWND) override {
        commands.push_back(id);
        if (id == IDOK) {
            EndDialog(handle(), 42);
            return CommandAnswer::Handled;
        }
        return CommandAnswer::NotHandled;
    }
    void OnDestroy() override { ++destroys; }

    HWND handleAtInit = nullptr;
    std::string initClass;
    std::vector<int> commands;
    int destroys = 0;
};

}  // namespace

TEST(UxDialog, RunsFromATemplateAndEndsFromItsCommandHandler) {
    ensureCommonControls();
    DialogTemplate dialogTemplate;
    ProbeDialog dialog;
    const INT_PTR result = DialogBoxIndirectParamA(GetModuleHandleA(nullptr), dialogTemplate.get(), nullptr,
                                                   &UxDialog::procedure, reinterpret_cast<LPARAM>(&dialog));
    EXPECT_EQ(42, result);
    EXPECT_NE(nullptr, dialog.handleAtInit);
    EXPECT_EQ("#32770", dialog.initClass);
    ASSERT_EQ(1u, dialog.commands.size());
    EXPECT_EQ(IDOK, dialog.commands[0]);
    EXPECT_EQ(1, dialog.destroys);
    // The object outlives its dialog, unbound.
    EXPECT_FALSE(IsWindow(dialog.handleAtInit));
    EXPECT_EQ(nullptr, dialog.handle());
}

TEST(UxDialog, MissingTemplateRunsNothing) {
    ProbeDialog dialog;
    EXPECT_EQ(-1, dialog.run(nullptr, 31999));
    EXPECT_EQ(nullptr, dialog.handleAtInit);
    EXPECT_TRUE(dialog.commands.empty());
}
