#pragma once
#include <cstddef>
#include <cstdint>

// Rule for a pair that differs in Synchronize All. Stored as a plain int32 in
// the record, because a value read from the file is never corrected.
enum class SyncAction : int32_t {
    AskUser = 0,
    PalmOverwritesOutlook = 1,
    OutlookOverwritesPalm = 2,
};

// What a stored rule means for a run: a value outside 0-2 lets the Outlook
// record win, as 2 does.
constexpr SyncAction syncActionOf(int32_t stored) {
    return stored == 0   ? SyncAction::AskUser
           : stored == 1 ? SyncAction::PalmOverwritesOutlook
                         : SyncAction::OutlookOverwritesPalm;
}

constexpr int32_t storedSyncAction(SyncAction action) { return static_cast<int32_t>(action); }

// The Outlook address block the user chose. 0 is Business, not Mailing.
enum class OutlookAddressType : int32_t {
    Business = 0,
    Mailing = 1,
    Home = 2,
    Other = 3,
};

// The raw image of "qsopt10.dat": 1432 bytes, 32-bit little-endian integers
// at the offsets checked below. The custom-field mapping is split in two
// halves around the sync rule and the address type; the reserved bytes are
// never interpreted but must survive a load and save.
struct OptionsRecord {
    static const int customMapCount = 9;
    static const int customMapFirstHalfCount = 4;

    char profileKey[32];
    char profileName[280];
    int32_t customMap1To4[4];
    int32_t reserved328;
    int32_t syncAction;
    int32_t reserved336[2];
    int32_t outlookAddressType;
    int32_t customMap5To9[5];
    uint8_t reserved368[1064];

    // Custom field i + 1 for i in 0..8; out of range reads 0 ("None") and
    // writes nothing.
    int32_t customMapAt(int index) const;
    bool setCustomMapAt(int index, int32_t value);

    // All bytes zero, then the default profile key and name, rule AskUser.
    void setDefaults();
};

static_assert(sizeof(OptionsRecord) == 1432, "the options file is exactly 1432 bytes");
static_assert(offsetof(OptionsRecord, profileKey) == 0, "profileKey offset");
static_assert(offsetof(OptionsRecord, profileName) == 32, "profileName offset");
static_assert(offsetof(OptionsRecord, customMap1To4) == 312, "customMap1To4 offset");
static_assert(offsetof(OptionsRecord, reserved328) == 328, "reserved328 offset");
static_assert(offsetof(OptionsRecord, syncAction) == 332, "syncAction offset");
static_assert(offsetof(OptionsRecord, reserved336) == 336, "reserved336 offset");
static_assert(offsetof(OptionsRecord, outlookAddressType) == 344, "outlookAddressType offset");
static_assert(offsetof(OptionsRecord, customMap5To9) == 348, "customMap5To9 offset");
static_assert(offsetof(OptionsRecord, reserved368) == 368, "reserved368 offset");
