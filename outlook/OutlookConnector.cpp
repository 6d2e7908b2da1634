#include "outlook/OutlookConnector.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "outlook/AutomationCalls.h"
#include "outlook/ContactTableRead.h"
#include "outlook/OutlookContactImage.h"
#include "outlook/OutlookMapping.h"
#include "platform/TextCodec.h"
#include "sync/ContactNames.h"
#include "sync/RecordMatching.h"
#include "sync/SourceType.h"
#include "sync/TextField.h"

namespace {

const int32_t ContactsFolderId = 10;
const int32_t ContactItemType = 2;
// The folder name becomes every record's category: at most 30 characters.
const uint32_t FolderNameCapacity = 31;
// Outlook's ids are hex texts of some 140 characters.
const uint32_t EntryIdCapacity = 512;

// The object a method answers with, or none when it fails or gives Nothing.
AutomationObjectRef callForObject(AutomationObject* object, const char* name,
                                  const std::vector<AutomationValue>& arguments = {}) {
    AutomationValue result;
    if (!automationSucceeded(invokeByName(object, name, AutomationCallKind::Method, arguments, &result)))
        return nullptr;
    return result.isObject() ? result.object() : nullptr;
}

std::vector<AutomationValue> integerArgument(int32_t value) {
    return std::vector<AutomationValue>(1, AutomationValue::fromInt(value));
}

// The texts a write from `before` to `image` is about to change, read whole
// from the item: the image holds them cut to their field and through the code
// page, too little to give back. A row a refused save may have left put but
// unsaved is not read, as the item may show that put rather than what is
// saved; it, and any text that cannot be read, keeps the image's value.
std::vector<OutlookPropertyValue> textsAboutToChange(AutomationObject* item, const OutlookContactImage& before,
                                                     const OutlookContactImage& image, const ImageRowSet& unsaved) {
    std::vector<OutlookPropertyValue> read;
    for (const OutlookPropertyValue& changing : changedProperties(before, image)) {
        const ImageRow& row = contactImageRows()[changing.row];
        if (row.kind != ImageValueKind::Text || unsaved.test(changing.row)) continue;
        AutomationValue value;
        OutlookPropertyValue whole;
        if (automationSucceeded(invokeByName(item, row.propertyName, AutomationCallKind::PropertyGet, {}, &value)) &&
            value.isText() && wholeText(changing.row, value.text(), &whole))
            read.push_back(std::move(whole));
    }
    return read;
}

}

OutlookConnector::OutlookConnector() { init(); }

OutlookConnector::~OutlookConnector() { shutdown(); }

bool OutlookConnector::init() {
    contacts_.reset(new (std::nothrow) ContactList());
    contactsFolder_.reset();
    const bool opened = open();
    mappingBlock_ = nullptr;
    return opened;
}

void OutlookConnector::shutdown() {
    clear();
    contacts_.reset();
    close();
}

void OutlookConnector::clear() {
    if (contacts_) contacts_->clear();
    unsavedRows_.clear();
    entryIds_.clear();
    partlyRead_.clear();
    skippedItems_ = 0;
}

bool OutlookConnector::open() {
    if (!OutlookSession::open()) return false;
    contactsFolder_ = callForObject(nameSpace().get(), "GetDefaultFolder", integerArgument(ContactsFolderId));
    if (contactsFolder_) {
        outlookAvailable_ = true;
        return true;
    }
    close();
    outlookAvailable_ = false;
    return false;
}

void OutlookConnector::close() {
    contactsFolder_.reset();
    OutlookSession::close();
}

bool OutlookConnector::load() {
    clear();
    if (!contactsFolder_ || !contacts_) return false;
    return loadItems();
}

bool OutlookConnector::loadItems() {
    char folderName[FolderNameCapacity] = {};
    contactsFolder_->setMemberKind("Folder");
    getTextProperty(contactsFolder_.get(), "Name", folderName, FolderNameCapacity);
    allItemsLoaded_ = true;
    std::vector<ContactItemRead> reads;
    // A table gives the folder in a few calls; the walk costs some 80 a
    // contact, each a round trip to Outlook's process.
    const TableRead table = readContactTable(contactsFolder_.get(), nameSpace().get(), folderName, &reads);
    if (table == TableRead::Partial) allItemsLoaded_ = false;
    if (table == TableRead::NotOffered) {
        reads.clear();
        if (!walkItems(folderName, &reads)) return false;
    }
    keepReads(reads);
    return true;
}

