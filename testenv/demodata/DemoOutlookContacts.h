#pragma once
#include "testenv/fakeoutlook/ContactFile.h"

#include <cstdint>
#include <string>
#include <vector>

// The invented contacts of the stand-in Outlook's demo Contacts folder,
// chosen against the two demo Palm users so that each user's lists show
// every colour: contacts that are the same as a Palm record, contacts that
// the matching rule pairs with a Palm record but that differ in a compared
// field, contacts only in Outlook, and Palm records only in Palm.

enum class DemoOutlookRelation {
    // No Palm contact of either user is meant.
    OnlyInOutlook,
    // Made from the Palm contact; any change is in a field the comparison
    // leaves out (or in the names, when the e-mail address pairs them).
    SameAsPalm,
    // Paired with the Palm contact, with at least one compared field changed.
    DiffersFromPalm,
    // The Palm contact's names, but another person: no telephone number in
    // common, so the two stay apart.
    NamesakeOfPalm,
};

struct DemoOutlookContact {
    ContactFileEntry entry;
    // The demo user and Palm contact (names in Windows-1252) this contact was
    // made against; 0 and empty for OnlyInOutlook.
    uint32_t palmUserId = 0;
    std::string palmFirstName;
    std::string palmLastName;
    DemoOutlookRelation relation = DemoOutlookRelation::OnlyInOutlook;
};

// The contacts in folder order, the same on every call. False, with the
// reason, when the table names a property the contact item does not have or
// a Palm contact the demo users do not have.
bool makeDemoOutlookContacts(std::vector<DemoOutlookContact>* contacts, std::string* problem);

// The file name the demo Contacts folder is written to, beside users.txt.
extern const char DemoOutlookContactsFileName[];
