#pragma once

// The common type of entry points; cast to the real signature before a call.
using LibraryEntryPoint = void (*)(void);

// A run-time loaded library, freed when the object goes. On POSIX systems no
// library ever loads: the program only loads Windows libraries.
class DynamicLibrary {
public:
    DynamicLibrary() = default;
    ~DynamicLibrary();
    DynamicLibrary(const DynamicLibrary&) = delete;
    DynamicLibrary& operator=(const DynamicLibrary&) = delete;
    DynamicLibrary(DynamicLibrary&& other) noexcept;
    DynamicLibrary& operator=(DynamicLibrary&& other) noexcept;

    // Frees a library already held, then loads the one at path.
    bool load(const char* path);
    bool isLoaded() const { return handle_ != nullptr; }
    // Null when nothing is loaded or the library does not export name.
    LibraryEntryPoint entryPoint(const char* name) const;
    void release();

private:
    void* handle_ = nullptr;
};
