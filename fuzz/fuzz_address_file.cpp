// The older address file: whatever reads must save, and what was saved must
// read back to the same content.
#include "fuzz/FuzzScratchFiles.h"
#include "palm/PalmAddressFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static FuzzScratchFiles files;
    FuzzScratchFiles::write(files.input(), data, size);

    PalmAddressFile file;
    if (!file.openAndRead(files.input())) {
        FUZZ_CHECK(!file.saveToOpenedPath());
        return 0;
    }
    // The copy stands in for the file in place: a save never creates a file.
    FuzzScratchFiles::write(files.copy(), data, size);
    bool saved = file.save(files.copy());
    if (file.readState() == AddressFileReadState::RecordsMissing) {
        FUZZ_CHECK(!saved);
        return 0;
    }
    FUZZ_CHECK(file.readState() == AddressFileReadState::Complete);
    FUZZ_CHECK(saved);

    PalmAddressFile again;
    FUZZ_CHECK(again.openAndRead(files.copy()));
    FUZZ_CHECK(again.readState() == AddressFileReadState::Complete);
    FUZZ_CHECK(again.customLabelText() == file.customLabelText());
    FUZZ_CHECK(again.fieldSchema() == file.fieldSchema());
    FUZZ_CHECK(again.recordCount() == file.recordCount());
    for (size_t index = 0; index < file.recordCount(); ++index) {
        FUZZ_CHECK(*again.recordAt(index) == *file.recordAt(index));
    }
    return 0;
}
