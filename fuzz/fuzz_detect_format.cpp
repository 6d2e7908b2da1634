// Format detection and the Palm contact store over any file: what is detected
// loads into the store in that format, takes an update and an addition, saves,
// and reloads with one contact more.
#include "fuzz/FuzzScratchFiles.h"
#include "palmstore/PalmContactStore.h"
#include "sync/TextField.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static FuzzScratchFiles files;
    FuzzScratchFiles::write(files.input(), data, size);
    const PalmFormat format = PalmContactStore::detectFormat(files.input());
    FUZZ_CHECK(format == PalmFormat::Older || format == PalmFormat::Format4 || format == PalmFormat::Unreadable);

    // The store works on the copy, since a save rewrites the file it loaded.
    FuzzScratchFiles::write(files.copy(), data, size);
    PalmContactStore store(0);
    const bool loaded = store.loadFile(files.copy());
    FUZZ_CHECK(loaded == (format != PalmFormat::Unreadable));
    FUZZ_CHECK(store.recordCount() == static_cast<size_t>(store.contacts()->count()));
    if (!loaded) {
        FUZZ_CHECK(store.loadedFormat() == PalmFormat::Unreadable);
        FUZZ_CHECK(store.contacts()->count() == 0);
        FUZZ_CHECK(!store.save());
        return 0;
    }
    FUZZ_CHECK(store.loadedFormat() == format);

    const int32_t loadedCount = store.contacts()->count();
    if (loadedCount > 0) {
        ContactRecord changed = *store.contacts()->at(0);
        copyText(changed.company, "Changed Company");
        copyText(changed.mobilePhone, "555-0199");
        FUZZ_CHECK(store.updateRecord(&changed, 0));
    }
    ContactRecord added;
    copyText(added.firstName, "Added");
    copyText(added.workPhone, "555-0100");
    copyText(added.note, "added by the fuzzer");
    FUZZ_CHECK(store.addRecord(&added));
    FUZZ_CHECK(store.recordCount() == static_cast<size_t>(loadedCount + 1));

    // An older-format file whose records broke off is refused rather than
    // rewritten without the records that could not be read.
    const bool saved = store.save();
    const bool complete = format == PalmFormat::Format4 || store.file1().readState() == AddressFileReadState::Complete;
    FUZZ_CHECK(saved == complete);
    if (!saved)
        return 0;

    PalmContactStore again(0);
    FUZZ_CHECK(again.loadFile(files.copy()));
    FUZZ_CHECK(again.loadedFormat() == format);
    FUZZ_CHECK(again.contacts()->count() == loadedCount + 1);
    if (format == PalmFormat::Older) {
        FUZZ_CHECK(again.file1().recordCount() == store.file1().recordCount());
    } else {
        FUZZ_CHECK(again.file2().recordCount() == store.file2().recordCount());
    }
    return 0;
}
