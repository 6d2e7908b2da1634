#include "ui/framework/UxChild.h"
#include "ui/framework/UxFrame.h"

#include "tests/uiframework/UiTestSupport.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <vector>

namespace {

const int DestroySelfCommand = 501;

// What a frame saw, kept outside the frame so it can be read after the
// framework deleted it.
struct FrameProbe {
    HWND handleAtCreate = nullptr;
    bool createAccepted = true;
    UxFrame::CloseAnswer closeAnswer = UxFrame::CloseAnswer::Close;
    std::vector<UINT> messages;
    std::vector<int> commands;
    SIZE lastSize = {};
    POINT lastButtonUp = {};
    std::vector<UINT_PTR> timers;
    int destroys = 0;
    int ncDestroys = 0;
    int deletions = 0;
    // Set in the handler that destroyed its own window, after DestroyWindow.
    bool deletedBeforeHandlerEnded = false;
    bool windowGoneInHandler = false;
    int markerAtDeletion = 0;
    HWND handleAtDeletion = reinterpret_cast<HWND>(1);
};

class ProbeFrame : public UxFrame {
public:
    explicit ProbeFrame(FrameProbe* probe) : probe_(probe) {}
    ~ProbeFrame() override {
        ++probe_->deletions;
        probe_->markerAtDeletion = marker_;
        probe_->handleAtDeletion = handle();
    }

    bool OnCreate() override {
        probe_->handleAtCreate = handle();
        return probe_->createAccepted;
    }
    void OnSize(int width, int height) override { probe_->lastSize = {width, height}; }
    void OnCommand(int id, int, HWND) override {
        probe_->commands.push_back(id);
        if (id == DestroySelfCommand) {
            HWND window = handle();
            const int deletionsBefore = probe_->deletions;
            DestroyWindow(window);
            // The object must still be alive here: write to it and look.
            marker_ = 42;
            probe_->windowGoneInHandler = !IsWindow(window);
            probe_->deletedBeforeHandlerEnded = probe_->deletions != deletionsBefore;
        }
    }
    void OnLButtonUp(POINT at, UINT) override { probe_->lastButtonUp = at; }
    TimerAnswer OnTimer(UINT_PTR id) override {
        probe_->timers.push_back(id);
        KillTimer(handle(), id);
        return TimerAnswer::Answered;
    }
    LRESULT OnNcHitTest(POINT) override { return HTCAPTION; }
    CloseAnswer OnClose() override { return probe_->closeAnswer; }
    void OnDestroy() override { ++probe_->destroys; }
    void OnNcDestroy() override { ++probe_->ncDestroys; }

private:
    FrameProbe* probe_;
    int marker_ = 0;
};

const RECT frameRect = {40, 40, 440, 340};

// Creates a frame the framework then owns; null when creation failed (the
// object is then deleted here, as its caller must).
HWND createFrame(FrameProbe* probe) {
    ensureCommonControls();
    ProbeFrame* frame = new ProbeFrame(probe);
    if (!frame->create(nullptr, WS_OVERLAPPEDWINDOW, &frameRect, "probe")) {
        delete frame;
        return nullptr;
    }
    return frame->handle();
}

}  // namespace

TEST(UxFrame, BindsAtCreateAndDispatchesToItsHandlers) {
    FrameProbe probe;
    HWND window = createFrame(&probe);
    ASSERT_NE(nullptr, window);
    EXPECT_EQ(window, probe.handleAtCreate);
    EXPECT_TRUE(IsWindowVisible(window));
    char className[32] = {};
    GetClassNameA(window, className, sizeof className);
    EXPECT_STREQ("UxFrame_Class", className);

    SendMessageA(window, WM_SIZE, SIZE_RESTORED, MAKELPARAM(123, 45));
    EXPECT_EQ(123, probe.lastSize.cx);
    EXPECT_EQ(45, probe.lastSize.cy);
    SendMessageA(window, WM_COMMAND, MAKEWPARAM(40009, 0), 0);
    ASSERT_EQ(1u, probe.commands.size());
    EXPECT_EQ(40009, probe.commands[0]);
    SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(17, 29));
    EXPECT_EQ(17, probe.lastButtonUp.x);
    EXPECT_EQ(29, probe.lastButtonUp.y);
    // The hit-test handler answers directly.
    EXPECT_EQ(HTCAPTION, SendMessageA(window, WM_NCHITTEST, 0, MAKELPARAM(100, 100)));

    ASSERT_NE(0u, SetTimer(window, 77, 10, nullptr));
    EXPECT_TRUE(pumpUntil([&] { return !probe.timers.empty(); }));
    ASSERT_FALSE(probe.timers.empty());
    EXPECT_EQ(77u, probe.timers[0]);

    DestroyWindow(window);
    pumpMessages();
    EXPECT_EQ(1, probe.destroys);
    EXPECT_EQ(1, probe.ncDestroys);
    EXPECT_EQ(1, probe.deletions);
    EXPECT_EQ(nullptr, probe.handleAtDeletion);
}