bool OutlookConnector::walkItems(const char* folderName, std::vector<ContactItemRead>* reads) {
    AutomationObjectRef items = getObjectProperty(contactsFolder_.get(), "Items");
    if (!items) return false;
    items->setMemberKind("Items");
    // Each item is let go as soon as the next one replaces it.
    const char* step = "GetFirst";
    for (int32_t position = 1;; ++position) {
        AutomationValue result;
        if (!automationSucceeded(invokeByName(items.get(), step, AutomationCallKind::Method, {}, &result))) {
            allItemsLoaded_ = false;
            break;
        }
        if (!result.isObject() || !result.object()) break;
        AutomationObject* item = result.object().get();
        item->setMemberKind("ContactItem");
        try {
            reads->push_back(ContactItemRead());
        } catch (const std::bad_alloc&) {
            allItemsLoaded_ = false;
            break;
        }
        addItemRecord(item, folderName, position, &reads->back());
        step = "GetNext";
    }
    return true;
}

void OutlookConnector::addItemRecord(AutomationObject* item, const char* folderName, int32_t position,
                                     ContactItemRead* read) {
    read->itemPosition = position;
    copyText(read->image.folderName, folderName);
    // The kind first: a distribution list has none of a contact's properties.
    AutomationValue kind;
    if (automationSucceeded(invokeByName(item, "MessageClass", AutomationCallKind::PropertyGet, {}, &kind)) &&
        kind.isText())
        read->isContact = isContactMessageClass(kind.text());
    char entryId[EntryIdCapacity] = {};
    getTextProperty(item, "EntryID", entryId, EntryIdCapacity);
    read->entryId = entryId;
    if (read->isContact) readContactItem(item, &read->image, &read->refused);
}

void OutlookConnector::keepReads(std::vector<ContactItemRead>& reads) {
    // Neither "Items" nor a table promises an order, and the lists' order
    // decides which counterpart is found first: both ways of reading give
    // the records by creation time, then id, so the same folder always
    // loads alike.
    std::stable_sort(reads.begin(), reads.end(), [](const ContactItemRead& left, const ContactItemRead& right) {
        if (left.image.creationTime != right.image.creationTime)
            return left.image.creationTime < right.image.creationTime;
        return left.entryId < right.entryId;
    });
    // A position names the item "Item" (position + 1) gives only as far as
    // the records stand in the folder's own order.
    // A walk that broke off still names its leading items right.
    addressableCount_ = 0;
    bool inItemOrder = true;
    for (const ContactItemRead& read : reads) {
        if (!read.isContact) {
            ++skippedItems_;
            inItemOrder = false;
            continue;
        }
        if (read.itemPosition != contacts_->count() + 1) inItemOrder = false;
        if (!keepRecord(read)) {
            inItemOrder = false;
            continue;
        }
        if (inItemOrder) addressableCount_ = contacts_->count();
    }
    if (!inItemOrder) allItemsLoaded_ = false;
}

bool OutlookConnector::keepRecord(const ContactItemRead& read) {
    std::unique_ptr<ContactRecord> record(new (std::nothrow) ContactRecord());
    if (!record) return false;
    imageToRecord(&read.image, record.get(), mappingBlock_);
    try {
        record->nativeData = imageToBytes(read.image);
        entryIds_.reserve(contacts_->count() + 1);
        if (read.refused.any()) partlyRead_.insert(record.get());
    } catch (const std::bad_alloc&) {
        return false;
    }
    record->sourceType = SourceTypeOutlook;
    const ContactRecord* kept = record.get();
    if (!contacts_->append(std::move(record))) {
        partlyRead_.erase(kept);
        return false;
    }
    entryIds_.resize(contacts_->count() - 1);
    entryIds_.push_back(read.entryId);
    return true;
}

bool OutlookConnector::fullyRead(const ContactRecord* record) const {
    return record && partlyRead_.count(record) == 0;
}

