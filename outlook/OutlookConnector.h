#pragma once
#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "config/MappingBlock.h"
#include "outlook/ContactChangeIndex.h"
#include "outlook/ContactTableRead.h"
#include "outlook/OutlookContactChange.h"
#include "outlook/OutlookContactImage.h"
#include "outlook/OutlookMapping.h"
#include "outlook/OutlookSession.h"
#include "sync/ContactList.h"
#include "sync/ContactRecord.h"

// The Outlook side as a store of records: opens the default Contacts folder
// of the session, loads its items into `contacts` and adds, updates and
// merges single contacts. Each record keeps its contact's EntryID, and a
// write reaches the contact by it: the folder's positions move as the user
// adds and deletes contacts in Outlook meanwhile.
class OutlookConnector : public OutlookSession {
public:
    OutlookConnector();
    ~OutlookConnector() override;

    // Reloads `contacts` from the Contacts folder. False without a folder or
    // when its items cannot be reached; an enumeration that breaks off keeps
    // what was read and still succeeds, but is no whole read.
    bool load() override;
    // Whether the last load made a record of every item of the folder. What
    // a load cut short read is shown, but nothing may be written as if it
    // were the whole of Outlook: what it missed would be added again.
    bool wholeRead() const { return wholeRead_; }
    // Whether a call found Outlook closed or crashed since the connection
    // was made: every object of it is dead.
    bool outlookGone() const;
    // Lets go of the folder and the session and starts Outlook afresh (the
    // only connector of the process ends the dead session); `contacts` is
    // empty until the next load. False when Outlook cannot be started.
    bool reconnect();
    // Frees every record.
    void clear() override;
    // A fresh empty list, then open.
    bool init() override;
    // clear, drop the list, close.
    void shutdown() override;
    // Joins the session, then asks for the default Contacts folder.
    bool open() override;
    // Lets go of the folder, then of the session.
    void close() override;

    // The block the conversions use until detached (null: no custom field).
    void attachMappingBlock(const MappingBlock* block) { mappingBlock_ = block; }

    // Makes a new Outlook contact from the record, which takes the new
    // contact's image (what Outlook accepted) as its native block. `folder`
    // defaults to Contacts. False when the contact could not be saved, or
    // was saved without a property Outlook refused.
    bool addContact(ContactRecord* record, AutomationObject* folder = nullptr);
    // Writes the record's values over the Outlook contact of the record at
    // `position` of `contacts`, found by its EntryID, starting from that
    // contact's stored image so properties the record does not carry keep
    // their value; the stored image then takes what Outlook accepted. False
    // when nothing was written or saved (the stored image is then as it
    // was), or when Outlook refused a property (the rest is saved).
    bool updateContact(const ContactRecord* record, int32_t position);
    // Adds the record to Outlook or overwrites its differing counterpart,
    // keeping `contacts` in step. True when Outlook took all of it.
    bool mergeRecord(const ContactRecord* record);

    // Why the last add or update did not write everything.
    enum class WriteProblem { None, ContactGone, PropertiesRefused, NotSaved, NotReached };
    WriteProblem lastWriteProblem() const { return writeProblem_; }
    // The properties Outlook refused in the last add or update.
    const std::vector<std::string>& lastRefusedProperties() const { return refusedProperties_; }
    // The EntryID the record at `position` was loaded or added with; empty
    // when it could not be read.
    const std::string& entryIdAt(int32_t position) const;

    // While attached, every contact added to or overwritten in the Contacts
    // folder is noted there, so that the operation can be taken back; the
    // listener, when given, hears of each change as it is made.
    void recordChangesInto(std::vector<OutlookContactChange>* changes, OutlookChangeListener* listener = nullptr) {
        changes_ = changes;
        changeListener_ = listener;
    }

    // A contact as a change left it; modified since; deleted since (Outlook
    // answers, but not for its id); or not reachable now (Outlook busy or
    // gone, a failed read, a change noted without its id or time).
    enum class ItemState { AsLeft, ChangedSince, Gone, Unreachable };
    ItemState stateOf(const OutlookContactChange& change);
    // The same for the contact of the record at `position`, against what the
    // load read (AsLeft: as read).
    ItemState stateSinceRead(int32_t position);
    bool isAsLeftBy(const OutlookContactChange& change) { return stateOf(change) == ItemState::AsLeft; }

    enum class TakeBack { Done, ChangedSince, Gone, Unreachable, Failed };
    // Deletes the contact the change added, or gives the one it overwrote
    // its earlier values back. Anything but Done and Failed touches nothing.
    // After a failed restore the change takes the contact's new modification
    // time, so it can be tried again.
    TakeBack takeBack(OutlookContactChange& change);

