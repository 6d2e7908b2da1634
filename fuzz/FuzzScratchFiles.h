#pragma once
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <unistd.h>

// Two scratch files in a private temporary folder for one fuzzing process:
// the input as a file, and a copy of it that a save may overwrite. Removed
// when the process ends normally.
class FuzzScratchFiles {
public:
    FuzzScratchFiles() {
        const char* temp = std::getenv("TMPDIR");
        std::string pattern = std::string(temp && *temp ? temp : "/tmp") + "/qs-fuzz-XXXXXX";
        if (mkdtemp(&pattern[0]) == nullptr)
            std::abort();
        folder_ = pattern;
        input_ = folder_ + "/input.dat";
        copy_ = folder_ + "/copy.dat";
    }
    ~FuzzScratchFiles() {
        std::remove(input_.c_str());
        std::remove(copy_.c_str());
        for (const std::string& path : named_)
            std::remove(path.c_str());
        rmdir(folder_.c_str());
    }
    FuzzScratchFiles(const FuzzScratchFiles&) = delete;
    FuzzScratchFiles& operator=(const FuzzScratchFiles&) = delete;

    const std::string& input() const { return input_; }
    const std::string& copy() const { return copy_; }
    // The folder itself, ending in a separator, for readers that look for a
    // file of a fixed name in the program's folder.
    std::string folder() const { return folder_ + "/"; }
    // A file of that name in the folder, removed with the others.
    std::string named(const char* name) {
        named_.push_back(folder() + name);
        return named_.back();
    }

    // The whole content of path becomes the given bytes; aborts when the
    // file cannot be written, since every later verdict would be wrong.
    static void write(const std::string& path, const uint8_t* data, size_t size) {
        std::FILE* file = std::fopen(path.c_str(), "wb");
        if (file == nullptr)
            std::abort();
        bool written = size == 0 || std::fwrite(data, 1, size, file) == size;
        if (std::fclose(file) != 0 || !written)
            std::abort();
    }

private:
    std::string folder_;
    std::string input_;
    std::string copy_;
    std::vector<std::string> named_;
};

// A broken promise of the reader or writer: libFuzzer keeps the input.
#define FUZZ_CHECK(condition)                                                                                          \
    do {                                                                                                               \
        if (!(condition)) {                                                                                            \
            std::fprintf(stderr, "check failed: %s (%s:%d)\n", #condition, __FILE__, __LINE__);                        \
            std::abort();                                                                                              \
        }                                                                                                              \
    } while (0)
