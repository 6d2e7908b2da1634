#pragma once
#include <cstdint>

#include "config/OptionsRecord.h"

// The ten integers one synchronization run hands to the Outlook conversions,
// copied from the options at the start of the run so that the dialog cannot
// change them halfway.
struct MappingBlock {
    int32_t outlookAddressType;
    int32_t customMap[OptionsRecord::customMapCount];
};

MappingBlock makeMappingBlock(const OptionsRecord& options);
