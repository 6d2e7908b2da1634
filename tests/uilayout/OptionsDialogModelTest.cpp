#include "ui/layout/OptionsDialogModel.h"

#include "resources/ResourceIds.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

OptionsRecord defaultOptions() {
    OptionsRecord options;
    options.setDefaults();
    return options;
}

// Every custom field mapped to a value of its own: 11, 12, ... 19.
OptionsRecord numberedOptions() {
    OptionsRecord options = defaultOptions();
    for (int index = 0; index < OptionsRecord::customMapCount; ++index)
        options.setCustomMapAt(index, 11 + index);
    options.outlookAddressType = 2;
    options.syncAction = 1;
    return options;
}

}  // namespace

TEST(OptionsVariant, NineFieldsFromPalmDesktop412On) {
    EXPECT_EQ(OptionsVariant::FourFields, optionsVariantFor(40101));
    EXPECT_EQ(OptionsVariant::NineFields, optionsVariantFor(40102));
    EXPECT_EQ(OptionsVariant::NineFields, optionsVariantFor(60000));
    // Older versions and an unknown one.
    EXPECT_EQ(OptionsVariant::FourFields, optionsVariantFor(30500));
    EXPECT_EQ(OptionsVariant::FourFields, optionsVariantFor(-1));
    EXPECT_EQ(OptionsVariant::FourFields, optionsVariantFor(0));

    EXPECT_EQ(115, optionsTemplateFor(OptionsVariant::FourFields));
    EXPECT_EQ(118, optionsTemplateFor(OptionsVariant::NineFields));
}

TEST(OptionsMappingBoxes, EachVariantShowsItsBoxesInFieldOrder) {
    const OptionsDialogModel four(defaultOptions(), OptionsVariant::FourFields);
    const std::vector<int> fourIds = {1014, 1015, 1016, 1017};
    ASSERT_EQ(4, four.mappingBoxCount());
    for (int index = 0; index < 4; ++index)
        EXPECT_EQ(fourIds[index], four.mappingBoxId(index)) << index;
    EXPECT_EQ(0, four.mappingBoxId(4));

    const OptionsDialogModel nine(defaultOptions(), OptionsVariant::NineFields);
    const std::vector<int> nineIds = {1014, 1015, 1016, 1017, 1030, 1031, 1032, 1033, 1034};
    ASSERT_EQ(9, nine.mappingBoxCount());
    for (int index = 0; index < 9; ++index)
        EXPECT_EQ(nineIds[index], nine.mappingBoxId(index)) << index;
    EXPECT_EQ(0, nine.mappingBoxId(9));
    EXPECT_EQ(0, nine.mappingBoxId(-1));
}

TEST(OptionsMappingBoxes, StartOnTheStoredEntryOrNone) {
    OptionsRecord options = defaultOptions();
    options.setCustomMapAt(0, 80);
    options.setCustomMapAt(1, 77);
    options.setCustomMapAt(2, -1);
    options.setCustomMapAt(3, 78);
    options.setCustomMapAt(4, 5);
    const OptionsDialogModel model(options, OptionsVariant::NineFields);
    EXPECT_EQ(-1, model.initialMappingSelection(0));
    EXPECT_EQ(77, model.initialMappingSelection(1));
    EXPECT_EQ(-1, model.initialMappingSelection(2));
    EXPECT_EQ(-1, model.initialMappingSelection(3));
    EXPECT_EQ(5, model.initialMappingSelection(4));
    // A first run: every box on "None".
    EXPECT_EQ(0, model.initialMappingSelection(8));
}

TEST(OptionsMappingBoxes, OkStoresEveryShownBoxAndNoneAsMinusOne) {
    OptionsRecord options = defaultOptions();
    options.setCustomMapAt(0, 80);
    OptionsDialogModel model(options, OptionsVariant::FourFields);
    const int selections[4] = {model.initialMappingSelection(0), 3, 0, 77};
    model.storeMappingSelections(selections, 4);
    EXPECT_EQ(-1, model.edit().customMapAt(0));
    EXPECT_EQ(3, model.edit().customMapAt(1));
    EXPECT_EQ(0, model.edit().customMapAt(2));
    EXPECT_EQ(77, model.edit().customMapAt(3));
}

TEST(OptionsMappingBoxes, FourFieldDialogLeavesCustomFiveToNine) {
    const OptionsRecord options = numberedOptions();
    OptionsDialogModel model(options, OptionsVariant::FourFields);
    const int selections[9] = {1, 2, 3, 4, 5, 6, 7, 8, 9};
    // Even handed more entries than it has boxes.
    model.storeMappingSelections(selections, 9);
    for (int index = 0; index < 4; ++index)
        EXPECT_EQ(index + 1, model.edit().customMapAt(index)) << index;
    for (int index = 4; index < 9; ++index)
        EXPECT_EQ(11 + index, model.edit().customMapAt(index)) << index;
}

