#pragma once
#include <bitset>

#include "config/MappingBlock.h"
#include "outlook/AutomationObject.h"
#include "outlook/OutlookContactImage.h"
#include "sync/ContactRecord.h"

// The four transfers between an Outlook contact item, its image and a
// record. Each is false only when one of its objects is missing (and then
// changes nothing); a single property Outlook refuses is skipped, and the
// write says which it skipped.
// A null mapping block maps no custom field.

// A set of rows of contactImageRows(), by index.
using ImageRowSet = std::bitset<ContactImageRowCount>;

// Fills the image from the item's properties; a property that cannot be read
// leaves its field empty. The suffix and folder name are left as they are.
// With refused, the rows whose read Outlook refused (its guard, an item that
// throws) are added to it: their empty field is no value of the contact's.
// A property the item does not have is no refusal.
// With cut, the rows whose text storeImageValue found cut are added to it.
bool readContactItem(AutomationObject* item, OutlookContactImage* image, ImageRowSet* refused = nullptr,
                     ImageRowSet* cut = nullptr);

// The record's field of a row that pairs with one (see ImageRow).
const char* recordField(const ContactRecord& record, const ImageRow& row);
// How many bytes of a text row's value reach the record: the shorter of its
// image and record fields, less the NUL; 0 for a row the record does not take.
size_t textKeptByRecord(const ImageRow& row);

// A failed property get that is a refusal, not a missing member.
bool isRefusedRead(int32_t status);

// The row's field takes the value as a read gives it: text through the code
// page cut to the field, a date, the integer; any other value (an empty
// table cell among them) leaves the field empty. True when the record's
// field, or the image's on its way there, holds less of the text than
// Outlook does: what the other side receives of it is shorter. (A field the
// record never takes loses nothing: writes leave Outlook its longer text.)
bool storeImageValue(OutlookContactImage& image, const ImageRow& row, const AutomationValue& value);

// Puts the image's properties into the item and saves it. Empty texts and
// dates of 0 are not put, so Outlook keeps its value; "Gender" always is.
// The suffix, folder name and the two time stamps are never written.
// With held (what the item is known to hold, at first the image it was read
// as), texts and dates equal to it are not put either, so Outlook keeps its
// own, possibly longer, value; once the item is saved, held takes every
// property Outlook accepted, so the next write compares against the truth.
// False when item or image is missing or the save fails; held is then as it was.
// With unsaved (rows of contactImageRows() whose value the item may hold
// unsaved), those rows are put even when held shows the value; a failed save
// adds the rows it put, a save removes them.
// With refused, it takes the rows whose put Outlook refused: the item keeps
// its own value there, saved or not, and held keeps what it showed.
bool writeContactItem(AutomationObject* item, const OutlookContactImage* image, OutlookContactImage* held = nullptr,
                      ImageRowSet* unsaved = nullptr, ImageRowSet* refused = nullptr);

// Sets the record's values from the image (the record's native block is not
// touched), custom fields by the block.
bool imageToRecord(const OutlookContactImage* image, ContactRecord* record, const MappingBlock* block);

// Overwrites the image fields the record carries, custom fields by the block;
// every other field keeps its value, and so does a field whose text the
// record shows unchanged (the image's text cut to the record's field).
bool recordToImage(const ContactRecord* record, OutlookContactImage* image, const MappingBlock* block);
