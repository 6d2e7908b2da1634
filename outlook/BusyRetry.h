#pragma once
#include <cstdint>
#include <functional>

// A busy Outlook (a modal dialog open, a send under way) refuses calls for a
// while instead of answering them. Such a call is made again, for a bounded
// time, before it counts as failed.

// How long a refused call is tried again, from its first try.
constexpr uint32_t BusyRetryLimitMilliseconds = 30000;

// The time a retry waits for. Tests give their own, so that they do not wait.
struct BusyClock {
    // Milliseconds from any fixed start, never going back.
    std::function<uint64_t()> now;
    std::function<void(uint32_t milliseconds)> sleep;
};

// Makes the call; while it answers that Outlook is busy, waits a moment and
// makes it again, until the limit has passed since the first try. The last
// status is returned.
int32_t callRetryingWhileBusy(const std::function<int32_t()>& call);

// The clock the retries use from now on; one with an empty member is the
// real clock.
void setBusyClock(BusyClock clock);
// Hears when a wait for a busy Outlook begins (true) and ends (false), so
// the window can show the wait cursor meanwhile; empty: nobody.
void setBusyWaitListener(std::function<void(bool waiting)> listener);

// What a message filter answers when Outlook rejected a call `elapsed`
// milliseconds after it was first made: the milliseconds until it is made
// again, or -1 to let it fail.
int32_t rejectedCallRetryDelay(uint32_t elapsedMilliseconds);
