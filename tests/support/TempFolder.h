#pragma once
#include <string>
#include <vector>
#include <cstdint>

// A fresh folder for one test, removed with everything in it when the object
// goes. path() ends in the platform's separator.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + name; }

private:
    std::string path_;
};

// Whole-file helpers for tests.
bool writeWholeFile(const std::string& path, const std::vector<uint8_t>& bytes);
bool writeWholeFile(const std::string& path, const std::string& text);
std::vector<uint8_t> readWholeFile(const std::string& path);
bool fileExists(const std::string& path);

// Points programFolder() at a TempFolder for the lifetime of the object.
class ScopedProgramFolder {
public:
    explicit ScopedProgramFolder(const std::string& folder);
    ~ScopedProgramFolder();
};
