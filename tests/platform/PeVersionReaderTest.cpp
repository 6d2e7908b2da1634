#include "platform/FileVersion.h"
#include "platform/PeVersionReader.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <random>
#include <string>
#include <vector>

// ---- a minimal PE file built in memory, so every field can be damaged

// Positions of the fields the damage cases change (PE32 layout).
const size_t kPeOffsetField = 0x3C;
const size_t kPeHeader = 0x40;
const size_t kSectionCountField = kPeHeader + 6;
const size_t kOptionalSizeField = kPeHeader + 20;
const size_t kOptionalHeader = kPeHeader + 24;
const size_t kDirectoryCountField = kOptionalHeader + 92;
const size_t kResourceRvaField = kOptionalHeader + 96 + 16;
const size_t kSectionHeader = kOptionalHeader + 224;
const size_t kSectionRawSizeField = kSectionHeader + 16;
const size_t kSectionRawOffsetField = kSectionHeader + 20;
const size_t kResources = 0x200;
const uint32_t kResourceRva = 0x1000;
const size_t kTypeDirectory = kResources;
const size_t kNameDirectory = kResources + 0x18;
const size_t kLanguageDirectory = kResources + 0x30;
const size_t kDataEntry = kResources + 0x48;
const size_t kVersionBlock = kResources + 0x58;
const size_t kFixedInfo = kVersionBlock + 40;
const size_t kVersionBlockSize = 40 + 52;

static void put16(std::vector<uint8_t>& bytes, size_t offset, uint16_t value) {
    bytes[offset] = static_cast<uint8_t>(value);
    bytes[offset + 1] = static_cast<uint8_t>(value >> 8);
}

static void put32(std::vector<uint8_t>& bytes, size_t offset, uint32_t value) {
    put16(bytes, offset, static_cast<uint16_t>(value));
    put16(bytes, offset + 2, static_cast<uint16_t>(value >> 16));
}

static void putDirectory(std::vector<uint8_t>& bytes, size_t directory, uint32_t id, uint32_t target) {
    put16(bytes, directory + 14, 1);
    put32(bytes, directory + 16, id);
    put32(bytes, directory + 20, target);
}

// A PE32 (or PE32+) image with one ".rsrc" section holding a version
// resource of file version 4.1.2.7.
static std::vector<uint8_t> buildPe(bool pe32Plus = false) {
    std::vector<uint8_t> bytes(kVersionBlock + kVersionBlockSize, 0);
    put16(bytes, 0, 0x5A4D);
    put32(bytes, kPeOffsetField, kPeHeader);
    put32(bytes, kPeHeader, 0x00004550);
    put16(bytes, kPeHeader + 4, pe32Plus ? 0x8664 : 0x14C);
    put16(bytes, kSectionCountField, 1);

    const size_t directories = kOptionalHeader + (pe32Plus ? 112 : 96);
    const uint16_t optionalSize = pe32Plus ? 240 : 224;
    put16(bytes, kOptionalSizeField, optionalSize);
    put16(bytes, kOptionalHeader, pe32Plus ? 0x20B : 0x10B);
    put32(bytes, directories - 4, 16);
    put32(bytes, directories + 16, kResourceRva);
    put32(bytes, directories + 20, static_cast<uint32_t>(bytes.size() - kResources));

    const size_t section = kOptionalHeader + optionalSize;
    std::memcpy(&bytes[section], ".rsrc", 5);
    put32(bytes, section + 8, static_cast<uint32_t>(bytes.size() - kResources));
    put32(bytes, section + 12, kResourceRva);
    put32(bytes, section + 16, static_cast<uint32_t>(bytes.size() - kResources));
    put32(bytes, section + 20, kResources);

    putDirectory(bytes, kTypeDirectory, 16, 0x80000000u | (kNameDirectory - kResources));
    putDirectory(bytes, kNameDirectory, 1, 0x80000000u | (kLanguageDirectory - kResources));
    putDirectory(bytes, kLanguageDirectory, 0x409, kDataEntry - kResources);
    put32(bytes, kDataEntry, static_cast<uint32_t>(kResourceRva + kVersionBlock - kResources));
    put32(bytes, kDataEntry + 4, kVersionBlockSize);

    put16(bytes, kVersionBlock, kVersionBlockSize);
    put16(bytes, kVersionBlock + 2, 52);
    const char key[] = "VS_VERSION_INFO";
    for (size_t i = 0; i < sizeof key; ++i)
        put16(bytes, kVersionBlock + 6 + 2 * i, static_cast<uint8_t>(key[i]));
    put32(bytes, kFixedInfo, 0xFEEF04BDu);
    put32(bytes, kFixedInfo + 4, 0x00010000u);
    put32(bytes, kFixedInfo + 8, 0x00040001u);
    put32(bytes, kFixedInfo + 12, 0x00020007u);
    return bytes;
}

