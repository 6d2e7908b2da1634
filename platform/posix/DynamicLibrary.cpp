#include "platform/DynamicLibrary.h"

#include <utility>

// Only Windows libraries are ever asked for, so nothing loads here; tests
// stand in for libraries at a higher level.

DynamicLibrary::~DynamicLibrary() { release(); }

DynamicLibrary::DynamicLibrary(DynamicLibrary&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}

DynamicLibrary& DynamicLibrary::operator=(DynamicLibrary&& other) noexcept {
    if (this != &other) {
        release();
        handle_ = std::exchange(other.handle_, nullptr);
    }
    return *this;
}

bool DynamicLibrary::load(const char* path) {
    release();
    return false;
}

LibraryEntryPoint DynamicLibrary::entryPoint(const char* name) const { return nullptr; }

void DynamicLibrary::release() { handle_ = nullptr; }
