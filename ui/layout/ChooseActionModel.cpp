#include "ui/layout/ChooseActionModel.h"

#include "resources/ResourceIds.h"
#include "sync/FieldTable.h"
#include "ui/layout/ContactListModel.h"

namespace {

const int okCommand = 1;
const uint32_t columnTextCapacity = 1025;

}  // namespace

int initialDirectionButton(SyncAction action) {
    return action == SyncAction::PalmOverwritesOutlook ? IDC_SYNC_PALM_WINS : IDC_SYNC_OUTLOOK_WINS;
}

bool applyChooseActionClick(ChooseActionAnswer& answer, int controlId, bool checkedAfterClick) {
    switch (controlId) {
    case IDC_SYNC_PALM_WINS: answer.action = SyncAction::PalmOverwritesOutlook; return true;
    case IDC_SYNC_OUTLOOK_WINS: answer.action = SyncAction::OutlookOverwritesPalm; return true;
    case IDC_APPLY_TO_ALL: answer.applyToAll = checkedAfterClick ? 1 : 0; return true;
    default: return false;
    }
}

bool chooseActionEndsOn(int commandId) { return commandId == okCommand; }

std::string contactColumnText(const ContactRecord& record, int column) {
    FieldSlot slot;
    const int32_t field = contactColumnField(column);
    if (field == 0 || !findField(field, &slot))
        return std::string();
    char text[columnTextCapacity] = {};
    getFieldText(&record, &slot, text, sizeof text);
    return text;
}
