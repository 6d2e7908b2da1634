#pragma once
#include <string>

#include "sync/ContactRecord.h"

// What the contact detail dialog shows, apart from its window.

// A control of the dialog and the text it shows.
struct DetailText {
    int controlId;
    const char* text;
};

// The eight bordered edits: names, company, title, work phone, first e-mail,
// home phone and mobile.
constexpr int DetailFieldCount = 8;
// The five address edits: street, city, state, postal code, country.
constexpr int DetailAddressFieldCount = 5;

// The address switch: "Work", "Home", "Other", in this order.
constexpr int DetailAddressChoiceCount = 3;
const char* detailAddressChoiceText(int choice);

// Field index (0..7) of the eight edits, with the record's text; false
// outside the eight.
bool detailFieldText(const ContactValues& record, int index, DetailText* shown);

// The block the address switch shows: business, home or other address; null
// for no selection or anything else.
const AddressBlock* detailAddressBlock(const ContactValues& record, int choice);

// Field index (0..4) of the address edits for the chosen block; false for a
// choice without a block, so the edits keep what they show.
bool detailAddressText(const ContactValues& record, int choice, int index, DetailText* shown);

// "Detail information of <first> <last>".
std::string detailWindowTitle(const ContactValues& record);
// "View contacts detail information of <first> <last>.", cut to 99
// characters.
std::string detailHeaderLine(const ContactValues& record);
