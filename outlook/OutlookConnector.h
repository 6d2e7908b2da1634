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
// merges single contacts. A record's position in `contacts` is the order of
// enumeration, so position p is the folder's item p + 1.
class OutlookConnector : public OutlookSession {
public:
    OutlookConnector();
    ~OutlookConnector() override;

    // Reloads `contacts` from the Contacts folder. False without a folder or
    // when its items cannot be reached; an enumeration that breaks off keeps
    // what was read and still succeeds.
    bool load() override;
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
    // defaults to Contacts. False when the contact could not be saved.
    bool addContact(ContactRecord* record, AutomationObject* folder = nullptr);
    // Writes the record's values over the Outlook contact at `position` of
    // `contacts`, starting from that contact's stored image so properties the
    // record does not carry keep their value; the stored image then takes
    // what Outlook accepted. False when nothing was written or saved (the
    // stored image is then as it was).
    bool updateContact(const ContactRecord* record, int32_t position);
    // Adds the record to Outlook or overwrites its differing counterpart,
    // keeping `contacts` in step. True when Outlook was changed.
    bool mergeRecord(const ContactRecord* record);

    // While attached, every contact added to or overwritten in the Contacts
    // folder is noted there, so that the operation can be taken back; the
    // listener, when given, hears of each change as it is made.
    void recordChangesInto(std::vector<OutlookContactChange>* changes, OutlookChangeListener* listener = nullptr)
    {
        changes_ = changes;
        changeListener_ = listener;
    }

    // A contact as a change left it; modified since; deleted since (Outlook
    // answers, but not for its id); or not reachable now (Outlook busy or
    // gone, a failed read, a change noted without its id or time).
    enum class ItemState { AsLeft, ChangedSince, Gone, Unreachable };
    ItemState stateOf(const OutlookContactChange& change);
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
    void addItemRecord(AutomationObject* item, const char* folderName, int32_t position, ContactItemRead* read);
    // The reads become `contacts`, sorted, without the items that are no
    // contacts.
    void keepReads(std::vector<ContactItemRead>& reads);
    bool keepRecord(const ContactItemRead& read);
    // The stored image of the record at `position`, or a zeroed one.
    OutlookContactImage storedImage(int32_t position);
    // Makes the image the record's native block, as far as memory allows.
    static void storeImage(ContactRecord* record, const OutlookContactImage& image);
    // From `position` on, a record no longer knows which "Item" it is.
    void stopAddressingFrom(int32_t position);
    // The rows the contact at `position` may hold unsaved, made empty if
    // there were none; null when memory runs out.
    ImageRowSet* unsavedRowsAt(int32_t position);
    // `asHeld`: texts read whole from the item before the write.
    void noteChange(AutomationObject* item, OutlookContactChange::Kind kind, const OutlookContactImage& before,
                    const OutlookContactImage& after, const std::vector<OutlookPropertyValue>& asHeld = {});
    // The contact item the change names when it is as the change left it;
    // otherwise none, and state says why.
    AutomationObjectRef itemAsLeftBy(const OutlookContactChange& change, ItemState* state);

    std::unique_ptr<ContactList> contacts_;
    // By position in `contacts_`, each loaded contact's "EntryID" ("" when
    // unread; a record added since may have none here).
    std::vector<std::string> entryIds_;
    std::set<const ContactRecord*> partlyRead_;
    int skippedItems_ = 0;
    AutomationObjectRef contactsFolder_;
    bool outlookAvailable_ = false;
    const MappingBlock* mappingBlock_ = nullptr;
    std::vector<OutlookContactChange>* changes_ = nullptr;
    OutlookChangeListener* changeListener_ = nullptr;
    ContactChangeIndex changeIndex_;
    // Whether the last load made a record of every item, and how many leading
    // records stand for "Item" 1, 2, ... in order.
    bool allItemsLoaded_ = true;
    int32_t addressableCount_ = 0;
    // By position, the rows a refused save may have left in the item: the
    // next write puts them whatever the stored image shows. Only non-empty
    // sets are kept.
    std::map<int32_t, ImageRowSet> unsavedRows_;
};
