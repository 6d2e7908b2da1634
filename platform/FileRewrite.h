#pragma once
#include "platform/PlatformFile.h"

#include <string>

// Rewrites a file without ever leaving it torn: the new content goes to a new
// file beside it, reaches the disk, and only then takes the old file's place
// in one step. Until then the old file is held exclusively, so no other
// program opens it half-way, and on any failure it stays byte for byte as it
// was and the new file is removed.
class FileRewrite {
public:
    enum class Target { MustExist, MayBeNew };

    FileRewrite() = default;
    // An uncommitted rewrite is abandoned.
    ~FileRewrite();
    FileRewrite(const FileRewrite&) = delete;
    FileRewrite& operator=(const FileRewrite&) = delete;

    // Holds target and opens the new file into replacement for writing.
    bool begin(const std::string& target, Target kind, PlatformFile& replacement);
    // Flushes replacement to the disk, closes it and puts it in target's
    // place. Either way replacement is closed afterwards and no new file is
    // left behind.
    bool commit(PlatformFile& replacement);
    // Closes replacement and removes it; target stays as it was.
    void abandon(PlatformFile& replacement);
    bool pending() const { return !temporaryPath_.empty(); }

    // Where the new content of target is written.
    static std::string temporaryPathFor(const std::string& target);

private:
    void removeTemporary();

    PlatformFile heldTarget_;
    std::string target_;
    std::string temporaryPath_;
};

// One whole file rewritten safely: false when any step failed, with target
// then as it was.
bool rewriteWholeFile(const std::string& target, FileRewrite::Target kind, const void* bytes, uint32_t count);
