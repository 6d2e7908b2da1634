#include "testenv/fakeoutlook/StandInCallCounts.h"

#include <cctype>
#include <cstdio>

bool StandInCallCounts::NoCase::operator()(const std::string& left, const std::string& right) const {
    const size_t common = left.size() < right.size() ? left.size() : right.size();
    for (size_t index = 0; index < common; ++index) {
        const int a = std::tolower(static_cast<unsigned char>(left[index]));
        const int b = std::tolower(static_cast<unsigned char>(right[index]));
        if (a != b)
            return a < b;
    }
    return left.size() < right.size();
}

bool StandInCallCounts::isControlMember(const std::string& member) {
    static const char prefix[] = "standin";
    if (member.size() < sizeof prefix - 1)
        return false;
    for (size_t index = 0; index + 1 < sizeof prefix; ++index) {
        if (std::tolower(static_cast<unsigned char>(member[index])) != prefix[index])
            return false;
    }
    return true;
}

void StandInCallCounts::count(const std::string& member) {
    if (isControlMember(member))
        return;
    {
        std::lock_guard<std::mutex> guard(lock_);
        ++counts_[member];
        changed_ = true;
    }
    if (observer_)
        observer_();
}

long StandInCallCounts::of(const std::string& member) const {
    std::lock_guard<std::mutex> guard(lock_);
    auto found = counts_.find(member);
    return found == counts_.end() ? 0 : found->second;
}

long StandInCallCounts::roundTrips() const {
    std::lock_guard<std::mutex> guard(lock_);
    long total = 0;
    for (const auto& entry : counts_) {
        if (entry.first != Rejected)
            total += entry.second;
    }
    return total;
}

bool StandInCallCounts::changed() const {
    std::lock_guard<std::mutex> guard(lock_);
    return changed_;
}

std::string StandInCallCounts::text() const {
    std::lock_guard<std::mutex> guard(lock_);
    return textLocked();
}

std::string StandInCallCounts::textLocked() const {
    long total = 0;
    std::string lines;
    for (const auto& entry : counts_) {
        if (entry.first != Rejected)
            total += entry.second;
        lines += entry.first + " " + std::to_string(entry.second) + "\n";
    }
    return "(all) " + std::to_string(total) + "\n" + lines;
}

bool StandInCallCounts::write(const std::string& path, std::string* problem) {
    std::string lines;
    {
        // What is counted while the file is written marks it changed again.
        std::lock_guard<std::mutex> guard(lock_);
        lines = textLocked();
        changed_ = false;
    }
    std::FILE* file = std::fopen(path.c_str(), "wb");
    bool written = false;
    if (file) {
        written = std::fwrite(lines.data(), 1, lines.size(), file) == lines.size();
        written = std::fclose(file) == 0 && written;
    }
    if (written)
        return true;
    *problem = "the call counts file " + path + " could not be written";
    std::lock_guard<std::mutex> guard(lock_);
    changed_ = true;
    return false;
}