// Reads from a heap copy of exactly the given bytes, so that the sanitizers
// see any read past the end.
static bool readCopy(const std::vector<uint8_t>& bytes, size_t length, FileVersion* version) {
    std::vector<uint8_t> copy(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(length));
    return readPeFileVersion(copy.data(), copy.size(), version);
}

TEST(PeVersionReader, ReadsFileVersionOfPe32AndPe32Plus) {
    for (bool pe32Plus : {false, true}) {
        FileVersion version;
        ASSERT_TRUE(readCopy(buildPe(pe32Plus), buildPe(pe32Plus).size(), &version)) << pe32Plus;
        EXPECT_EQ(0x00040001u, version.mostSignificant);
        EXPECT_EQ(0x00020007u, version.leastSignificant);
    }
    // A section claiming more raw data than the file holds is read up to
    // the end of the file only.
    std::vector<uint8_t> bytes = buildPe();
    put32(bytes, kSectionRawSizeField, 0xFFFFFFFFu);
    FileVersion version;
    EXPECT_TRUE(readCopy(bytes, bytes.size(), &version));
}

TEST(PeVersionReader, RejectsDamagedStructuresWithoutReadingOutside) {
    struct Damage {
        const char* what;
        std::function<void(std::vector<uint8_t>&)> apply;
    };
    const std::vector<Damage> damages = {
        {"not MZ", [](std::vector<uint8_t>& b) { b[0] = 'X'; }},
        {"PE header far past the end", [](std::vector<uint8_t>& b) { put32(b, kPeOffsetField, 0xFFFFFFF0u); }},
        {"PE header at the last bytes",
         [](std::vector<uint8_t>& b) { put32(b, kPeOffsetField, static_cast<uint32_t>(b.size() - 2)); }},
        {"not a PE signature", [](std::vector<uint8_t>& b) { b[kPeHeader + 1] = 'F'; }},
        {"unknown optional header", [](std::vector<uint8_t>& b) { put16(b, kOptionalHeader, 0x107); }},
        {"section table past the end", [](std::vector<uint8_t>& b) { put16(b, kSectionCountField, 0xFFFF); }},
        {"no resource directory", [](std::vector<uint8_t>& b) { put32(b, kDirectoryCountField, 2); }},
        {"resource entry outside the optional header",
         [](std::vector<uint8_t>& b) { put16(b, kOptionalSizeField, 100); }},
        {"no resources", [](std::vector<uint8_t>& b) { put32(b, kResourceRvaField, 0); }},
        {"resources in no section", [](std::vector<uint8_t>& b) { put32(b, kResourceRvaField, 0x9000); }},
        {"section data past the end", [](std::vector<uint8_t>& b) { put32(b, kSectionRawOffsetField, 0xFFFFFF00u); }},
        {"section holds no raw data", [](std::vector<uint8_t>& b) { put32(b, kSectionRawSizeField, 0); }},
        {"section data wraps around", [](std::vector<uint8_t>& b) { put32(b, kSectionRawOffsetField, 0xFFFFFFFFu); }},
        {"entry count past the end", [](std::vector<uint8_t>& b) { put16(b, kTypeDirectory + 12, 0xFFFF); }},
        {"no version type", [](std::vector<uint8_t>& b) { put32(b, kTypeDirectory + 16, 3); }},
        {"type is not a directory", [](std::vector<uint8_t>& b) { put32(b, kTypeDirectory + 20, 0x18); }},
        {"type directory out of range", [](std::vector<uint8_t>& b) { put32(b, kTypeDirectory + 20, 0xFFFFFFF0u); }},
        {"name directory loops to the root",
         [](std::vector<uint8_t>& b) { put32(b, kNameDirectory + 20, 0x80000000u); }},
        {"version name is not 1", [](std::vector<uint8_t>& b) { put32(b, kNameDirectory + 16, 2); }},
        {"language is a directory", [](std::vector<uint8_t>& b) { put32(b, kLanguageDirectory + 20, 0x80000048u); }},
        {"data entry out of range", [](std::vector<uint8_t>& b) { put32(b, kLanguageDirectory + 20, 0x7FFFFFF0u); }},
        {"data in no section", [](std::vector<uint8_t>& b) { put32(b, kDataEntry, 0xFFFFFFF0u); }},
        {"data too small", [](std::vector<uint8_t>& b) { put32(b, kDataEntry + 4, 60); }},
        {"block too small", [](std::vector<uint8_t>& b) { put16(b, kVersionBlock, 60); }},
        {"no fixed information", [](std::vector<uint8_t>& b) { put16(b, kVersionBlock + 2, 0); }},
        {"wrong key", [](std::vector<uint8_t>& b) { put16(b, kVersionBlock + 6, 'W'); }},
        {"wrong signature", [](std::vector<uint8_t>& b) { put32(b, kFixedInfo, 0xFEEF04BCu); }},
    };
    for (const Damage& damage : damages) {
        std::vector<uint8_t> bytes = buildPe();
        damage.apply(bytes);
        FileVersion version;
        EXPECT_FALSE(readCopy(bytes, bytes.size(), &version)) << damage.what;
        EXPECT_EQ(0u, version.mostSignificant) << damage.what;
    }
}

