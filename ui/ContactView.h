#pragma once
#include "ui/framework/UxChild.h"
#include "ui/framework/UxHandles.h"
#include "ui/framework/UxListView.h"
#include "ui/framework/UxToolTip.h"
#include "ui/layout/CommandGate.h"

class ContactSession;
class MainFrame;

// The middle of the main window: the Palm Desktop list on the left, the
// Outlook list on the right, the three big buttons above them, the user
// combo and the list buttons below. A view over the frame's session.
class ContactView : public UxChild {
public:
    ContactView(MainFrame& frame, ContactSession& session);
    ~ContactView() override;

    bool OnCreate() override;
    void OnMouseMove(POINT at, UINT keys) override;
    void OnLButtonDown(POINT at, UINT keys) override;
    void OnLButtonUp(POINT at, UINT keys) override;
    void OnPaint(HDC context) override;
    void OnSize(int width, int height) override;
    void OnCommand(int id, int code, HWND control) override;
    LRESULT OnNotify(NMHDR& header) override;

    // Reloads the Palm side (the opened file, else the selected user's) and,
    // when asked, Outlook; then compares, refills both lists and the counts.
    void loadContacts(bool reloadOutlook);
    void updateCounts();
    // A synchronization command, from the menu or (with the mapping block
    // attached) from a big button.
    void startOperation(int commandId, bool withMappingBlock);
    // The Palm store alone reloaded: the opened file, else the selected user's.
    // Its list is emptied first; the caller fills it again.
    void reloadPalmStore();
    // False while an operation or a load runs: the command is held and sent
    // again after it.
    bool admit(const HeldCommand& command) { return gate_.admit(command); }
    // One operation, load or command with boxes of its own: what arrives
    // meanwhile is held, and sent again at its end.
    class RunScope {
    public:
        explicit RunScope(ContactView& view);
        ~RunScope();
        RunScope(const RunScope&) = delete;
        RunScope& operator=(const RunScope&) = delete;

    private:
        ContactView& view_;
    };

    UxListView& palmList() { return palmList_; }
    UxListView& outlookList() { return outlookList_; }
    MainFrame& frame() { return frame_; }
    ContactSession& session() { return session_; }

private:
    class StoreReload;

    void createControls();
    void fillUserCombo();
    void onUserSelected();
    void firstLoad();
    void placeLists(int splitter);
    void hoverHeader(int x, int y);
    void paintHeaderAndFooter(HDC context, int width, int height);
    int clientWidth() const;
    int clientHeight() const;

    UxListView palmList_;
    UxListView outlookList_;
    UxToolTip toolTip_;
    HCURSOR arrowCursor_ = nullptr;
    HCURSOR sizeCursor_ = nullptr;
    UxCursor handCursor_;
    UxFont labelFont_;
    UxIcon bigButtonIcons_[3];
    HWND userCombo_ = nullptr;
    int splitter_ = 0;
    int hoveredButton_ = -1;
    // The big button the tooltip's tool covers now (-1: none).
    int toolButton_ = -1;
    bool overSplitter_ = false;
    bool dragging_ = false;

    MainFrame& frame_;
    ContactSession& session_;
    CommandGate gate_;
};
