#include "ui/MainFrame.h"

#include <commdlg.h>
#include <shellapi.h>
#include <shlobj.h>

#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <utility>

#include "config/Settings.h"
#include "platform/FileSystem.h"
#include "platform/ProgramFolder.h"
#include "resources/ResourceIds.h"
#include "session/ContactSession.h"
#include "palm/PalmDesktopInstallation.h"
#include "palmstore/PalmContactStore.h"
#include "operations/SyncReport.h"
#include "operations/UndoJournal.h"
#include "ui/AboutDialog.h"
#include "ui/ButtonBar.h"
#include "ui/ContactView.h"
#include "ui/OptionsDialog.h"
#include "ui/framework/UxGeometry.h"
#include "ui/framework/UxSharedFonts.h"
#include "ui/layout/MainWindowLayout.h"
#include "ui/layout/ProgressBar.h"

namespace {

const char helpFileName[] = "qsohelp.chm";
const char homePageAddress[] = "http://www.quillset.example/";
const char invalidFileMessage[] = "Invalid Palm Desktop Contacts Database file, please try another one.";
const int statusBarId = 1000;
const char exportDoneMessage[] = " contacts were written to ";
const char exportFailedMessage[] = "Quillset could not write the export file, nothing was exported: ";

}  // namespace

MainFrame::MainFrame(PalmUserList users)
    : session_(new ContactSession(std::move(users), getPalmDesktopVersion(), readSwapNameSetting(), settings_)),
      buttonBar_(new ButtonBar), contentView_(new ContactView(*this, *session_)) {}

MainFrame::~MainFrame() {
    // The child windows are gone by now; their objects go with this one.
    contentView_.reset();
    buttonBar_.reset();
    session_.reset();
    if (optionsLoaded_)
        settings_.save();
}

bool MainFrame::OnCreate() {
    applicationIcon_.reset(static_cast<HICON>(
        LoadImageA(uxInstance(), MAKEINTRESOURCEA(IDI_APPLICATION_ICON), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE)));
    SendMessageA(handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(applicationIcon_.get()));
    menu_.reset(LoadMenuA(uxInstance(), MAKEINTRESOURCEA(IDR_MAIN_MENU)));
    SetMenu(handle(), menu_.get());
    updateUndoCommand();
    progressBrush_.reset(CreateSolidBrush(RGB(0, 0, 255)));

    if (statusBar_.create(handle(), statusBarId, 0)) {
        const int wholeWidth = -1;
        statusBar_.setParts(1, &wholeWidth);
    }
    settings_.load();
    optionsLoaded_ = true;
    buttonBar_->create(handle(), nullptr, WS_VISIBLE, 0);
    contentView_->create(handle(), nullptr, WS_VISIBLE | WS_CLIPCHILDREN, 0);
    return true;
}

void MainFrame::OnSize(int width, int height) {
    const MainFrameLayout layout = mainFrameLayout(width, height);
    const RECT status = toRect(layout.statusBar);
    const RECT bar = toRect(layout.buttonBar);
    const RECT content = toRect(layout.contentView);
    statusBar_.moveTo(&status, true);
    buttonBar_->moveTo(&bar, true);
    contentView_->moveTo(&content, true);
}

void MainFrame::OnGetMinMaxInfo(MINMAXINFO& limits) {
    limits.ptMinTrackSize.x = MainFrameMinimumWidth;
    limits.ptMinTrackSize.y = MainFrameMinimumHeight;
}

void MainFrame::OnDestroy() {
    // The menu goes with the window.
    SetMenu(handle(), nullptr);
    PostQuitMessage(0);
}

void MainFrame::OnCommand(int id, int code, HWND control) { runCommand(id); }

namespace {

// Commands that only show something may run inside an operation; the others
// wait for its end.
// The name's own extension decides; a name without one takes the type chosen.
ExportFormat exportFormatFor(const char* path, bool csvChosen) {
    const char* dot = std::strrchr(path, '.');
    const char* folder = std::strrchr(path, '\\');
    if (dot != nullptr && (folder == nullptr || dot > folder)) {
        if (lstrcmpiA(dot, ".csv") == 0)
            return ExportFormat::Csv;
        if (lstrcmpiA(dot, ".vcf") == 0)
            return ExportFormat::VCard;
    }
    return csvChosen ? ExportFormat::Csv : ExportFormat::VCard;
}

bool onlyShows(int commandId) {
    return commandId == ID_HELP_CONTENT || commandId == ID_HELP_WEB || commandId == ID_HELP_SYNC_REPORT ||
           commandId == ID_HELP_ABOUT;
}

}  // namespace

