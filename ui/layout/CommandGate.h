#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

// A message that would start something (an operation, a load, a dialog, the
// end of the program), kept to be sent again later.
struct HeldCommand {
    enum class Target { MainFrame, ContentView };
    Target target = Target::MainFrame;
    uint32_t message = 0;
    uintptr_t wParam = 0;
};

// While an operation or a load runs, the message loops of its boxes and the
// wait of a call out of process still deliver messages; what would start
// something else then is held here and handed back, in the order it came,
// once the outermost run has ended, so that it acts on what the window shows
// after it.
class CommandGate {
public:
    // More than this many held at once are a user pressing on at random.
    static constexpr size_t MostHeld = 16;

    bool busy() const { return depth_ > 0; }
    // True when the command may act now; false when it was held (or, past
    // MostHeld, dropped) because a run is on.
    bool admit(const HeldCommand& command);
    void enter() { ++depth_; }
    // Ends one run; the end of the outermost hands back what was held.
    std::vector<HeldCommand> leave();

private:
    int depth_ = 0;
    std::vector<HeldCommand> held_;
};
