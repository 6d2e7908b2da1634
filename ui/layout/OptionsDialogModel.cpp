#include "ui/layout/OptionsDialogModel.h"

#include "config/OptionsDialogSettings.h"
#include "outlook/OutlookFieldList.h"
#include "resources/ResourceIds.h"

namespace {

const int mappingBoxIds[OptionsRecord::customMapCount] = {
    IDC_CUSTOM_MAP_1, IDC_CUSTOM_MAP_2, IDC_CUSTOM_MAP_3, IDC_CUSTOM_MAP_4, IDC_CUSTOM_MAP_5,
    IDC_CUSTOM_MAP_6, IDC_CUSTOM_MAP_7, IDC_CUSTOM_MAP_8, IDC_CUSTOM_MAP_9,
};

}  // namespace

OptionsVariant optionsVariantFor(long palmDesktopVersionNumber) {
    return usesNineFieldOptionsDialog(palmDesktopVersionNumber) ? OptionsVariant::NineFields
                                                                : OptionsVariant::FourFields;
}

int optionsTemplateFor(OptionsVariant variant) {
    return variant == OptionsVariant::NineFields ? IDD_OPTIONS_NINE : IDD_OPTIONS;
}

OptionsDialogModel::OptionsDialogModel(const OptionsRecord& current, OptionsVariant variant)
    : edit_(current), variant_(variant) {}

int OptionsDialogModel::mappingBoxCount() const {
    return variant_ == OptionsVariant::NineFields ? OptionsRecord::customMapCount
                                                  : OptionsRecord::customMapFirstHalfCount;
}

int OptionsDialogModel::mappingBoxId(int index) const {
    return index >= 0 && index < mappingBoxCount() ? mappingBoxIds[index] : 0;
}

int OptionsDialogModel::initialMappingSelection(int index) const {
    const int32_t value = edit_.customMapAt(index);
    return value >= 0 && value < OutlookFieldCount ? value : -1;
}

int OptionsDialogModel::initialSyncActionButton() const {
    switch (syncActionOf(edit_.syncAction)) {
    case SyncAction::AskUser: return IDC_SYNC_ASK_USER;
    case SyncAction::PalmOverwritesOutlook: return IDC_SYNC_PALM_WINS;
    default: return IDC_SYNC_OUTLOOK_WINS;
    }
}

int OptionsDialogModel::initialAddressButton() const {
    if (variant_ != OptionsVariant::FourFields)
        return 0;
    switch (edit_.outlookAddressType) {
    case 0: return IDC_ADDRESS_BUSINESS;
    case 1: return IDC_ADDRESS_MAILING;
    case 2: return IDC_ADDRESS_HOME;
    default: return IDC_ADDRESS_OTHER;
    }
}

bool OptionsDialogModel::applyRadioClick(int controlId) {
    switch (controlId) {
    case IDC_SYNC_ASK_USER: edit_.syncAction = storedSyncAction(SyncAction::AskUser); return true;
    case IDC_SYNC_PALM_WINS: edit_.syncAction = storedSyncAction(SyncAction::PalmOverwritesOutlook); return true;
    case IDC_SYNC_OUTLOOK_WINS: edit_.syncAction = storedSyncAction(SyncAction::OutlookOverwritesPalm); return true;
    default: break;
    }
    if (variant_ != OptionsVariant::FourFields)
        return false;
    switch (controlId) {
    case IDC_ADDRESS_BUSINESS: edit_.outlookAddressType = 0; return true;
    case IDC_ADDRESS_MAILING: edit_.outlookAddressType = 1; return true;
    case IDC_ADDRESS_HOME: edit_.outlookAddressType = 2; return true;
    case IDC_ADDRESS_OTHER: edit_.outlookAddressType = 3; return true;
    default: return false;
    }
}

void OptionsDialogModel::storeMappingSelections(const int* selections, int count) {
    if (selections == nullptr)
        return;
    const int boxes = count < mappingBoxCount() ? count : mappingBoxCount();
    for (int index = 0; index < boxes; ++index)
        edit_.setCustomMapAt(index, selections[index] < 0 ? -1 : selections[index]);
}
