#include "ui/layout/CommandGate.h"

bool CommandGate::admit(const HeldCommand& command) {
    if (!busy())
        return true;
    if (held_.size() < MostHeld)
        held_.push_back(command);
    return false;
}

std::vector<HeldCommand> CommandGate::leave() {
    if (depth_ > 0)
        --depth_;
    std::vector<HeldCommand> released;
    if (depth_ == 0)
        released.swap(held_);
    return released;
}