bool OutlookConnector::addContact(ContactRecord* record, AutomationObject* folder) {
    if (!record) return false;
    if (!folder) folder = contactsFolder_.get();
    if (!folder) return false;
    AutomationObjectRef items = getObjectProperty(folder, "Items");
    if (!items) return false;
    AutomationObjectRef item = callForObject(items.get(), "Add", integerArgument(ContactItemType));
    if (!item) return false;

    OutlookContactImage image;
    recordToImage(record, &image, mappingBlock_);
    // A new item holds nothing yet; the fields Outlook never sees are the
    // record's own.
    OutlookContactImage held;
    for (const ImageRow& row : contactImageRows()) {
        if (!row.propertyName || row.readOnly) copyImageField(held, image, row);
    }
    if (!writeContactItem(item.get(), &image, &held)) {
        // Whether Outlook keeps the unsaved item is unknown, so no later
        // position can be trusted to name its "Item".
        if (folder == contactsFolder_.get() && contacts_) stopAddressingFrom(contacts_->count());
        return false;
    }
    // The contact exists now, so this is success even if the block cannot be
    // kept: without one, the next write starts from zeros and puts it all.
    storeImage(record, held);
    if (folder == contactsFolder_.get()) noteChange(item.get(), OutlookContactChange::Kind::Added, held, held);
    return true;
}

OutlookContactImage OutlookConnector::storedImage(int32_t position) {
    OutlookContactImage image;
    const ContactRecord* stored = contacts_ ? contacts_->at(position) : nullptr;
    // A block that is not an image of the right size starts from zeros.
    if (stored) imageFromBytes(stored->nativeData, &image);
    return image;
}

void OutlookConnector::storeImage(ContactRecord* record, const OutlookContactImage& image) {
    // A block that is already an image is overwritten in place: nothing to
    // allocate, so a stored image can never be left stale.
    if (record->nativeData.size() == sizeof image) {
        std::memcpy(record->nativeData.data(), &image, sizeof image);
        return;
    }
    try {
        record->nativeData = imageToBytes(image);
    } catch (const std::bad_alloc&) {
        // Any other block is no image either: the next write starts from zeros.
    }
}

