#include "tests/allocation/FailingAllocation.h"

#include <cstdlib>
#include <new>

// This program's operator new and delete, so that a test can make any one
// allocation fail.

namespace {

// Allocations still allowed before the failing one; negative when none is to fail.
long remainingAllocations = -1;
bool failureHappened = false;

bool failThisAllocation() {
    if (remainingAllocations < 0)
        return false;
    if (remainingAllocations-- > 0)
        return false;
    failureHappened = true;
    return true;
}

void* allocate(std::size_t size) { return std::malloc(size == 0 ? 1 : size); }

}  // namespace

FailingAllocation::FailingAllocation(long allowed) {
    failureHappened = false;
    remainingAllocations = allowed < 0 ? 0 : allowed;
}

FailingAllocation::~FailingAllocation() { remainingAllocations = -1; }

bool FailingAllocation::happened() const { return failureHappened; }

void* operator new(std::size_t size) {
    void* memory = failThisAllocation() ? nullptr : allocate(size);
    if (!memory)
        throw std::bad_alloc();
    return memory;
}

void* operator new[](std::size_t size) { return operator new(size); }

void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    return failThisAllocation() ? nullptr : allocate(size);
}

void* operator new[](std::size_t size, const std::nothrow_t& nothrow) noexcept { return operator new(size, nothrow); }

void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete[](void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t) noexcept { std::free(memory); }
void operator delete[](void* memory, std::size_t) noexcept { std::free(memory); }
void operator delete(void* memory, const std::nothrow_t&) noexcept { std::free(memory); }
void operator delete[](void* memory, const std::nothrow_t&) noexcept { std::free(memory); }
