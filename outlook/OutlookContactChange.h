#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "outlook/AutomationObject.h"
#include "outlook/OutlookContactImage.h"

// The value a property of the contact image had, as its field's bytes: a
// text without its terminating NUL, a date's 8 bytes, an integer's 4.
struct OutlookPropertyValue {
    // The row of contactImageRows().
    uint16_t row = 0;
    std::vector<uint8_t> bytes;
};

// What one operation did to one Outlook contact, kept so that it can be
// taken back: the contact by its "EntryID", its "LastModificationTime" once
// the operation had saved it (a later one means someone changed it since),
// and for a contact it overwrote the earlier value of every property it
// changed.
struct OutlookContactChange {
    enum class Kind { Added, Overwritten };
    Kind kind = Kind::Added;
    std::string entryId;
    double modifiedAfter = 0.0;
    std::vector<OutlookPropertyValue> previous;
    // "First Last (Company)" as the operation left it.
    std::string names;
};

// The earlier values of the properties Outlook is written that differ
// between the two images.
std::vector<OutlookPropertyValue> changedProperties(const OutlookContactImage& before, const OutlookContactImage& after);

// A property value that fits its row: a writable Outlook property, a text
// shorter than its field, a date or integer of its size.
bool fitsItsRow(const OutlookPropertyValue& value);

// Adds the change, or folds it into an earlier change of the same contact:
// the first kind and earlier values stay, the later time and names win.
void noteContactChange(std::vector<OutlookContactChange>& changes, OutlookContactChange change);

// Puts every earlier value back, an empty text and a zero date included,
// then saves the item. False when any put or the save failed.
bool restoreProperties(AutomationObject* item, const std::vector<OutlookPropertyValue>& previous);
