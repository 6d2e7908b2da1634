#include "platform/FileSystem.h"
#include "platform/PlatformFile.h"

#include <memory>
#include <new>

bool copyWholeFile(const std::string& source, const std::string& target) {
    PlatformFile input;
    if (!input.open(source.c_str(), PlatformFile::Access::Read, PlatformFile::Disposition::OpenExisting))
        return false;
    PlatformFile output;
    if (!output.open(target.c_str(), PlatformFile::Access::Write, PlatformFile::Disposition::CreateAlways))
        return false;
    const uint32_t chunk = 64 * 1024;
    std::unique_ptr<uint8_t[]> buffer(new (std::nothrow) uint8_t[chunk]);
    bool copied = buffer != nullptr;
    while (copied) {
        uint32_t delivered = 0;
        if (!input.read(buffer.get(), chunk, &delivered))
            copied = false;
        else if (delivered == 0)
            break;
        else
            copied = output.write(buffer.get(), delivered);
    }
    copied = copied && output.flushToDisk();
    output.close();
    if (!copied)
        removeFile(target);
    return copied;
}

bool readWholeFileInto(const std::string& path, std::string& content, uint64_t limit) {
    content.clear();
    PlatformFile input;
    if (!input.open(path.c_str(), PlatformFile::Access::Read, PlatformFile::Disposition::OpenExisting))
        return false;
    char buffer[16 * 1024];
    for (;;) {
        uint32_t delivered = 0;
        if (!input.read(buffer, sizeof buffer, &delivered) || content.size() + delivered > limit) {
            content.clear();
            return false;
        }
        if (delivered == 0)
            return true;
        content.append(buffer, delivered);
    }
}
