#include "platform/FileRewrite.h"

#include "platform/FileSystem.h"

FileRewrite::~FileRewrite() { removeTemporary(); }

// Short, so a target of the longest path the Palm files allow still fits the
// platform's path limit.
std::string FileRewrite::temporaryPathFor(const std::string& target) { return target + ".~qs"; }

bool FileRewrite::begin(const std::string& target, Target kind, PlatformFile& replacement) {
    removeTemporary();
    replacement.close();
    if (target.empty())
        return false;
    bool exists = isPlainFile(target);
    if (kind == Target::MustExist && !exists)
        return false;
    // Held until the replace, so that a program holding it now fails the
    // rewrite and none can open it while the new content is written.
    if (exists &&
        !heldTarget_.open(target.c_str(), PlatformFile::Access::Read, PlatformFile::Disposition::OpenExisting))
        return false;
    std::string temporary = temporaryPathFor(target);
    if (!replacement.open(temporary.c_str(), PlatformFile::Access::ReadWrite,
                          PlatformFile::Disposition::CreateAlways)) {
        heldTarget_.close();
        return false;
    }
    target_ = target;
    temporaryPath_ = temporary;
    return true;
}

bool FileRewrite::commit(PlatformFile& replacement) {
    if (!pending() || !replacement.isOpen()) {
        abandon(replacement);
        return false;
    }
    bool flushed = replacement.flushToDisk();
    replacement.close();
    heldTarget_.close();
    if (!flushed || !replaceFile(temporaryPath_, target_)) {
        removeTemporary();
        return false;
    }
    temporaryPath_.clear();
    target_.clear();
    return true;
}

void FileRewrite::abandon(PlatformFile& replacement) {
    replacement.close();
    removeTemporary();
}

void FileRewrite::removeTemporary() {
    heldTarget_.close();
    if (!temporaryPath_.empty())
        removeFile(temporaryPath_);
    temporaryPath_.clear();
    target_.clear();
}

bool rewriteWholeFile(const std::string& target, FileRewrite::Target kind, const void* bytes, uint32_t count) {
    FileRewrite rewrite;
    PlatformFile file;
    if (!rewrite.begin(target, kind, file))
        return false;
    if (count > 0 && !file.write(bytes, count)) {
        rewrite.abandon(file);
        return false;
    }
    return rewrite.commit(file);
}
