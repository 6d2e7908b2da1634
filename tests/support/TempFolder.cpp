#include "tests/support/TempFolder.h"
#include "platform/ProgramFolder.h"

#include <atomic>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>

namespace fs = std::filesystem;

TempFolder::TempFolder() {
    static std::atomic<unsigned> counter{0};
    std::random_device seed;
    fs::path base = fs::temp_directory_path();
    for (;;) {
        fs::path candidate = base / ("quillset-test-" + std::to_string(seed()) + "-" + std::to_string(counter++));
        std::error_code error;
        if (fs::create_directory(candidate, error)) {
            path_ = candidate.string();
            path_ += static_cast<char>(fs::path::preferred_separator);
            return;
        }
    }
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    fs::remove_all(fs::path(path_), ignored);
}

bool writeWholeFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

bool writeWholeFile(const std::string& path, const std::string& text) {
    return writeWholeFile(path, std::vector<uint8_t>(text.begin(), text.end()));
}

std::vector<uint8_t> readWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

bool fileExists(const std::string& path) {
    std::error_code error;
    return fs::exists(fs::path(path), error);
}

ScopedProgramFolder::ScopedProgramFolder(const std::string& folder) { overrideProgramFolder(folder); }
ScopedProgramFolder::~ScopedProgramFolder() { overrideProgramFolder(std::string()); }
