#include "config/MappingBlock.h"

MappingBlock makeMappingBlock(const OptionsRecord& options) {
    MappingBlock block{};
    block.outlookAddressType = options.outlookAddressType;
    for (int index = 0; index < OptionsRecord::customMapCount; ++index)
        block.customMap[index] = options.customMapAt(index);
    return block;
}