UxFrame::CloseAnswer MainFrame::OnClose() {
    // Closing inside an operation would take its window away under it.
    if (contentView_ && contentView_->handle() != nullptr &&
        !contentView_->admit({HeldCommand::Target::MainFrame, WM_CLOSE, 0}))
        return CloseAnswer::KeepOpen;
    return CloseAnswer::Close;
}

void MainFrame::runCommand(int commandId) {
    const bool gated = !onlyShows(commandId) && contentView_ && contentView_->handle() != nullptr;
    if (gated && !contentView_->admit({HeldCommand::Target::MainFrame, WM_COMMAND, static_cast<WPARAM>(commandId)}))
        return;
    // What arrives while this command's boxes and dialogs are open waits too.
    std::optional<ContactView::RunScope> run;
    if (gated)
        run.emplace(*contentView_);
    switch (commandId) {
    case ID_FILE_EXIT: confirmExit(); break;
    case ID_TOOLS_OPTIONS: showOptions(); break;
    case ID_HELP_CONTENT: openHelpFile(); break;
    case ID_HELP_WEB: openHomePage(); break;
    case ID_HELP_SYNC_REPORT: openSyncReport(); break;
    case ID_HELP_ABOUT: showAbout(); break;
    case ID_SYNC_PALM_TO_OUTLOOK:
    case ID_SYNC_OUTLOOK_TO_PALM:
    case ID_SYNC_ALL:
    case ID_SYNC_UNDO:
        if (contentView_ && contentView_->handle() != nullptr)
            contentView_->startOperation(commandId, false);
        updateUndoCommand();
        break;
    case ID_SYNC_PREVIEW_ALL:
        // With the custom-field mapping, as the big Synchronize All button runs.
        if (contentView_ && contentView_->handle() != nullptr)
            contentView_->startOperation(commandId, true);
        updateUndoCommand();
        break;
    case ID_FILE_REFRESH: refreshContacts(); break;
    case ID_FILE_OPEN: openContactsFile(); break;
    case ID_FILE_EXPORT_PALM: exportContacts(ExportSide::Palm); break;
    case ID_FILE_EXPORT_OUTLOOK: exportContacts(ExportSide::Outlook); break;
    case ID_FILE_EXPORT_BOTH: exportContacts(ExportSide::Both); break;
    default: break;
    }
}

void MainFrame::updateUndoCommand() {
    const UINT state = UndoJournal::available() ? MF_ENABLED : MF_GRAYED;
    EnableMenuItem(menu_.get(), ID_SYNC_UNDO, MF_BYCOMMAND | state);
}

void MainFrame::OnInitMenuPopup(HMENU menu, int index) {
    // The journal may have gone since the last command (a restart elsewhere,
    // a file removed by hand).
    updateUndoCommand();
}

void MainFrame::confirmExit() {
    if (MessageBoxA(handle(), "Do you really want to quit Quillset?", "Confirm", MB_YESNO | MB_ICONQUESTION) == IDYES)
        PostMessageA(handle(), WM_CLOSE, 0, 0);
}

void MainFrame::openHelpFile() {
    const std::string path = programFilePath(helpFileName);
    ShellExecuteA(handle(), "open", path.c_str(), "", "", SW_SHOW);
}

void MainFrame::openSyncReport() {
    const std::string path = programFilePath(SyncReport::fileName);
    if (!isPlainFile(path)) {
        MessageBoxA(handle(), "No synchronization has been reported yet.", "Information", MB_OK | MB_ICONINFORMATION);
        return;
    }
    // A system without a viewer for ".log" files still has Notepad.
    const INT_PTR opened = reinterpret_cast<INT_PTR>(ShellExecuteA(handle(), "open", path.c_str(), "", "", SW_SHOW));
    if (opened <= 32)
        ShellExecuteA(handle(), "open", "notepad.exe", path.c_str(), "", SW_SHOW);
}

void MainFrame::openHomePage() { ShellExecuteA(nullptr, "open", homePageAddress, "", "", SW_SHOW); }

