#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "outlook/AutomationObject.h"
#include "outlook/OutlookContactImage.h"
#include "outlook/OutlookMapping.h"

// One item of the Contacts folder as a load read it.
struct ContactItemRead {
    OutlookContactImage image;
    std::string entryId;
    // False for a distribution list or any other item that is no contact.
    bool isContact = true;
    // Rows Outlook refused to give: the contact is not known in full.
    ImageRowSet refused;
    // Rows whose text the record holds shorter than Outlook does.
    ImageRowSet cut;
};

// Whether an item's "MessageClass" names a contact ("IPM.Contact" or a form
// of it, "IPM.Contact.Something"). A class that could not be read counts as
// a contact, as every item was before kinds were told apart.
bool isContactMessageClass(const std::u16string& messageClass);

enum class TableRead {
    // Outlook has no tables (before 2007) or would not give this one: read
    // the folder item by item instead.
    NotOffered,
    Whole,
    // A block could not be read: what came before it is kept.
    Partial,
};

// Reads the Contacts folder through a Table: the columns the image needs
// (EntryID and MessageClass first), by GetArray blocks of 200 rows. A table
// cuts long strings (at 255 characters, or 255 bytes, as the store decides)
// and refuses some columns outright; the texts that may have been cut and
// the columns it refused are read again from the item (GetItemFromID), and
// only for contacts. The rows come in the table's order. Each read has the
// folder name in its image.
TableRead readContactTable(AutomationObject* folder, AutomationObject* nameSpace, const char* folderName,
                           std::vector<ContactItemRead>* reads);
