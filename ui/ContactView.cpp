#include "ui/ContactView.h"

#include <commctrl.h>

#include "resources/ResourceIds.h"
#include "session/ContactSession.h"
#include "ui/ContactDetailDialog.h"
#include "ui/ContactLists.h"
#include "ui/ContactSyncView.h"
#include "ui/MainFrame.h"
#include "ui/SplashWindow.h"
#include "ui/framework/UxGeometry.h"
#include "ui/framework/UxSharedFonts.h"
#include "ui/layout/ContactListModel.h"
#include "ui/layout/ContactReload.h"
#include "ui/layout/MainWindowLayout.h"

namespace {

const int palmListId = 1000;
const int outlookListId = 1001;
const int palmSelectAllId = 2000;
const int palmClearId = 2001;
const int outlookSelectAllId = 2010;
const int outlookClearId = 2011;
const int userComboId = 2020;
// A big button's press held during a run comes back as this command plus
// the button's index.
const int heldBigButtonId = 3000;

const char* const bigButtonCaptions[BigButtonCount] = {"Palm Desktop overwrites Outlook", "Synchronize All",
                                                       "Outlook overwrites Palm Desktop"};
const int bigButtonIconIds[BigButtonCount] = {IDI_PALM_TO_OUTLOOK, IDI_SYNCHRONIZE_ALL, IDI_OUTLOOK_TO_PALM};
const int bigButtonCommands[BigButtonCount] = {ID_SYNC_PALM_TO_OUTLOOK, ID_SYNC_ALL, ID_SYNC_OUTLOOK_TO_PALM};

bool syncCommandOf(int commandId, SyncCommand* command) {
    switch (commandId) {
    case ID_SYNC_PALM_TO_OUTLOOK: *command = SyncCommand::PalmToOutlook; return true;
    case ID_SYNC_OUTLOOK_TO_PALM: *command = SyncCommand::OutlookToPalm; return true;
    case ID_SYNC_ALL: *command = SyncCommand::SynchronizeAll; return true;
    case ID_SYNC_PREVIEW_ALL: *command = SyncCommand::PreviewSynchronizeAll; return true;
    case ID_SYNC_UNDO: *command = SyncCommand::UndoLast; return true;
    default: return false;
    }
}

const char outlookMissingMessage[] = "Quillset can not find the Microsoft Outlook software you installed.";
const char outlookReadInPartNote[] = " (Outlook was read only in part: press F5)";

HWND createButton(HWND parent, const char* text, int id, int width) {
    HWND button = CreateWindowExA(0, "BUTTON", text, WS_CHILD | WS_VISIBLE, 0, 0, width, 20, parent,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), uxInstance(), nullptr);
    SendMessageA(button, WM_SETFONT, reinterpret_cast<WPARAM>(normalFont), FALSE);
    return button;
}

void moveControl(HWND parent, int id, const UxRect& rect) {
    MoveWindow(GetDlgItem(parent, id), rect.left, rect.top, rect.width(), rect.height(), TRUE);
}

}  // namespace

ContactView::RunScope::RunScope(ContactView& view) : view_(view) { view_.gate_.enter(); }

ContactView::RunScope::~RunScope() {
    for (const HeldCommand& held : view_.gate_.leave()) {
        HWND target = held.target == HeldCommand::Target::MainFrame ? view_.frame_.handle() : view_.handle();
        PostMessageA(target, held.message, held.wParam, 0);
    }
}

class ContactView::StoreReload : public ContactReloadSteps {
public:
    // The Palm side: the opened file, else the selected user's; or, after a
    // choice in the user combo, that user's whatever file was opened.
    using PalmBook = ContactSession::PalmBook;
    explicit StoreReload(ContactView& view, PalmBook book = PalmBook::AsShown) : view_(view), book_(book) {}
    void emptyRows(ContactSide side) override {
        (side == ContactSide::Palm ? view_.palmList_ : view_.outlookList_).removeAllRows();
    }
    void reloadStore(ContactSide side) override {
        if (side == ContactSide::Outlook)
            view_.session_.reloadOutlook();
        else
            view_.session_.reloadPalm(book_);
    }
    void compareAndFill() override {
        view_.session_.compare();
        fillContactList(view_.palmList_, view_.session_.palm().contacts(), view_.session_.settings().showDiff);
        fillContactList(view_.outlookList_, view_.session_.outlook().contacts(), view_.session_.settings().showDiff);
    }

private:
    ContactView& view_;
    PalmBook book_;
};