void MainFrame::showAbout() {
    AboutDialog about;
    about.showModal(handle());
}

void MainFrame::showOptions() {
    // A changed list setting refills the lists; Outlook need not be asked again.
    if (runOptionsDialog(handle(), settings_) && contentView_ && contentView_->handle() != nullptr)
        contentView_->loadContacts(false);
}

void MainFrame::openContactsFile() {
    char path[MAX_PATH];
    lstrcpynA(path, session_->openedFile().c_str(), sizeof path);
    OPENFILENAMEA dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = handle();
    dialog.lpstrFilter = "Palm Desktop Contacts Database File(*.dat)\0*.dat\0All Files(*.*)\0*.*\0";
    dialog.lpstrFile = path;
    dialog.nMaxFile = MAX_PATH - 1;
    dialog.lpstrTitle = "Open Palm Desktop Contacts";
    dialog.Flags = OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;
    if (!GetOpenFileNameA(&dialog))
        return;
    path[MAX_PATH - 1] = '\0';
    if (PalmContactStore::detectFormat(path) == PalmFormat::Unreadable) {
        MessageBoxA(handle(), invalidFileMessage, "Error", MB_OK | MB_ICONERROR);
        return;
    }
    session_->openFile(path);
    refreshContacts();
}

void MainFrame::exportContacts(ExportSide side) {
    char path[MAX_PATH] = "contacts.vcf";
    OPENFILENAMEA dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = handle();
    dialog.lpstrFilter = "vCard File(*.vcf)\0*.vcf\0CSV File for Outlook's Import(*.csv)\0*.csv\0";
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = path;
    dialog.nMaxFile = MAX_PATH - 1;
    dialog.lpstrTitle = "Export Contacts";
    // The user's documents, not wherever the program happened to start.
    char documents[MAX_PATH] = "";
    if (SUCCEEDED(SHGetFolderPathA(nullptr, CSIDL_PERSONAL, nullptr, 0, documents)))
        dialog.lpstrInitialDir = documents;
    dialog.lpstrDefExt = "vcf";
    dialog.Flags = OFN_PATHMUSTEXIST | OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY;
    if (!GetSaveFileNameA(&dialog))
        return;
    path[MAX_PATH - 1] = '\0';
    const ExportFormat format = exportFormatFor(path, dialog.nFilterIndex == 2);
    int written = 0;
    if (!session_->exportContacts(side, format, path, &written)) {
        const std::string text = std::string(exportFailedMessage) + path;
        MessageBoxA(handle(), text.c_str(), "Error", MB_OK | MB_ICONERROR);
        return;
    }
    const std::string text = std::to_string(written) + exportDoneMessage + path;
    MessageBoxA(handle(), text.c_str(), "Export", MB_OK | MB_ICONINFORMATION);
}

void MainFrame::refreshContacts() {
    SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_WAIT)));
    if (contentView_ && contentView_->handle() != nullptr)
        contentView_->loadContacts(true);
    SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW)));
}

void MainFrame::setStatusText(const char* text) {
    if (statusBar_.handle() != nullptr)
        statusBar_.setText(0, text != nullptr ? text : "");
}

void MainFrame::showProgress(int percent) {
    RECT part;
    if (!statusBar_.getPartRect(0, &part))
        return;
    const ProgressBarLayout bar = progressBarLayout(makeRect(part.left, part.top, part.right, part.bottom), percent);
    UxWindowDc context(statusBar_.handle());
    UxSelection font(context.get(), boldFont);
    RECT area = toRect(bar.area);
    if (bar.percent <= 0) {
        // The bar was painted over the count line; setting the same text again
        // would not bring it back.
        statusBar_.redraw();
        return;
    }
    FillRect(context.get(), &area, GetSysColorBrush(COLOR_BTNFACE));
    RECT filled = toRect(bar.filled);
    FillRect(context.get(), &filled, progressBrush_.get());
    char label[8];
    std::snprintf(label, sizeof label, "%d%%", bar.percent);
    const int oldMode = SetBkMode(context.get(), TRANSPARENT);
    SetTextColor(context.get(), bar.whiteText ? RGB(255, 255, 255) : RGB(0, 0, 0));
    DrawTextA(context.get(), label, -1, &area, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    SetBkMode(context.get(), oldMode);
}
