#include "platform/PlatformFile.h"

#include "platform/FileFaults.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#include <utility>

PlatformFile::~PlatformFile() { close(); }

PlatformFile::PlatformFile(PlatformFile&& other) noexcept : descriptor_(std::exchange(other.descriptor_, -1)) {}

PlatformFile& PlatformFile::operator=(PlatformFile&& other) noexcept {
    if (this != &other) {
        close();
        descriptor_ = std::exchange(other.descriptor_, -1);
    }
    return *this;
}

static int openFlags(PlatformFile::Access access) {
    switch (access) {
    case PlatformFile::Access::Read: return O_RDONLY;
    case PlatformFile::Access::Write: return O_WRONLY;
    case PlatformFile::Access::ReadWrite: return O_RDWR;
    }
    return O_RDONLY;
}

bool PlatformFile::open(const char* path, Access access, Disposition disposition) {
    close();
    if (path == nullptr || *path == '\0')
        return false;
    int flags = openFlags(access) | O_CLOEXEC;
    if (disposition == Disposition::CreateAlways)
        flags |= O_CREAT;
    int descriptor = ::open(path, flags, 0644);
    if (descriptor < 0)
        return false;
    // The lock stands in for Windows' no-sharing open; the file is emptied
    // only once it is held, so a file someone else holds is never touched.
    if (flock(descriptor, LOCK_EX | LOCK_NB) != 0 ||
        (disposition == Disposition::CreateAlways && ftruncate(descriptor, 0) != 0)) {
        ::close(descriptor);
        return false;
    }
    descriptor_ = descriptor;
    return true;
}

bool PlatformFile::isOpen() const { return descriptor_ >= 0; }

void PlatformFile::close() {
    if (descriptor_ >= 0) {
        ::close(descriptor_);
        descriptor_ = -1;
    }
}

bool PlatformFile::read(void* destination, uint32_t count, uint32_t* delivered) {
    if (delivered)
        *delivered = 0;
    if (descriptor_ < 0 || destination == nullptr)
        return false;
    uint32_t total = 0;
    auto* bytes = static_cast<unsigned char*>(destination);
    while (total < count) {
        ssize_t got = ::read(descriptor_, bytes + total, count - total);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (got == 0)
            break;
        total += static_cast<uint32_t>(got);
    }
    if (delivered)
        *delivered = total;
    return true;
}

bool PlatformFile::write(const void* source, uint32_t count) {
    if (descriptor_ < 0 || source == nullptr)
        return false;
    if (fileFaultsArmed()) {
        off_t offset = lseek(descriptor_, 0, SEEK_CUR);
        uint32_t writable = faultWritableBytes(offset < 0 ? 0 : static_cast<uint64_t>(offset), count);
        if (writable < count) {
            // The bytes before the fault still land, as on a disk that fills up.
            if (writable > 0 && ::write(descriptor_, source, writable) < 0)
                return false;
            errno = ENOSPC;
            return false;
        }
    }
    uint32_t total = 0;
    const auto* bytes = static_cast<const unsigned char*>(source);
    while (total < count) {
        ssize_t put = ::write(descriptor_, bytes + total, count - total);
        if (put < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (put == 0)
            return false;
        total += static_cast<uint32_t>(put);
    }
    return true;
}

bool PlatformFile::setPosition(uint64_t position) {
    if (descriptor_ < 0)
        return false;
    return lseek(descriptor_, static_cast<off_t>(position), SEEK_SET) != static_cast<off_t>(-1);
}

bool PlatformFile::flushToDisk() {
    if (descriptor_ < 0)
        return false;
    if (faultFailsFlush())
        return false;
    return fsync(descriptor_) == 0;
}
