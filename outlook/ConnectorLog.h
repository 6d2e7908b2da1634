#pragma once
#include <functional>
#include <string>

#include "platform/LocalClock.h"

// The optional diagnostic log of the Outlook session start, "OlCommLog.log"
// in the program's folder. The file is opened and closed around every line so
// it can be read, moved or deleted while the program runs.
class ConnectorLog {
public:
    using Clock = std::function<LocalDateTime()>;

    // Reads "EnableLog" of section "OlComm" now: only the integer 1 enables.
    // The clock stamps entries; tests hand in a fixed one.
    explicit ConnectorLog(Clock clock = currentLocalTime);

    // Appends text and "\r\n" (a null text: the line break alone). True when
    // disabled; false when the file cannot be opened or written.
    bool writeRaw(const char* text);

    // Appends "[YYYY/MM/DD hh:mm:ss] - message", at most 1023 characters.
    bool writeEntry(const char* message);

    std::string path;
    bool enabled = false;

private:
    Clock clock_;
};