TEST(PeVersionReader, TruncatedFileFailsUntilTheFixedInformationIsWhole) {
    const std::vector<uint8_t> bytes = buildPe();
    for (size_t length = 0; length < bytes.size(); ++length) {
        FileVersion version;
        EXPECT_FALSE(readCopy(bytes, length, &version)) << length;
    }
    EXPECT_FALSE(readPeFileVersion(nullptr, 100, nullptr));
}

TEST(PeVersionReader, RandomDamageNeverReadsOutside) {
    const std::vector<uint8_t> original = buildPe();
    std::mt19937 random(20240611);
    int intact = 0;
    for (int round = 0; round < 4000; ++round) {
        std::vector<uint8_t> bytes = original;
        const int changes = 1 + static_cast<int>(random() % 4);
        for (int change = 0; change < changes; ++change) {
            bytes[random() % bytes.size()] = static_cast<uint8_t>(random());
        }
        FileVersion version;
        if (readCopy(bytes, bytes.size(), &version) && version.mostSignificant == 0x00040001u)
            ++intact;
    }
    // Changes to padding leave the version readable: the reader is not
    // simply refusing everything.
    EXPECT_GT(intact, 0);
}

// ---- real programs made by the Windows tool chain

#ifdef QS_PE_FIXTURE_DIR
#define REQUIRE_PE_FIXTURES()
static std::string fixturePath(const char* name) { return std::string(QS_PE_FIXTURE_DIR) + name; }
#else
#define REQUIRE_PE_FIXTURES() GTEST_SKIP() << "no Windows fixtures in this build"
static std::string fixturePath(const char* name) { return name; }
#endif

