#include "platform/FileFaults.h"

namespace {
bool armed = false;
FileFaultPlan current;
}  // namespace

void armFileFaults(const FileFaultPlan& plan) {
    current = plan;
    armed = true;
}

void disarmFileFaults() {
    current = FileFaultPlan();
    armed = false;
}

bool fileFaultsArmed() { return armed; }

uint32_t faultWritableBytes(uint64_t offset, uint32_t count) {
    if (!armed)
        return count;
    uint64_t allowed = count;
    if (current.failWriteAtOffset >= 0) {
        uint64_t failAt = static_cast<uint64_t>(current.failWriteAtOffset);
        if (offset + count > failAt)
            allowed = failAt > offset ? failAt - offset : 0;
    }
    if (current.freeDiskBytes >= 0) {
        uint64_t room = static_cast<uint64_t>(current.freeDiskBytes);
        if (allowed > room)
            allowed = room;
        current.freeDiskBytes -= static_cast<int64_t>(allowed);
    }
    return static_cast<uint32_t>(allowed);
}

bool faultFailsFlush() { return armed && current.failFlush; }

bool faultFailsReplace(const std::string& target) {
    if (!armed || !current.failReplace)
        return false;
    return current.failReplaceOnlyOf.empty() || current.failReplaceOnlyOf == target;
}
