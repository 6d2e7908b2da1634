#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "outlook/AutomationObject.h"
#include "outlook/OutlookContactImage.h"

// Longest text kept whole for Undo, in UTF-16 units: room for any property
// the program writes, a long note included. A longer one is kept as the image
// shows it.
constexpr size_t LongestKeptText = 65536;

// The value a property had before an operation wrote it. A text is either
// whole, as Outlook gave it before the write, or, when it could not be read
// then, as the image held it: its field's bytes without the terminating NUL,
// possibly cut to the field and with characters outside the code page lost.
// A date is its 8 bytes, an integer its 4.
struct OutlookPropertyValue {
    // The row of contactImageRows().
    uint16_t row = 0;
    std::vector<uint8_t> bytes;
    bool whole = false;
    std::u16string text;
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
    // False when the id or the time could not be read after the write: Undo
    // can then only name the contact, never find it.
    bool reachable = true;
};

// Hears of each change as the connector notes it, before any folding.
class OutlookChangeListener {
public:
    virtual void changeNoted(const OutlookContactChange& change) = 0;

protected:
    ~OutlookChangeListener() = default;
};

// The earlier values of the properties Outlook is written that differ
// between the two images. A whole text of `read` for a changed row is taken
// in place of the image's.
std::vector<OutlookPropertyValue> changedProperties(const OutlookContactImage& before, const OutlookContactImage& after,
                                                    const std::vector<OutlookPropertyValue>& read = {});

// The text as Outlook holds it, made a whole value of the row; false (value
// untouched) for a text too long to keep or holding a NUL.
bool wholeText(uint16_t row, const std::u16string& text, OutlookPropertyValue* value);

// A property value that fits its row: a writable Outlook property; a text
// whole and at most LongestKeptText long, or as the image held it and shorter
// than its field; a date or integer of its size.
bool fitsItsRow(const OutlookPropertyValue& value);

// A text kept only as the image held it that fills its field or shows a
// character the code page lost: what comes back may not be what was there.
bool mayComeBackShort(const OutlookPropertyValue& value);
bool mayComeBackShort(const OutlookContactChange& change);

// Folds a later change of the same contact into the earlier one: the first
// kind and earlier values stay, the later time and names win.
void foldContactChange(OutlookContactChange& earlier, OutlookContactChange change);
// Adds the change, or folds it into the first earlier change of the same
// contact (a change without an entry id, or unreachable, is always added).
void noteContactChange(std::vector<OutlookContactChange>& changes, OutlookContactChange change);

// Puts every earlier value back, an empty text and a zero date included,
// then saves the item. False when any put or the save failed.
bool restoreProperties(AutomationObject* item, const std::vector<OutlookPropertyValue>& previous);