struct FixtureVersion {
    const char* file;
    uint32_t mostSignificant;
    uint32_t leastSignificant;
};

static const FixtureVersion kFixtureVersions[] = {
    {"version-4-1-2-0.exe", 0x00040001u, 0x00020000u},
    {"version-3-5-0-0.exe", 0x00030005u, 0x00000000u},
    {"version-4-0-9-9.exe", 0x00040000u, 0x00090009u},
};

TEST(PeVersionReader, ReadsProgramsMadeByTheResourceCompiler) {
    REQUIRE_PE_FIXTURES();
    for (const FixtureVersion& fixture : kFixtureVersions) {
        const std::vector<uint8_t> bytes = readWholeFile(fixturePath(fixture.file));
        ASSERT_FALSE(bytes.empty()) << fixture.file;
        FileVersion version;
        ASSERT_TRUE(readCopy(bytes, bytes.size(), &version)) << fixture.file;
        EXPECT_EQ(fixture.mostSignificant, version.mostSignificant) << fixture.file;
        EXPECT_EQ(fixture.leastSignificant, version.leastSignificant) << fixture.file;
    }
    const std::vector<uint8_t> bytes = readWholeFile(fixturePath("no-version.exe"));
    ASSERT_FALSE(bytes.empty());
    FileVersion version;
    EXPECT_FALSE(readCopy(bytes, bytes.size(), &version));
}

TEST(PeVersionReader, TruncatedRealProgramNeverReadsOutside) {
    REQUIRE_PE_FIXTURES();
    const std::vector<uint8_t> bytes = readWholeFile(fixturePath("version-4-0-9-9.exe"));
    ASSERT_FALSE(bytes.empty());
    // The fixed information ends 52 bytes after its signature.
    const uint8_t signature[] = {0xBD, 0x04, 0xEF, 0xFE};
    size_t signatureAt = 0;
    while (signatureAt + 4 <= bytes.size() && std::memcmp(&bytes[signatureAt], signature, 4) != 0)
        ++signatureAt;
    ASSERT_LT(signatureAt + 52, bytes.size() + 1);

    for (size_t length = 0; length < bytes.size(); ++length) {
        FileVersion version;
        const bool read = readCopy(bytes, length, &version);
        if (length < signatureAt + 52) {
            EXPECT_FALSE(read) << length;
        } else if (read) {
            EXPECT_EQ(0x00090009u, version.leastSignificant) << length;
        }
    }
}

TEST(FileVersion, ReadsTheVersionOfAFileOnDisk) {
    REQUIRE_PE_FIXTURES();
    for (const FixtureVersion& fixture : kFixtureVersions) {
        FileVersion version;
        ASSERT_TRUE(readFileVersion(fixturePath(fixture.file).c_str(), &version)) << fixture.file;
        EXPECT_EQ(fixture.mostSignificant, version.mostSignificant) << fixture.file;
        EXPECT_EQ(fixture.leastSignificant, version.leastSignificant) << fixture.file;
    }
    FileVersion version;
    EXPECT_FALSE(readFileVersion(fixturePath("no-version.exe").c_str(), &version));
    EXPECT_FALSE(readFileVersion(fixturePath("missing.exe").c_str(), &version));
    EXPECT_FALSE(readFileVersion("", &version));
}

TEST(FileVersion, BackslashesSeparateFoldersEverywhere) {
    REQUIRE_PE_FIXTURES();
    TempFolder folder;
    ASSERT_TRUE(writeWholeFile(folder.file("palm.exe"), readWholeFile(fixturePath("version-3-5-0-0.exe"))));
    std::string path = folder.path();
    path.back() = '\\';
    path += "palm.exe";
    FileVersion version;
    ASSERT_TRUE(readFileVersion(path.c_str(), &version));
    EXPECT_EQ(0x00030005u, version.mostSignificant);
}
