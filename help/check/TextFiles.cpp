#include "help/check/TextFiles.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

bool readTextFile(const std::string& path, std::string* text) {
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return false;
    std::ostringstream content;
    content << file.rdbuf();
    *text = content.str();
    return true;
}

namespace {

bool endsInOneOf(const std::string& name, const std::vector<std::string>& endings) {
    for (const std::string& ending : endings) {
        if (name.size() >= ending.size() && name.compare(name.size() - ending.size(), ending.size(), ending) == 0)
            return true;
    }
    return false;
}

}  // namespace

std::vector<std::string> filesEndingIn(const std::string& folder, const std::vector<std::string>& endings,
                                       bool recursive) {
    std::vector<std::string> found;
    std::error_code error;
    if (!fs::is_directory(folder, error))
        return found;
    auto take = [&](const fs::directory_entry& entry) {
        if (entry.is_regular_file(error) && endsInOneOf(entry.path().filename().string(), endings))
            found.push_back(folder + "/" + fs::relative(entry.path(), folder, error).generic_string());
    };
    if (recursive) {
        for (const fs::directory_entry& entry : fs::recursive_directory_iterator(folder, error))
            take(entry);
    } else {
        for (const fs::directory_entry& entry : fs::directory_iterator(folder, error))
            take(entry);
    }
    std::sort(found.begin(), found.end());
    return found;
}

std::string normalPath(const std::string& path) {
    std::vector<std::string> parts;
    std::string part;
    auto close = [&]() {
        if (part == "..") {
            if (parts.empty()) {
                parts.push_back("\x01");  // climbed above the start
            } else {
                parts.pop_back();
            }
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        part.clear();
    };
    for (char c : path) {
        if (c == '/' || c == '\\')
            close();
        else
            part += c;
    }
    close();
    std::string joined;
    for (const std::string& piece : parts) {
        if (piece == "\x01")
            return std::string();
        joined += (joined.empty() ? "" : "/") + piece;
    }
    return joined;
}

std::string folderOf(const std::string& path) {
    const size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}
