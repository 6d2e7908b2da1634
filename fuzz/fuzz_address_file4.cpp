// The Palm Desktop 4 address file: whatever reads must save, and what was
// saved must read back to the same content.
#include "fuzz/FuzzScratchFiles.h"
#include "palm/PalmAddressFile4.h"

#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static FuzzScratchFiles files;
    FuzzScratchFiles::write(files.input(), data, size);

    PalmAddressFile4 file;
    if (!file.openAndRead(files.input())) {
        FUZZ_CHECK(!file.saveToOpenedPath());
        return 0;
    }
    // The copy stands in for the file in place: a save never creates a file.
    FuzzScratchFiles::write(files.copy(), data, size);
    FUZZ_CHECK(file.save(files.copy()));

    PalmAddressFile4 again;
    FUZZ_CHECK(again.openAndRead(files.copy()));
    FUZZ_CHECK(again.storedName() == files.copy());
    FUZZ_CHECK(std::memcmp(again.nameBlock(), file.nameBlock(), PalmAddressFile4::NameBlockSize) == 0);
    FUZZ_CHECK(std::memcmp(again.labelBlock(), file.labelBlock(), PalmAddressFile4::LabelBlockSize) == 0);
    FUZZ_CHECK(std::memcmp(again.versionBlock(), file.versionBlock(), PalmAddressFile4::VersionBlockSize) == 0);
    for (size_t index = 0; index < PalmAddressFile4::CustomLabelCount; ++index) {
        FUZZ_CHECK(again.customLabel(index) == file.customLabel(index));
    }
    FUZZ_CHECK(again.fieldSchema() == file.fieldSchema());
    FUZZ_CHECK(again.recordCount() == file.recordCount());
    for (size_t index = 0; index < file.recordCount(); ++index) {
        FUZZ_CHECK(*again.recordAt(index) == *file.recordAt(index));
    }
    return 0;
}
