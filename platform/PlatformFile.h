#pragma once
#include <cstdint>

// One open file, held exclusively: while it is open no other opener (this
// process or another) can open it, and it cannot open a file someone holds.
class PlatformFile {
public:
    enum class Access { Read, Write, ReadWrite };
    enum class Disposition { OpenExisting, CreateAlways };

    PlatformFile() = default;
    ~PlatformFile();
    PlatformFile(const PlatformFile&) = delete;
    PlatformFile& operator=(const PlatformFile&) = delete;
    PlatformFile(PlatformFile&& other) noexcept;
    PlatformFile& operator=(PlatformFile&& other) noexcept;

    // CreateAlways creates the file or empties an existing one (only once it
    // is held). Normal attributes, no sharing.
    bool open(const char* path, Access access, Disposition disposition);
    bool isOpen() const;
    void close();

    // True when the read call itself succeeded; at the end of the file fewer
    // bytes (possibly none) are delivered and counted in *delivered.
    bool read(void* destination, uint32_t count, uint32_t* delivered);
    // True only when every byte was written.
    bool write(const void* source, uint32_t count);
    // Waits until every byte written has reached the disk itself.
    bool flushToDisk();
    // Moves to an absolute byte position (past the end is allowed, as the
    // operating system allows it).
    bool setPosition(uint64_t position);

private:
#ifdef _WIN32
    void* handle_ = reinterpret_cast<void*>(static_cast<intptr_t>(-1));
#else
    int descriptor_ = -1;
#endif
};
