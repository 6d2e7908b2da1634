#include "outlook/BusyRetry.h"

#include <chrono>
#include <thread>
#include <utility>

#include "outlook/AutomationStatus.h"

namespace {

// Short at first, so a busy spell that ends at once costs little, then
// seldom enough not to flood a server that is working.
constexpr uint32_t FirstPauseMilliseconds = 50;
constexpr uint32_t LongestPauseMilliseconds = 500;
constexpr uint32_t FilterPauseMilliseconds = 250;

struct BusyState {
    BusyClock clock;
    std::function<void(bool)> listener;
};

BusyState& busyState() {
    static BusyState state;
    return state;
}

uint64_t now() {
    const BusyClock& clock = busyState().clock;
    if (clock.now)
        return clock.now();
    return static_cast<uint64_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
            .count());
}

void pause(uint32_t milliseconds) {
    const BusyClock& clock = busyState().clock;
    if (clock.sleep)
        clock.sleep(milliseconds);
    else
        std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

void tellWaiting(bool waiting) {
    if (busyState().listener)
        busyState().listener(waiting);
}

}  // namespace

int32_t callRetryingWhileBusy(const std::function<int32_t()>& call) {
    // From before the first try: a filter may already have waited in it.
    const uint64_t start = now();
    int32_t status = call();
    if (!isOutlookBusyStatus(status))
        return status;
    uint32_t pauseLength = FirstPauseMilliseconds;
    tellWaiting(true);
    while (isOutlookBusyStatus(status)) {
        const uint64_t elapsed = now() - start;
        if (elapsed >= BusyRetryLimitMilliseconds)
            break;
        const uint64_t left = BusyRetryLimitMilliseconds - elapsed;
        pause(left < pauseLength ? static_cast<uint32_t>(left) : pauseLength);
        pauseLength = pauseLength * 2 < LongestPauseMilliseconds ? pauseLength * 2 : LongestPauseMilliseconds;
        status = call();
    }
    tellWaiting(false);
    return status;
}

void setBusyClock(BusyClock clock) {
    if (!clock.now || !clock.sleep)
        clock = BusyClock();
    busyState().clock = std::move(clock);
}

void setBusyWaitListener(std::function<void(bool waiting)> listener) { busyState().listener = std::move(listener); }

int32_t rejectedCallRetryDelay(uint32_t elapsedMilliseconds) {
    return elapsedMilliseconds < BusyRetryLimitMilliseconds ? static_cast<int32_t>(FilterPauseMilliseconds) : -1;
}
