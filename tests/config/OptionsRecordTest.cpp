#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "config/MappingBlock.h"
#include "config/OptionsRecord.h"

namespace {

std::vector<uint8_t> imageOf(const OptionsRecord& options) {
    const uint8_t* bytes = reinterpret_cast<const uint8_t*>(&options);
    return std::vector<uint8_t>(bytes, bytes + sizeof(options));
}

int32_t int32At(const std::vector<uint8_t>& image, size_t offset) {
    return static_cast<int32_t>(static_cast<uint32_t>(image[offset]) | static_cast<uint32_t>(image[offset + 1]) << 8 |
                                static_cast<uint32_t>(image[offset + 2]) << 16 |
                                static_cast<uint32_t>(image[offset + 3]) << 24);
}

OptionsRecord defaults() {
    OptionsRecord options;
    std::memset(&options, 0xAB, sizeof(options));
    options.setDefaults();
    return options;
}

}  // namespace

TEST(OptionsRecord, DefaultsClearEveryByteAndSetProfileText) {
    const OptionsRecord options = defaults();
    const std::vector<uint8_t> image = imageOf(options);

    EXPECT_STREQ(options.profileKey, "QS_DEFAULT_PROFILE");
    EXPECT_STREQ(options.profileName, "Default Quillset Profile");
    EXPECT_EQ(options.syncAction, static_cast<int32_t>(SyncAction::AskUser));
    EXPECT_EQ(options.outlookAddressType, static_cast<int32_t>(OutlookAddressType::Business));
    for (int index = 0; index < OptionsRecord::customMapCount; ++index)
        EXPECT_EQ(options.customMapAt(index), 0) << "custom " << index + 1;

    // Everything after the two default texts is zero, including the reserved
    // bytes and the tails of the text fields.
    for (size_t offset = std::strlen("QS_DEFAULT_PROFILE"); offset < 32; ++offset)
        ASSERT_EQ(image[offset], 0) << offset;
    for (size_t offset = 32 + std::strlen("Default Quillset Profile"); offset < image.size(); ++offset)
        ASSERT_EQ(image[offset], 0) << offset;
}

TEST(OptionsRecord, FieldsLandAtTheirFileOffsetsLittleEndian) {
    OptionsRecord options = defaults();
    for (int index = 0; index < OptionsRecord::customMapCount; ++index)
        options.setCustomMapAt(index, 0x01020300 + index);
    options.reserved328 = 0x11111111;
    options.syncAction = 0x22334455;
    options.reserved336[0] = 0x33333333;
    options.reserved336[1] = 0x44444444;
    options.outlookAddressType = 0x55667788;
    options.reserved368[0] = 0x66;
    options.reserved368[1063] = 0x77;

    const std::vector<uint8_t> image = imageOf(options);
    ASSERT_EQ(image.size(), 1432u);
    EXPECT_EQ(image[0], 'Q');
    EXPECT_EQ(image[32], 'D');
    for (int index = 0; index < 4; ++index)
        EXPECT_EQ(int32At(image, 312 + 4 * index), 0x01020300 + index) << "custom " << index + 1;
    EXPECT_EQ(int32At(image, 328), 0x11111111);
    EXPECT_EQ(int32At(image, 332), 0x22334455);
    EXPECT_EQ(image[332], 0x55);  // low byte first
    EXPECT_EQ(int32At(image, 336), 0x33333333);
    EXPECT_EQ(int32At(image, 340), 0x44444444);
    EXPECT_EQ(int32At(image, 344), 0x55667788);
    for (int index = 4; index < 9; ++index)
        EXPECT_EQ(int32At(image, 348 + 4 * (index - 4)), 0x01020300 + index) << "custom " << index + 1;
    EXPECT_EQ(image[368], 0x66);
    EXPECT_EQ(image[1431], 0x77);
}

TEST(OptionsRecord, CustomMapIndexOutsideNineIsRefused) {
    OptionsRecord options = defaults();
    const std::vector<uint8_t> before = imageOf(options);

    EXPECT_FALSE(options.setCustomMapAt(-1, 5));
    EXPECT_FALSE(options.setCustomMapAt(9, 5));
    EXPECT_EQ(imageOf(options), before);

    // The neighbours a stray index would reach are non-zero.
    std::memset(options.profileName + 276, 'x', 4);
    options.reserved368[0] = 7;
    EXPECT_EQ(options.customMapAt(-1), 0);
    EXPECT_EQ(options.customMapAt(9), 0);

    // The boundary between the halves: custom 4 and custom 5.
    EXPECT_TRUE(options.setCustomMapAt(3, 33));
    EXPECT_TRUE(options.setCustomMapAt(4, 44));
    EXPECT_EQ(options.customMap1To4[3], 33);
    EXPECT_EQ(options.customMap5To9[0], 44);
}

TEST(OptionsRecord, StoredSyncActionKeepsEveryValue) {
    EXPECT_EQ(syncActionOf(0), SyncAction::AskUser);
    EXPECT_EQ(syncActionOf(1), SyncAction::PalmOverwritesOutlook);
    EXPECT_EQ(syncActionOf(2), SyncAction::OutlookOverwritesPalm);
    // A run lets the Outlook record win for any other stored value.
    for (int32_t stored : {3, -1, 0x22334455, INT32_MIN})
        EXPECT_EQ(syncActionOf(stored), SyncAction::OutlookOverwritesPalm) << stored;
    for (int32_t stored : {0, 1, 2})
        EXPECT_EQ(storedSyncAction(syncActionOf(stored)), stored);
}

TEST(MappingBlock, CopiesAddressTypeThenBothHalvesInOrder) {
    OptionsRecord options = defaults();
    options.outlookAddressType = 7;  // out of range values pass through untouched
    for (int index = 0; index < OptionsRecord::customMapCount; ++index)
        options.setCustomMapAt(index, 10 * (index + 1));
    options.customMap1To4[0] = -1;
    options.syncAction = 99;
    options.reserved328 = 99;

    const MappingBlock block = makeMappingBlock(options);
    const int32_t expected[10] = {7, -1, 20, 30, 40, 50, 60, 70, 80, 90};
    static_assert(sizeof(MappingBlock) == sizeof(expected), "ten int32");
    EXPECT_EQ(std::memcmp(&block, expected, sizeof(expected)), 0);
}
