#include "outlook/ConnectorLog.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <utility>

#include "platform/ProgramFolder.h"
#include "platform/SettingsFile.h"

namespace {

const char logFileName[] = "OlCommLog.log";
const char logSection[] = "OlComm";
const char enableLogKey[] = "EnableLog";
const size_t entryCapacity = 1024;

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

bool writeAll(std::FILE* file, const char* bytes, size_t count) { return std::fwrite(bytes, 1, count, file) == count; }

}  // namespace

ConnectorLog::ConnectorLog(Clock clock) : clock_(std::move(clock)) {
    path = programFilePath(logFileName);
    const std::string iniPath = settingsFilePath();
    enabled = settingsGetInt(logSection, enableLogKey, 0, iniPath.c_str()) == 1;
}

bool ConnectorLog::writeRaw(const char* text) {
    if (!enabled)
        return true;

    // Binary mode: the line break is written as "\r\n" on every platform,
    // never widened to "\r\r\n".
    FileHandle file(std::fopen(path.c_str(), "ab"));
    if (!file)
        return false;

    const char* line = text ? text : "";
    bool written = writeAll(file.get(), line, std::strlen(line)) && writeAll(file.get(), "\r\n", 2);
    // Closing flushes; a failed flush is a failed write.
    written = (std::fclose(file.release()) == 0) && written;
    return written;
}

bool ConnectorLog::writeEntry(const char* message) {
    const LocalDateTime now = clock_ ? clock_() : currentLocalTime();
    char entry[entryCapacity];
    // snprintf cuts a long message at the buffer's end.
    std::snprintf(entry, sizeof(entry), "[%04d/%02d/%02d %02d:%02d:%02d] - %s", now.year, now.month, now.day, now.hour,
                  now.minute, now.second, message ? message : "");
    return writeRaw(entry);
}
