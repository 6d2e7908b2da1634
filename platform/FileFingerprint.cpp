#include "platform/FileFingerprint.h"

#include "platform/FileSystem.h"

uint64_t digestOfBytes(const std::string& bytes) {
    uint64_t digest = 1469598103934665603ull;
    for (unsigned char c : bytes) {
        digest ^= c;
        digest *= 1099511628211ull;
    }
    return digest;
}

bool takeFingerprint(const std::string& path, FileFingerprint* fingerprint) {
    std::string bytes;
    int64_t modified = 0;
    if (!fileModificationTime(path, &modified) || !readWholeFileInto(path, bytes, largestFingerprintedFile))
        return false;
    fingerprint->size = bytes.size();
    fingerprint->modified = modified;
    fingerprint->digest = digestOfBytes(bytes);
    return true;
}