ContactView::ContactView(MainFrame& frame, ContactSession& session) : frame_(frame), session_(session) {}

ContactView::~ContactView() = default;

int ContactView::clientWidth() const {
    RECT client;
    GetClientRect(handle(), &client);
    return client.right;
}

int ContactView::clientHeight() const {
    RECT client;
    GetClientRect(handle(), &client);
    return client.bottom;
}

bool ContactView::OnCreate() {
    arrowCursor_ = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    sizeCursor_ = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_SIZEWE));
    handCursor_.reset(static_cast<HCURSOR>(
        LoadImageA(uxInstance(), MAKEINTRESOURCEA(IDC_HAND_CURSOR), IMAGE_CURSOR, 0, 0, LR_DEFAULTSIZE)));
    labelFont_.reset(uxCreateFont("Verdana", -12, FW_BOLD));
    for (int index = 0; index < BigButtonCount; ++index) {
        bigButtonIcons_[index].reset(static_cast<HICON>(
            LoadImageA(uxInstance(), MAKEINTRESOURCEA(bigButtonIconIds[index]), IMAGE_ICON, 32, 32, 0)));
    }
    createControls();
    fillUserCombo();
    firstLoad();
    if (!session_.outlook().outlookAvailable())
        MessageBoxA(handle(), outlookMissingMessage, "Error", MB_OK | MB_ICONINFORMATION);
    return true;
}

