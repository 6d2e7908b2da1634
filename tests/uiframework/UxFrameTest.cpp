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
    LRESULT createResult = 0;
    LRESULT closeResult = 1;
    std::vector<UINT> messages;
    std::vector<WORD> commands;
    LPARAM lastSize = 0;
    LPARAM lastButtonUp = 0;
    std::vector<WPARAM> timers;
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

    LRESULT OnCreate(WPARAM, LPARAM) override {
        probe_->handleAtCreate = handle();
        return probe_->createResult;
    }
    LRESULT OnSize(WPARAM, LPARAM lParam) override {
        probe_->lastSize = lParam;
        return 0;
    }
    LRESULT OnCommand(WPARAM wParam, LPARAM) override {
        probe_->commands.push_back(LOWORD(wParam));
        if (LOWORD(wParam) == DestroySelfCommand) {
            HWND window = handle();
            const int deletionsBefore = probe_->deletions;
            DestroyWindow(window);
            // The object must still be alive here: write to it and look.
            marker_ = 42;
            probe_->windowGoneInHandler = !IsWindow(window);
            probe_->deletedBeforeHandlerEnded = probe_->deletions != deletionsBefore;
        }
        return 0;
    }
    LRESULT OnLButtonUp(WPARAM, LPARAM lParam) override {
        probe_->lastButtonUp = lParam;
        return 0;
    }
    LRESULT OnTimer(WPARAM wParam, LPARAM) override {
        probe_->timers.push_back(wParam);
        KillTimer(handle(), wParam);
        return 0;
    }
    LRESULT OnNcHitTest(WPARAM, LPARAM) override { return HTCAPTION; }
    LRESULT OnClose(WPARAM, LPARAM) override { return probe_->closeResult; }
    LRESULT OnDestroy(WPARAM, LPARAM) override {
        ++probe_->destroys;
        return 0;
    }
    LRESULT OnNcDestroy(WPARAM, LPARAM) override {
        ++probe_->ncDestroys;
        return 0;
    }

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
    EXPECT_EQ(MAKELPARAM(123, 45), probe.lastSize);
    SendMessageA(window, WM_COMMAND, MAKEWPARAM(40009, 0), 0);
    ASSERT_EQ(1u, probe.commands.size());
    EXPECT_EQ(40009, probe.commands[0]);
    SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(17, 29));
    EXPECT_EQ(MAKELPARAM(17, 29), probe.lastButtonUp);
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

TEST(UxFrame, CloseIsRefusedWhileOnCloseAnswersZero) {
    FrameProbe probe;
    probe.closeResult = 0;
    HWND window = createFrame(&probe);
    ASSERT_NE(nullptr, window);

    SendMessageA(window, WM_CLOSE, 0, 0);
    pumpMessages();
    EXPECT_TRUE(IsWindow(window));
    EXPECT_EQ(0, probe.destroys);
    EXPECT_EQ(0, probe.deletions);

    probe.closeResult = 1;
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
    probe.createResult = -1;
    ProbeFrame* frame = new ProbeFrame(&probe);
    EXPECT_FALSE(frame->create(nullptr, WS_OVERLAPPEDWINDOW, &frameRect, "refused"));
    pumpMessages();
    EXPECT_EQ(0, probe.deletions);
    EXPECT_EQ(nullptr, frame->handle());
    EXPECT_NE(nullptr, probe.handleAtCreate);
    EXPECT_FALSE(IsWindow(probe.handleAtCreate));

    // The caller may try again; the window then owns the object as usual.
    probe.createResult = 0;
    ASSERT_TRUE(frame->create(nullptr, WS_OVERLAPPEDWINDOW, &frameRect, "accepted"));
    HWND window = frame->handle();
    SendMessageA(window, WM_SIZE, SIZE_RESTORED, MAKELPARAM(5, 6));
    pumpMessages();
    EXPECT_EQ(0, probe.deletions);
    EXPECT_EQ(MAKELPARAM(5, 6), probe.lastSize);
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
    LRESULT createResult = 0;
    LPARAM lastSize = 0;
    std::vector<WORD> commands;
    LPARAM lastButtonUp = 0;
    int destroys = 0;
    int deletions = 0;
};

class ProbeChild : public UxChild {
public:
    explicit ProbeChild(ChildProbe* probe) : probe_(probe) {}
    ~ProbeChild() override { ++probe_->deletions; }

    LRESULT OnCreate(WPARAM, LPARAM) override {
        probe_->handleAtCreate = handle();
        return probe_->createResult;
    }
    LRESULT OnSize(WPARAM, LPARAM lParam) override {
        probe_->lastSize = lParam;
        return 0;
    }
    LRESULT OnCommand(WPARAM wParam, LPARAM) override {
        probe_->commands.push_back(LOWORD(wParam));
        return 0;
    }
    LRESULT OnLButtonUp(WPARAM, LPARAM lParam) override {
        probe_->lastButtonUp = lParam;
        return 0;
    }
    LRESULT OnNotify(WPARAM, LPARAM) override { return 1234; }
    LRESULT OnDestroy(WPARAM, LPARAM) override {
        ++probe_->destroys;
        return 0;
    }

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
        EXPECT_EQ(MAKELPARAM(100, 50), probe.lastSize);
        SendMessageA(window, WM_COMMAND, MAKEWPARAM(2000, BN_CLICKED), 0);
        ASSERT_EQ(1u, probe.commands.size());
        EXPECT_EQ(2000, probe.commands[0]);
        SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(3, 4));
        EXPECT_EQ(MAKELPARAM(3, 4), probe.lastButtonUp);
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
    probe.createResult = -1;
    ProbeChild refused(&probe);
    EXPECT_FALSE(refused.create(host.get(), nullptr, WS_VISIBLE, 0));
    EXPECT_EQ(nullptr, refused.handle());
    EXPECT_EQ(0, probe.deletions);

    probe.createResult = 0;
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
