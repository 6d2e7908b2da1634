// The options file: the record takes the file's leading bytes and keeps its
// defaults for the rest; every reader of the record copes with any value;
// what is saved loads back byte for byte.
#include "config/MappingBlock.h"
#include "config/Settings.h"
#include "fuzz/FuzzScratchFiles.h"
#include "outlook/OutlookFieldList.h"
#include "platform/ProgramFolder.h"
#include "ui/layout/OptionsDialogModel.h"

#include <cstring>

namespace {

void readEveryOption(const OptionsRecord& options) {
    const MappingBlock block = makeMappingBlock(options);
    for (int index = 0; index < OptionsRecord::customMapCount; ++index) {
        FUZZ_CHECK(block.customMap[index] == options.customMapAt(index));
        outlookFieldRow(block.customMap[index]);
    }
    for (OptionsVariant variant : {OptionsVariant::FourFields, OptionsVariant::NineFields}) {
        const OptionsDialogModel model(options, variant);
        for (int index = 0; index < model.mappingBoxCount(); ++index) {
            const int selection = model.initialMappingSelection(index);
            FUZZ_CHECK(selection >= -1 && selection < OutlookFieldCount);
            FUZZ_CHECK(model.mappingBoxId(index) != 0);
        }
        FUZZ_CHECK(model.initialSyncActionButton() != 0);
        FUZZ_CHECK((model.initialAddressButton() != 0) == (variant == OptionsVariant::FourFields));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static FuzzScratchFiles files;
    static const std::string optionsPath = files.named(optionsFileName);
    static const std::string settingsPath = files.named("tolvane.ini");
    overrideProgramFolder(files.folder());
    std::remove(settingsPath.c_str());
    FuzzScratchFiles::write(optionsPath, data, size);

    Settings settings;
    std::memset(&settings.options, 0xA5, sizeof settings.options);
    settings.load();
    OptionsRecord expected;
    expected.setDefaults();
    std::memcpy(&expected, data, size < sizeof expected ? size : sizeof expected);
    FUZZ_CHECK(std::memcmp(&settings.options, &expected, sizeof expected) == 0);
    readEveryOption(settings.options);

    FUZZ_CHECK(settings.save());
    const OptionsRecord saved = settings.options;
    std::memset(&settings.options, 0x5A, sizeof settings.options);
    settings.load();
    FUZZ_CHECK(std::memcmp(&settings.options, &saved, sizeof saved) == 0);
    return 0;
}