ImageRowSet* OutlookConnector::unsavedRowsAt(int32_t position) {
    try {
        return &unsavedRows_[position];
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

void OutlookConnector::stopAddressingFrom(int32_t position) {
    if (allItemsLoaded_ || position < addressableCount_) addressableCount_ = position;
    allItemsLoaded_ = false;
}

bool OutlookConnector::updateContact(const ContactRecord* record, int32_t position) {
    if (!record || position < 0 || !contactsFolder_) return false;
    AutomationObjectRef items = getObjectProperty(contactsFolder_.get(), "Items");
    if (!items) return false;
    // Nothing written is reported, so the caller does not count it as done.
    // After a load that missed items, a record past the last addressable one
    // has no known item: "Item" would name another contact.
    if (!allItemsLoaded_ && position >= addressableCount_) return false;
    AutomationObjectRef item = callForObject(items.get(), "Item", integerArgument(position + 1));
    if (!item) return false;

    // Taken before anything is put, so a refused save can always be remembered.
    ImageRowSet* unsaved = unsavedRowsAt(position);
    if (!unsaved) return false;

    OutlookContactImage held = storedImage(position);
    const OutlookContactImage before = held;
    OutlookContactImage image = held;
    recordToImage(record, &image, mappingBlock_);
    std::vector<OutlookPropertyValue> asHeld;
    if (changes_) asHeld = textsAboutToChange(item.get(), before, image, *unsaved);
    // Only what the record changes is put: a property put back as held would
    // come back cut to its field and with its characters outside the code page
    // lost.
    const bool saved = writeContactItem(item.get(), &image, &held, unsaved);
    if (unsaved->none()) unsavedRows_.erase(position);
    if (!saved) return false;
    noteChange(item.get(), OutlookContactChange::Kind::Overwritten, before, held, asHeld);
    // The stored image follows Outlook, so a later write in this run (another
    // record matching this contact, a second synchronization) is compared
    // against what Outlook now holds, not against the first read.
    ContactRecord* stored = contacts_ ? contacts_->at(position) : nullptr;
    if (stored) storeImage(stored, held);
    return true;
}

bool OutlookConnector::mergeRecord(const ContactRecord* record) {
    if (!record || !contacts_ || !contactsFolder_) return false;
    const MatchResult match = findMatch(contacts_.get(), record);
    if (match.code == MatchNone) {
        // A working copy, so the caller's record keeps its own native block.
        std::unique_ptr<ContactRecord> working(new (std::nothrow) ContactRecord());
        if (!working) return false;
        assignRecordValues(*working, *record);
        const int32_t position = contacts_->count();
        if (!addContact(working.get())) return false;
        // Without its record the new item would shift every later one.
        if (!contacts_->addCopy(working.get())) stopAddressingFrom(position);
        return true;
    }
    if (match.code == MatchDiffers) {
        // Outlook first: the list shows the new values only once they are there.
        if (!updateContact(record, match.position)) return false;
        assignRecordValues(*match.record, *record);
        return true;
    }
    return false;
}

void OutlookConnector::noteChange(AutomationObject* item, OutlookContactChange::Kind kind,
                                  const OutlookContactImage& before, const OutlookContactImage& after,
                                  const std::vector<OutlookPropertyValue>& asHeld) {
    if (!changes_) return;
    OutlookContactChange change;
    change.kind = kind;
    char entryId[EntryIdCapacity] = {};
    // Without its id or time the change is still noted, as one Undo cannot
    // reach, so it can name it; never as an id or time it does not have.
    const bool idRead = getTextProperty(item, "EntryID", entryId, EntryIdCapacity) && entryId[0] != '\0';
    const bool timeRead = getDateProperty(item, "LastModificationTime", &change.modifiedAfter);
    change.reachable = idRead && timeRead;
    if (change.reachable) change.entryId = entryId;
    else change.modifiedAfter = 0.0;
    if (kind == OutlookContactChange::Kind::Overwritten) change.previous = changedProperties(before, after, asHeld);
    change.names = contactNames(after.firstName, after.lastName, after.companyName, after.email1Address);
    if (changeListener_) changeListener_->changeNoted(change);
    changeIndex_.note(*changes_, std::move(change));
}

AutomationObjectRef OutlookConnector::itemAsLeftBy(const OutlookContactChange& change, ItemState* state) {
    *state = ItemState::Unreachable;
    if (!change.reachable || change.entryId.empty()) return nullptr;
    AutomationValue result;
    const int32_t status = invokeByName(nameSpace().get(), "GetItemFromID", AutomationCallKind::Method,
                                        {AutomationValue::fromText(ansiToUtf16(change.entryId))}, &result);
    AutomationObjectRef item = automationSucceeded(status) && result.isObject() ? result.object() : nullptr;
    if (!item) {
        // Outlook raises its plain failure for an id it no longer holds; that
        // the contact is gone and not Outlook shows when the folder answers.
        if (status == AutomationStatus::Exception && getObjectProperty(contactsFolder_.get(), "Items"))
            *state = ItemState::Gone;
        return nullptr;
    }
    double modified = 0.0;
    if (!getDateProperty(item.get(), "LastModificationTime", &modified)) return nullptr;
    if (modified != change.modifiedAfter) {
        *state = ItemState::ChangedSince;
        return nullptr;
    }
    *state = ItemState::AsLeft;
    return item;
}

OutlookConnector::ItemState OutlookConnector::stateOf(const OutlookContactChange& change) {
    ItemState state = ItemState::Unreachable;
    itemAsLeftBy(change, &state);
    return state;
}

OutlookConnector::TakeBack OutlookConnector::takeBack(OutlookContactChange& change) {
    ItemState state = ItemState::Unreachable;
    AutomationObjectRef item = itemAsLeftBy(change, &state);
    switch (state) {
    case ItemState::AsLeft: break;
    case ItemState::ChangedSince: return TakeBack::ChangedSince;
    case ItemState::Gone: return TakeBack::Gone;
    case ItemState::Unreachable: return TakeBack::Unreachable;
    }
    if (change.kind == OutlookContactChange::Kind::Added) {
        const int32_t status = invokeByName(item.get(), "Delete", AutomationCallKind::Method, {}, nullptr);
        return automationSucceeded(status) ? TakeBack::Done : TakeBack::Failed;
    }
    if (restoreProperties(item.get(), change.previous)) return TakeBack::Done;
    getDateProperty(item.get(), "LastModificationTime", &change.modifiedAfter);
    return TakeBack::Failed;
}
