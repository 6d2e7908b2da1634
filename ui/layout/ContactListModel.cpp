#include "ui/layout/ContactListModel.h"

#include <cstdio>

#include "sync/RecordMatching.h"

namespace {

const int32_t columnFields[ContactColumnCount] = {1, 2, 25, 37, 38, 19, 20, 18};

}  // namespace

int32_t contactColumnField(int column) { return column >= 0 && column < ContactColumnCount ? columnFields[column] : 0; }

bool contactColumnHeading(int column, FieldSlot* slot, int* pixelWidth) {
    const int32_t field = contactColumnField(column);
    if (field == 0 || !findField(field, slot) || slot->width == 0)
        return false;
    *pixelWidth = slot->width * 4;
    return true;
}

bool recordShownInList(int32_t compareStatus, int showDiff) {
    return showDiff == 0 || compareStatus == CompareStatusMissing || compareStatus == CompareStatusDiffers;
}

UxColor rowTextColor(int32_t compareStatus) {
    switch (compareStatus) {
    case CompareStatusMissing: return rgbColor(0, 128, 0);
    case CompareStatusDiffers: return rgbColor(0, 0, 255);
    default: return rgbColor(0, 0, 0);
    }
}

std::string recordCountLine(int palmRows, int outlookRows) {
    char line[128];
    std::snprintf(line, sizeof line, "Palm Desktop Contacts Record Count:%d; Outlook Contacts Record Count:%d",
                  palmRows, outlookRows);
    return line;
}