TEST(OptionsMappingBoxes, NineFieldDialogStoresBothHalves) {
    OptionsDialogModel model(numberedOptions(), OptionsVariant::NineFields);
    const int selections[9] = {1, 2, 3, 4, 5, 6, 7, 8, -1};
    model.storeMappingSelections(selections, 9);
    for (int index = 0; index < 8; ++index)
        EXPECT_EQ(index + 1, model.edit().customMapAt(index)) << index;
    EXPECT_EQ(-1, model.edit().customMapAt(8));
    EXPECT_EQ(2, model.edit().outlookAddressType);
}

TEST(OptionsRadioButtons, SyncRuleShownAndStored) {
    OptionsRecord options = defaultOptions();
    const int expectedButtons[][2] = {{0, 1005}, {1, 1006}, {2, 1007}, {3, 1007}, {-4, 1007}};
    for (const auto& pair : expectedButtons) {
        options.syncAction = pair[0];
        EXPECT_EQ(pair[1], OptionsDialogModel(options, OptionsVariant::FourFields).initialSyncActionButton())
            << pair[0];
        EXPECT_EQ(pair[1], OptionsDialogModel(options, OptionsVariant::NineFields).initialSyncActionButton())
            << pair[0];
    }

    for (OptionsVariant variant : {OptionsVariant::FourFields, OptionsVariant::NineFields}) {
        OptionsDialogModel model(defaultOptions(), variant);
        EXPECT_TRUE(model.applyRadioClick(1007));
        EXPECT_EQ(2, model.edit().syncAction);
        EXPECT_TRUE(model.applyRadioClick(1006));
        EXPECT_EQ(1, model.edit().syncAction);
        EXPECT_TRUE(model.applyRadioClick(1005));
        EXPECT_EQ(0, model.edit().syncAction);
    }
}

TEST(OptionsRadioButtons, AddressTypeOnlyInTheFourFieldDialog) {
    OptionsRecord options = defaultOptions();
    // 0 is Business, not Mailing; anything unknown shows as Other.
    const int expectedButtons[][2] = {{0, 1021}, {1, 1020}, {2, 1022}, {3, 1023}, {7, 1023}, {-1, 1023}};
    for (const auto& pair : expectedButtons) {
        options.outlookAddressType = pair[0];
        EXPECT_EQ(pair[1], OptionsDialogModel(options, OptionsVariant::FourFields).initialAddressButton()) << pair[0];
        EXPECT_EQ(0, OptionsDialogModel(options, OptionsVariant::NineFields).initialAddressButton()) << pair[0];
    }

    OptionsDialogModel four(defaultOptions(), OptionsVariant::FourFields);
    const int clicks[][2] = {{1020, 1}, {1021, 0}, {1022, 2}, {1023, 3}};
    for (const auto& click : clicks) {
        EXPECT_TRUE(four.applyRadioClick(click[0])) << click[0];
        EXPECT_EQ(click[1], four.edit().outlookAddressType) << click[0];
    }

    OptionsRecord stored = defaultOptions();
    stored.outlookAddressType = 7;
    OptionsDialogModel nine(stored, OptionsVariant::NineFields);
    for (int id : {1020, 1021, 1022, 1023}) {
        EXPECT_FALSE(nine.applyRadioClick(id)) << id;
    }
    EXPECT_EQ(7, nine.edit().outlookAddressType);
}

TEST(OptionsRadioButtons, OtherControlsAreNotRadioButtons) {
    OptionsDialogModel model(numberedOptions(), OptionsVariant::FourFields);
    for (int id : {1, 2, 1014, 1035, 1051, 1013, 1024, 1004}) {
        EXPECT_FALSE(model.applyRadioClick(id)) << id;
    }
    EXPECT_EQ(1, model.edit().syncAction);
    EXPECT_EQ(2, model.edit().outlookAddressType);
}

TEST(OptionsEditCopy, UntouchedDialogKeepsEveryByte) {
    OptionsRecord options = numberedOptions();
    options.outlookAddressType = 7;
    options.reserved328 = 0x1234;
    options.reserved368[1000] = 0xAB;
    OptionsDialogModel model(options, OptionsVariant::FourFields);
    int selections[4];
    for (int index = 0; index < 4; ++index)
        selections[index] = model.initialMappingSelection(index);
    model.storeMappingSelections(selections, 4);
    EXPECT_EQ(0, std::memcmp(&options, &model.edit(), sizeof options));
}
