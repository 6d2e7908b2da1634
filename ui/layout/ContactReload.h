#pragma once

// The steps of reading the two sides again, for a window whose list rows
// point at the stores' records.
enum class ContactSide { Palm, Outlook };

class ContactReloadSteps {
public:
    virtual ~ContactReloadSteps() = default;
    // The side's list shows no row any more.
    virtual void emptyRows(ContactSide side) = 0;
    // The side's store lets go of its records and reads them again.
    virtual void reloadStore(ContactSide side) = 0;
    // Both sides compared, both lists filled again.
    virtual void compareAndFill() = 0;
};

// A call out of process (Outlook's load) lets paint and sent messages
// through, and a list paints its rows from their records: so both lists are
// emptied before either store lets go of a record, and filled only once both
// are read.
void reloadContacts(ContactReloadSteps& steps, bool reloadOutlook);

// The Palm side alone; the caller fills its list again.
void reloadPalmContacts(ContactReloadSteps& steps);