    // False for a record whose contact Outlook would not give in full (its
    // guard, an item that throws): shown, but never written over the other
    // side, where its empty fields would wipe real values.
    bool fullyRead(const ContactRecord* record) const;
    // The record's text fields (by address) that hold less of their text
    // than Outlook does, while they still hold what the load gave them.
    std::vector<const char*> textsCutOnRead(const ContactRecord* record) const;
    // Items of the folder the last load left out as no contacts
    // (distribution lists and the like): never shown, paired or copied.
    int skippedItems() const { return skippedItems_; }

    bool outlookAvailable() const { return outlookAvailable_; }
    // Null only after shutdown.
    ContactList* contacts() { return contacts_.get(); }

private:
    bool loadItems();
    // The folder item by item, for an Outlook without tables; false when
    // its items cannot be reached.
    bool walkItems(const char* folderName, std::vector<ContactItemRead>* reads);
    void addItemRecord(AutomationObject* item, const char* folderName, ContactItemRead* read);
    // The reads become `contacts`, sorted, without the items that are no
    // contacts.
    void keepReads(std::vector<ContactItemRead>& reads);
    bool keepRecord(const ContactItemRead& read);
    void noteCutOnRead(const ContactRecord& record, const ImageRowSet& cut);
    // The contact of the record at `position`, by its EntryID; none, with
    // the write problem set, when Outlook does not give it.
    AutomationObjectRef itemOf(int32_t position);
    // The contact item of that EntryID, or none; `gone` when Outlook answers
    // but no longer holds it.
    AutomationObjectRef itemById(const std::string& entryId, bool* gone);
    // A new contact in the folder: false when it could not be saved; the
    // EntryID it was saved with, else empty.
    bool addContactItem(ContactRecord* record, AutomationObject* folder, std::string* entryId);
    void noteRefused(const ImageRowSet& refused);
    // The stored image of the record at `position`, or a zeroed one.
    OutlookContactImage storedImage(int32_t position);
    // Makes the image the record's native block, as far as memory allows.
    static void storeImage(ContactRecord* record, const OutlookContactImage& image);
    // The rows the contact at `position` may hold unsaved, made empty if
    // there were none; null when memory runs out.
    ImageRowSet* unsavedRowsAt(int32_t position);
    // `entryId`: the contact's, "" when it could not be read; `after`: the
    // image the write left, with the contact's new time when `timeRead`;
    // `asHeld`: texts read whole from the item before the write.
    void noteChange(OutlookContactChange::Kind kind, const std::string& entryId, const OutlookContactImage& before,
                    const OutlookContactImage& after, bool timeRead,
                    const std::vector<OutlookPropertyValue>& asHeld = {});
    // The contact item of that EntryID when its time of last change is
    // `modifiedAt` (within `tolerance` days); otherwise none, and state says
    // why.
    AutomationObjectRef itemAsOf(const std::string& entryId, double modifiedAt, double tolerance, ItemState* state);
    // The contact item the change names when it is as the change left it;
    // otherwise none, and state says why.
    AutomationObjectRef itemAsLeftBy(const OutlookContactChange& change, ItemState* state);

    std::unique_ptr<ContactList> contacts_;
    AutomationObjectRef contactsFolder_;
    bool outlookAvailable_ = false;
    const MappingBlock* mappingBlock_ = nullptr;
    std::vector<OutlookContactChange>* changes_ = nullptr;
    OutlookChangeListener* changeListener_ = nullptr;
    ContactChangeIndex changeIndex_;
    // By position in `contacts`, the EntryID of its contact ("" when it
    // could not be read).
    std::vector<std::string> entryIds_;
    std::set<const ContactRecord*> partlyRead_;
    // By record, each field cut on the way in (its row) and the text the
    // load left in it.
    std::map<const ContactRecord*, std::vector<std::pair<size_t, std::string>>> cutOnRead_;
    int skippedItems_ = 0;
    // Whether the last load made a record of every item it was given.
    bool allItemsLoaded_ = true;
    bool wholeRead_ = false;
    WriteProblem writeProblem_ = WriteProblem::None;
    std::vector<std::string> refusedProperties_;
    // By position, the rows a refused save may have left in the item: the
    // next write puts them whatever the stored image shows. Only non-empty
    // sets are kept.
    std::map<int32_t, ImageRowSet> unsavedRows_;
};
