// The Undo journal: whatever parses writes out to a text that parses back to
// the same journal; whatever does not leaves an empty journal behind.
#include "fuzz/FuzzScratchFiles.h"
#include "operations/UndoJournal.h"

#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string content(reinterpret_cast<const char*>(data), size);

    UndoJournal journal;
    if (!journal.parse(content)) {
        FUZZ_CHECK(journal.empty());
        FUZZ_CHECK(journal.operation.empty());
        FUZZ_CHECK(journal.palmNames.empty());
        return 0;
    }
    FUZZ_CHECK(journal.hasPalmSide() || journal.palmNames.empty());
    for (const OutlookContactChange& change : journal.outlook) {
        for (const OutlookPropertyValue& value : change.previous) {
            FUZZ_CHECK(fitsItsRow(value));
            mayComeBackShort(value);
        }
    }

    const std::string written = journal.text();
    UndoJournal again;
    FUZZ_CHECK(again.parse(written));
    FUZZ_CHECK(again.text() == written);
    FUZZ_CHECK(again.operation == journal.operation);
    FUZZ_CHECK(again.addressFile == journal.addressFile && again.backupFile == journal.backupFile);
    FUZZ_CHECK(again.fileSize == journal.fileSize && again.fileDigest == journal.fileDigest);
    FUZZ_CHECK(again.palmNames == journal.palmNames);
    FUZZ_CHECK(again.outlook.size() == journal.outlook.size());
    return 0;
}
