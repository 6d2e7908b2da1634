#pragma once
#include <cstdlib>
#include <vector>

// Where and when the driver clicks. No platform headers: the native tests
// read this too.

// How long a press must wait so that the system does not pair it with the
// previous press into a double click: presses within the double-click time
// and the double-click distance pair. Generous on the distance, so a wait is
// never missing; 50 ms beyond the time, for the clock's steps.
inline unsigned pauseBeforeSingleClick(unsigned sinceLastPress, int dx, int dy, unsigned doubleClickTime,
                                       int doubleClickWidth, int doubleClickHeight) {
    const bool nearby = std::abs(dx) <= doubleClickWidth && std::abs(dy) <= doubleClickHeight;
    if (!nearby || sinceLastPress > doubleClickTime)
        return 0;
    return doubleClickTime - sinceLastPress + 50;
}

// The middle of the first unbroken run of hits along a row, as an offset
// from the row's first probed pixel; false without a hit. A later run is
// something else of the row, not the same box.
inline bool middleOfFirstRun(const std::vector<bool>& hits, int* offset) {
    size_t first = 0;
    while (first < hits.size() && !hits[first])
        ++first;
    if (first == hits.size())
        return false;
    size_t last = first;
    while (last + 1 < hits.size() && hits[last + 1])
        ++last;
    *offset = static_cast<int>((first + last) / 2);
    return true;
}
