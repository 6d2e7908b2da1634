#pragma once

// Makes one allocation of this test program fail: the first one after
// `allowed` more have succeeded, counted from construction. The throwing
// forms of new then throw std::bad_alloc and the nothrow forms give null;
// every allocation after that one succeeds again. One at a time, on one thread.
class FailingAllocation {
public:
    explicit FailingAllocation(long allowed);
    ~FailingAllocation();
    FailingAllocation(const FailingAllocation&) = delete;
    FailingAllocation& operator=(const FailingAllocation&) = delete;

    // Whether the allocation chosen to fail was reached.
    bool happened() const;
};
