#include "platform/LocalClock.h"

#include <windows.h>

LocalDateTime currentLocalTime() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    LocalDateTime local;
    local.year = now.wYear;
    local.month = now.wMonth;
    local.day = now.wDay;
    local.hour = now.wHour;
    local.minute = now.wMinute;
    local.second = now.wSecond;
    return local;
}
