#pragma once
#include <cstdint>
#include <string>

// Failures the tests inject beneath every file the program writes, so that a
// torn write, a failed flush, a failed replace and a full disk can be tried at
// every point without a faulty disk. Nothing is armed in the program itself.
struct FileFaultPlan {
    // A write that reaches this byte offset of its file writes the bytes before
    // it and fails; -1 for none.
    int64_t failWriteAtOffset = -1;
    // Bytes all writes together may still put on the disk; a write beyond them
    // writes what fits and fails as a full disk does; -1 for no limit.
    int64_t freeDiskBytes = -1;
    bool failFlush = false;
    bool failReplace = false;
    // When set, only a replace of this target fails.
    std::string failReplaceOnlyOf;
};

void armFileFaults(const FileFaultPlan& plan);
void disarmFileFaults();

// Arms a plan for the lifetime of the object.
class ScopedFileFaults {
public:
    explicit ScopedFileFaults(const FileFaultPlan& plan) { armFileFaults(plan); }
    ~ScopedFileFaults() { disarmFileFaults(); }
    ScopedFileFaults(const ScopedFileFaults&) = delete;
    ScopedFileFaults& operator=(const ScopedFileFaults&) = delete;
};

// For the platform implementations.
bool fileFaultsArmed();
// How many of count bytes written at offset may reach the file; fewer than
// count means the write fails after them.
uint32_t faultWritableBytes(uint64_t offset, uint32_t count);
bool faultFailsFlush();
bool faultFailsReplace(const std::string& target);
