#pragma once
#include <cstdint>
#include <string>

// What tells a file rewritten by another program from the one read: its
// size, its modification time and a digest of its bytes. The time alone
// misses a rewrite within the file system's resolution, the digest alone
// costs a read of the whole file; together they miss nothing in practice.
struct FileFingerprint {
    uint64_t size = 0;
    int64_t modified = 0;
    uint64_t digest = 0;

    bool operator==(const FileFingerprint& other) const {
        return size == other.size && modified == other.modified && digest == other.digest;
    }
    bool operator!=(const FileFingerprint& other) const { return !(*this == other); }
};

// Files beyond this are not read for their digest.
constexpr uint64_t largestFingerprintedFile = 512u * 1024u * 1024u;

// False when the file cannot be read (gone, held, too large).
bool takeFingerprint(const std::string& path, FileFingerprint* fingerprint);
// FNV-1a over the bytes.
uint64_t digestOfBytes(const std::string& bytes);