TEST(UxFrame, CloseIsRefusedWhileOnCloseKeepsItOpen) {
    FrameProbe probe;
    probe.closeAnswer = UxFrame::CloseAnswer::KeepOpen;
    HWND window = createFrame(&probe);
    ASSERT_NE(nullptr, window);

    SendMessageA(window, WM_CLOSE, 0, 0);
    pumpMessages();
    EXPECT_TRUE(IsWindow(window));
    EXPECT_EQ(0, probe.destroys);
    EXPECT_EQ(0, probe.deletions);

    probe.closeAnswer = UxFrame::CloseAnswer::Close;
    SendMessageA(window, WM_CLOSE, 0, 0);
    pumpMessages();
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(1, probe.destroys);
    EXPECT_EQ(1, probe.deletions);
}

TEST(UxFrame, HandlerThatDestroysItsWindowFinishesOnALiveObject) {
    FrameProbe probe;
    HWND window = createFrame(&probe);
    ASSERT_NE(nullptr, window);

    SendMessageA(window, WM_COMMAND, MAKEWPARAM(DestroySelfCommand, 0), 0);
    EXPECT_TRUE(probe.windowGoneInHandler);
    EXPECT_FALSE(probe.deletedBeforeHandlerEnded);
    EXPECT_EQ(1, probe.destroys);
    // Deleted once the command returned, after the handler's last write.
    EXPECT_EQ(1, probe.deletions);
    EXPECT_EQ(42, probe.markerAtDeletion);

    pumpMessages();
    EXPECT_EQ(1, probe.deletions);
}

TEST(UxFrame, FailedCreationLeavesTheObjectWithItsCaller) {
    FrameProbe probe;
    probe.createAccepted = false;
    ProbeFrame* frame = new ProbeFrame(&probe);
    EXPECT_FALSE(frame->create(nullptr, WS_OVERLAPPEDWINDOW, &frameRect, "refused"));
    pumpMessages();
    EXPECT_EQ(0, probe.deletions);
    EXPECT_EQ(nullptr, frame->handle());
    EXPECT_NE(nullptr, probe.handleAtCreate);
    EXPECT_FALSE(IsWindow(probe.handleAtCreate));

    // The caller may try again; the window then owns the object as usual.
    probe.createAccepted = true;
    ASSERT_TRUE(frame->create(nullptr, WS_OVERLAPPEDWINDOW, &frameRect, "accepted"));
    HWND window = frame->handle();
    SendMessageA(window, WM_SIZE, SIZE_RESTORED, MAKELPARAM(5, 6));
    pumpMessages();
    EXPECT_EQ(0, probe.deletions);
    EXPECT_EQ(5, probe.lastSize.cx);
    EXPECT_EQ(6, probe.lastSize.cy);
    DestroyWindow(window);
    pumpMessages();
    EXPECT_EQ(1, probe.deletions);
}

TEST(UxFrame, NoRectangleGivesTheDefaultPlacement) {
    FrameProbe probe;
    ProbeFrame* frame = new ProbeFrame(&probe);
    ASSERT_TRUE(frame->create(nullptr, WS_OVERLAPPEDWINDOW, nullptr, "default"));
    HWND window = frame->handle();
    RECT placed = {};
    GetWindowRect(window, &placed);
    EXPECT_GT(placed.right - placed.left, 0);
    EXPECT_GT(placed.bottom - placed.top, 0);
    DestroyWindow(window);
    pumpMessages();
    EXPECT_EQ(1, probe.deletions);
}

