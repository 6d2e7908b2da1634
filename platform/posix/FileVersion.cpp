#include "platform/FileVersion.h"
#include "platform/PeVersionReader.h"

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

// Larger than any program file the version is asked of; a bigger file is
// refused rather than read into memory.
static const long kLargestFile = 256L * 1024 * 1024;

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

static std::string toPosixPath(const char* path) {
    std::string converted(path);
    for (char& c : converted) {
        if (c == '\\')
            c = '/';
    }
    return converted;
}

static bool readWholeFile(const std::string& path, std::vector<uint8_t>* bytes) {
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    if (!file)
        return false;
    if (std::fseek(file.get(), 0, SEEK_END) != 0)
        return false;
    const long size = std::ftell(file.get());
    if (size < 0 || size > kLargestFile || std::fseek(file.get(), 0, SEEK_SET) != 0)
        return false;
    bytes->resize(static_cast<size_t>(size));
    return std::fread(bytes->data(), 1, bytes->size(), file.get()) == bytes->size();
}

bool readFileVersion(const char* path, FileVersion* version) {
    if (path == nullptr || path[0] == '\0' || version == nullptr)
        return false;
    std::vector<uint8_t> bytes;
    if (!readWholeFile(toPosixPath(path), &bytes))
        return false;
    return readPeFileVersion(bytes.data(), bytes.size(), version);
}
