#include "platform/DynamicLibrary.h"

#include <windows.h>

#include <utility>

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
    if (path == nullptr || path[0] == '\0')
        return false;
    handle_ = reinterpret_cast<void*>(LoadLibraryA(path));
    return handle_ != nullptr;
}

LibraryEntryPoint DynamicLibrary::entryPoint(const char* name) const {
    if (handle_ == nullptr || name == nullptr)
        return nullptr;
    return reinterpret_cast<LibraryEntryPoint>(GetProcAddress(static_cast<HMODULE>(handle_), name));
}

void DynamicLibrary::release() {
    if (handle_ != nullptr) {
        FreeLibrary(static_cast<HMODULE>(handle_));
        handle_ = nullptr;
    }
}