void ContactView::createControls() {
    const DWORD listStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_REPORT | LVS_SINGLESEL;
    palmList_.create(handle(), nullptr, palmListId, listStyle, WS_EX_CLIENTEDGE);
    outlookList_.create(handle(), nullptr, outlookListId, listStyle, WS_EX_CLIENTEDGE);
    palmList_.setExtendedListStyle(LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
    outlookList_.setExtendedListStyle(LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
    toolTip_.create(handle());

    createButton(handle(), "Select All", palmSelectAllId, 100);
    createButton(handle(), "Clear", palmClearId, 80);
    createButton(handle(), "Select All", outlookSelectAllId, 100);
    createButton(handle(), "Clear", outlookClearId, 80);

    userCombo_ = CreateWindowExA(0, "COMBOBOX", "", WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, 0, 0, 0, 0, handle(),
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(userComboId)), uxInstance(), nullptr);
    SendMessageA(userCombo_, WM_SETFONT, reinterpret_cast<WPARAM>(normalFont), FALSE);
}

void ContactView::fillUserCombo() {
    SendMessageA(userCombo_, CB_RESETCONTENT, 0, 0);
    const PalmUserList& users = session_.users();
    for (size_t index = 0; index < users.size(); ++index) {
        const LRESULT item = SendMessageA(userCombo_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(users[index].name));
        SendMessageA(userCombo_, CB_SETITEMDATA, item, static_cast<LPARAM>(index));
    }
    const int selected = session_.settleShownUser();
    if (selected >= 0)
        SendMessageA(userCombo_, CB_SETCURSEL, selected, 0);
}

void ContactView::firstLoad() {
    SplashWindow* splash = SplashWindow::show();
    removeAllColumns(palmList_);
    removeAllColumns(outlookList_);
    addContactColumns(palmList_);
    addContactColumns(outlookList_);
    loadContacts(true);
    if (splash != nullptr)
        PostMessageA(splash->handle(), WM_CLOSE, 0, 0);
}

void ContactView::loadContacts(bool reloadOutlook) {
    RunScope run(*this);
    StoreReload steps(*this);
    reloadContacts(steps, reloadOutlook);
    session_.dropMappingBlock();
    updateCounts();
}

void ContactView::updateCounts() {
    std::string line = recordCountLine(palmList_.itemCount(), outlookList_.itemCount());
    if (session_.outlookReadInPart())
        line += outlookReadInPartNote;
    frame_.setStatusText(line.c_str());
    session_.compare();
    InvalidateRect(palmList_.handle(), nullptr, FALSE);
    InvalidateRect(outlookList_.handle(), nullptr, FALSE);
}

void ContactView::startOperation(int commandId, bool withMappingBlock) {
    RunScope run(*this);
    SyncCommand command;
    if (!syncCommandOf(commandId, &command))
        return;
    ContactSyncView view(*this);
    session_.run(command, view, withMappingBlock);
}

void ContactView::reloadPalmStore() {
    StoreReload steps(*this);
    reloadPalmContacts(steps);
}

void ContactView::onUserSelected() {
    const LRESULT item = SendMessageA(userCombo_, CB_GETCURSEL, 0, 0);
    if (item == CB_ERR)
        return;
    const LRESULT index = SendMessageA(userCombo_, CB_GETITEMDATA, item, 0);
    if (index < 0 || !session_.chooseUser(static_cast<size_t>(index)))
        return;
    RunScope run(*this);
    StoreReload steps(*this, StoreReload::PalmBook::ShownUser);
    reloadPalmContacts(steps);
    steps.compareAndFill();
    updateCounts();
}

void ContactView::OnCommand(int id, int code, HWND control) {
    const bool acts = id != userComboId || code == CBN_SELCHANGE;
    // A held command comes back as the same id and code, without its control.
    const WPARAM command = MAKEWPARAM(id, code);
    if (acts && !gate_.admit({HeldCommand::Target::ContentView, WM_COMMAND, command}))
        return;
    if (id >= heldBigButtonId && id < heldBigButtonId + BigButtonCount) {
        startOperation(bigButtonCommands[id - heldBigButtonId], true);
        return;
    }
    switch (id) {
    case palmSelectAllId: setAllChecked(palmList_, true); break;
    case palmClearId: setAllChecked(palmList_, false); break;
    case outlookSelectAllId: setAllChecked(outlookList_, true); break;
    case outlookClearId: setAllChecked(outlookList_, false); break;
    case userComboId:
        if (code == CBN_SELCHANGE)
            onUserSelected();
        break;
    default: break;
    }
}

LRESULT ContactView::OnNotify(NMHDR& header) {
    const bool fromList = header.idFrom == palmListId || header.idFrom == outlookListId;
    // A list's custom draw comes with the header at the start of its record.
    if (fromList && header.code == NM_CUSTOMDRAW)
        return drawContactRow(reinterpret_cast<NMLVCUSTOMDRAW*>(&header));
    if (fromList && header.code == NM_DBLCLK) {
        showSelectedContactDetail(handle(), header.idFrom == palmListId ? palmList_ : outlookList_);
        return 0;
    }
    return UxChild::OnNotify(header);
}

void ContactView::placeLists(int splitter) {
    UxRect palm, outlook;
    placeListsAtSplitter(splitter, clientWidth(), clientHeight(), &palm, &outlook);
    const RECT palmRect = toRect(palm);
    const RECT outlookRect = toRect(outlook);
    palmList_.moveTo(&palmRect, true);
    outlookList_.moveTo(&outlookRect, true);
    splitter_ = splitter;
}

void ContactView::OnSize(int width, int height) {
    const ContactViewLayout layout = contactViewLayout(width, height);
    // The big buttons move with the width; the tool follows at the next hover.
    toolButton_ = -1;
    placeLists(layout.splitter);
    moveControl(handle(), palmSelectAllId, layout.palmSelectAll);
    moveControl(handle(), palmClearId, layout.palmClear);
    moveControl(handle(), outlookSelectAllId, layout.outlookSelectAll);
    moveControl(handle(), outlookClearId, layout.outlookClear);
    moveControl(handle(), userComboId, layout.userCombo);
    InvalidateRect(handle(), nullptr, FALSE);
    UpdateWindow(handle());
}

void ContactView::hoverHeader(int x, int y) {
    hoveredButton_ = bigButtonAt(x, y, clientWidth());
    if (hoveredButton_ < 0) {
        SetCursor(arrowCursor_);
        return;
    }
    SetCursor(handCursor_ ? handCursor_.get() : arrowCursor_);
    // Adding a tool restarts the tooltip's wait, and the tooltip sees each
    // move before this handler: a tool added at every move never shows.
    if (hoveredButton_ == toolButton_)
        return;
    const RECT area = toRect(bigButtonRect(hoveredButton_, clientWidth()));
    if (toolTip_.addTool(handle(), bigButtonCaptions[hoveredButton_], &area))
        toolButton_ = hoveredButton_;
}

void ContactView::OnMouseMove(POINT at, UINT keys) {
    const int x = at.x;
    const int y = at.y;
    const int width = clientWidth();
    const int height = clientHeight();
    if (!inListBand(y, height)) {
        overSplitter_ = false;
        hoverHeader(x, y);
        return;
    }
    overSplitter_ = true;
    hoveredButton_ = -1;
    SetCursor(sizeCursor_);
    if (dragging_ && splitterAllowedAt(x, width)) {
        placeLists(x);
        InvalidateRect(handle(), nullptr, FALSE);
        UpdateWindow(handle());
    }
}

void ContactView::OnLButtonDown(POINT at, UINT keys) {
    dragging_ = true;
    SetCapture(handle());
    SetCursor(overSplitter_ ? sizeCursor_ : arrowCursor_);
}

void ContactView::OnLButtonUp(POINT at, UINT keys) {
    dragging_ = false;
    SetCursor(overSplitter_ ? sizeCursor_ : arrowCursor_);
    ReleaseCapture();
    // A big button acts on release when the last move found the pointer on it.
    if (hoveredButton_ < 0 || hoveredButton_ >= BigButtonCount)
        return;
    if (gate_.admit(
            {HeldCommand::Target::ContentView, WM_COMMAND, static_cast<WPARAM>(heldBigButtonId + hoveredButton_)}))
        startOperation(bigButtonCommands[hoveredButton_], true);
}

void ContactView::paintHeaderAndFooter(HDC context, int width, int height) {
    const ContactViewLayout layout = contactViewLayout(width, height);
    UxSelection font(context, labelFont_.get());
    SetBkMode(context, TRANSPARENT);
    SetTextColor(context, RGB(224, 224, 255));
    RECT palmLabel = toRect(layout.palmLabel);
    DrawTextA(context, "Palm Desktop Contacts:", -1, &palmLabel, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
    RECT outlookLabel = toRect(layout.outlookLabel);
    DrawTextA(context, "Outlook Contacts:", -1, &outlookLabel, DT_SINGLELINE | DT_VCENTER | DT_RIGHT);
    for (int index = 0; index < BigButtonCount; ++index) {
        if (bigButtonIcons_[index])
            DrawIconEx(context, bigButtonLeft(index, width), BigButtonTop, bigButtonIcons_[index].get(), BigButtonSize,
                       BigButtonSize, 0, nullptr, DI_NORMAL);
    }
    RECT userLabel = toRect(layout.userLabel);
    DrawTextA(context, "Current Palm User:", -1, &userLabel, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
}

void ContactView::OnPaint(HDC context) {
    const int width = clientWidth();
    const int height = clientHeight();
    // Composed off screen and copied once, so the bands never flicker.
    UxMemoryDc image(CreateCompatibleDC(context));
    UxBitmap bitmap(CreateCompatibleBitmap(context, width, height));
    if (!image || !bitmap)
        return;
    {
        UxSelection selected(image.get(), bitmap.get());
        RECT all = {0, 0, width, height};
        FillRect(image.get(), &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        paintHeaderAndFooter(image.get(), width, height);
        BitBlt(context, 0, 0, width, height, image.get(), 0, 0, SRCCOPY);
    }
}
