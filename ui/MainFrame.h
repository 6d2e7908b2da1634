#pragma once
#include <memory>

#include "config/Settings.h"
#include "palm/PalmUserList.h"
#include "session/ContactSession.h"
#include "ui/framework/UxFrame.h"
#include "ui/framework/UxHandles.h"
#include "ui/framework/UxStatusBar.h"

class ButtonBar;
class ContactView;

// The main window: the button bar across the top, the content view with
// both lists, and the status bar. It owns the session the view shows.
// Deleted with its window; its destruction saves the options.
class MainFrame : public UxFrame {
public:
    // users: Palm Desktop's, as start-up read them.
    explicit MainFrame(PalmUserList users);
    ~MainFrame() override;

    bool OnCreate() override;
    void OnCommand(int id, int code, HWND control) override;
    void OnSize(int width, int height) override;
    void OnGetMinMaxInfo(MINMAXINFO& limits) override;
    void OnDestroy() override;
    void OnInitMenuPopup(HMENU menu, int index) override;
    CloseAnswer OnClose() override;

    // Runs one menu command, as the menu, the accelerators and the button
    // bar give it.
    void runCommand(int commandId);
    void setStatusText(const char* text);
    // Paints a percentage bar over the status bar at once; 0 clears it.
    void showProgress(int percent);
    void refreshContacts();

private:
    // Undo Last Synchronization is offered only while there is something
    // to undo.
    void updateUndoCommand();
    void confirmExit();
    void openHelpFile();
    void openHomePage();
    // "QuillsetSync.log" beside the program, with the shell.
    void openSyncReport();
    void showAbout();
    void showOptions();
    void openContactsFile();
    // File > Export: the side or sides to a vCard or CSV file the user names.
    void exportContacts(ExportSide side);

    UxIcon applicationIcon_;
    UxStatusBar statusBar_;
    Settings settings_;
    // Made before the views and released after them.
    std::unique_ptr<ContactSession> session_;
    std::unique_ptr<ButtonBar> buttonBar_;
    std::unique_ptr<ContactView> contentView_;
    UxMenu menu_;
    UxBrush progressBrush_;
    // Only options that were loaded are saved: a window that never got as
    // far must not overwrite the user's file with blanks.
    bool optionsLoaded_ = false;
};