// ---- child windows

namespace {

struct ChildProbe {
    HWND handleAtCreate = nullptr;
    bool createAccepted = true;
    SIZE lastSize = {};
    std::vector<int> commands;
    POINT lastButtonUp = {};
    int destroys = 0;
    int deletions = 0;
};

class ProbeChild : public UxChild {
public:
    explicit ProbeChild(ChildProbe* probe) : probe_(probe) {}
    ~ProbeChild() override { ++probe_->deletions; }

    bool OnCreate() override {
        probe_->handleAtCreate = handle();
        return probe_->createAccepted;
    }
    void OnSize(int width, int height) override { probe_->lastSize = {width, height}; }
    void OnCommand(int id, int, HWND) override { probe_->commands.push_back(id); }
    void OnLButtonUp(POINT at, UINT) override { probe_->lastButtonUp = at; }
    LRESULT OnNotify(NMHDR&) override { return 1234; }
    void OnDestroy() override { ++probe_->destroys; }

private:
    ChildProbe* probe_;
};

}  // namespace

TEST(UxChild, DispatchesAndIsNeverDeletedByItsWindow) {
    TestHostWindow host;
    ChildProbe probe;
    {
        ProbeChild child(&probe);
        const RECT area = {10, 20, 110, 70};
        ASSERT_TRUE(child.create(host.get(), &area, WS_VISIBLE, 0));
        HWND window = child.handle();
        EXPECT_EQ(window, probe.handleAtCreate);
        EXPECT_EQ(host.get(), GetParent(window));
        EXPECT_NE(0, GetWindowLongA(window, GWL_STYLE) & WS_CHILD);
        RECT client = {};
        GetClientRect(window, &client);
        EXPECT_EQ(100, client.right);
        EXPECT_EQ(50, client.bottom);

        SendMessageA(window, WM_SIZE, SIZE_RESTORED, MAKELPARAM(100, 50));
        EXPECT_EQ(100, probe.lastSize.cx);
        EXPECT_EQ(50, probe.lastSize.cy);
        SendMessageA(window, WM_COMMAND, MAKEWPARAM(2000, BN_CLICKED), 0);
        ASSERT_EQ(1u, probe.commands.size());
        EXPECT_EQ(2000, probe.commands[0]);
        SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(3, 4));
        EXPECT_EQ(3, probe.lastButtonUp.x);
        EXPECT_EQ(4, probe.lastButtonUp.y);
        // The notification's answer goes back directly.
        NMHDR header = {host.get(), 1000, NM_CLICK};
        EXPECT_EQ(1234, SendMessageA(window, WM_NOTIFY, 1000, reinterpret_cast<LPARAM>(&header)));

        DestroyWindow(window);
        pumpMessages();
        EXPECT_EQ(1, probe.destroys);
        EXPECT_EQ(0, probe.deletions);
        EXPECT_EQ(nullptr, child.handle());
    }
    EXPECT_EQ(1, probe.deletions);
}

TEST(UxChild, RefusedCreationAndAWindowThatOutlivesItsObject) {
    TestHostWindow host;
    ChildProbe probe;
    probe.createAccepted = false;
    ProbeChild refused(&probe);
    EXPECT_FALSE(refused.create(host.get(), nullptr, WS_VISIBLE, 0));
    EXPECT_EQ(nullptr, refused.handle());
    EXPECT_EQ(0, probe.deletions);

    probe.createAccepted = true;
    HWND window = nullptr;
    {
        ProbeChild shortLived(&probe);
        ASSERT_TRUE(shortLived.create(host.get(), nullptr, 0, 0));
        window = shortLived.handle();
    }
    ASSERT_TRUE(IsWindow(window));
    // The window is unbound now: its messages reach no handler.
    SendMessageA(window, WM_COMMAND, MAKEWPARAM(2001, 0), 0);
    EXPECT_TRUE(probe.commands.empty());
    DestroyWindow(window);
    EXPECT_EQ(0, probe.destroys);
}
