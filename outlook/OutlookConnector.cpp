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
        if (row.kind != ImageValueKind::Text || unsaved.test(changing.row))
            continue;
        AutomationValue value;
        OutlookPropertyValue whole;
        if (automationSucceeded(invokeByName(item, row.propertyName, AutomationCallKind::PropertyGet, {}, &value)) &&
            value.isText() && wholeText(changing.row, value.text(), &whole))
            read.push_back(std::move(whole));
    }
    return read;
}

}  // namespace

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
    if (contacts_)
        contacts_->clear();
    entryIds_.clear();
    unsavedRows_.clear();
    partlyRead_.clear();
    cutOnRead_.clear();
    skippedItems_ = 0;
}

bool OutlookConnector::open() {
    if (!OutlookSession::open())
        return false;
    contactsFolder_ =
        ofKind(callForObject(nameSpace().get(), "GetDefaultFolder", integerArgument(ContactsFolderId)), "Folder");
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
    wholeRead_ = false;
    if (!contactsFolder_ || !contacts_)
        return false;
    const bool loaded = loadItems();
    wholeRead_ = loaded && allItemsLoaded_ && !outlookGone();
    return loaded;
}

bool OutlookConnector::outlookGone() const { return automationServerGone(); }

bool OutlookConnector::reconnect() {
    clear();
    wholeRead_ = false;
    // Both opens of construction given back and taken again, so the session
    // ends and the next open starts Outlook anew.
    const int32_t held = heldReferences();
    for (int32_t count = 0; count < held; ++count)
        close();
    forgetAutomationServerGone();
    for (int32_t count = 1; count < held; ++count)
        OutlookSession::open();
    return open();
}

const std::string& OutlookConnector::entryIdAt(int32_t position) const {
    static const std::string none;
    if (position < 0 || static_cast<size_t>(position) >= entryIds_.size())
        return none;
    return entryIds_[static_cast<size_t>(position)];
}

bool OutlookConnector::loadItems() {
    char folderName[FolderNameCapacity] = {};
    getTextProperty(contactsFolder_.get(), "Name", folderName, FolderNameCapacity);
    allItemsLoaded_ = true;
    std::vector<ContactItemRead> reads;
    // A table gives the folder in a few calls; the walk costs some 80 a
    // contact, each a round trip to Outlook's process.
    const TableRead table = readContactTable(contactsFolder_.get(), nameSpace().get(), folderName, &reads);
    if (table == TableRead::Partial)
        allItemsLoaded_ = false;
    if (table == TableRead::NotOffered) {
        reads.clear();
        if (!walkItems(folderName, &reads))
            return false;
    }
    keepReads(reads);
    return true;
}

bool OutlookConnector::walkItems(const char* folderName, std::vector<ContactItemRead>* reads) {
    AutomationObjectRef items = ofKind(getObjectProperty(contactsFolder_.get(), "Items"), "Items");
    if (!items)
        return false;
    // Each item is let go as soon as the next one replaces it.
    const char* step = "GetFirst";
    for (;;) {
        AutomationValue result;
        if (!automationSucceeded(invokeByName(items.get(), step, AutomationCallKind::Method, {}, &result))) {
            allItemsLoaded_ = false;
            break;
        }
        if (!result.isObject() || !result.object())
            break;
        AutomationObject* item = result.object().get();
        item->setMemberKind("ContactItem");
        try {
            reads->push_back(ContactItemRead());
        } catch (const std::bad_alloc&) {
            allItemsLoaded_ = false;
            break;
        }
        addItemRecord(item, folderName, &reads->back());
        step = "GetNext";
    }
    return true;
}

void OutlookConnector::addItemRecord(AutomationObject* item, const char* folderName, ContactItemRead* read) {
    copyText(read->image.folderName, folderName);
    // The kind first: a distribution list has none of a contact's properties.
    AutomationValue kind;
    if (automationSucceeded(invokeByName(item, "MessageClass", AutomationCallKind::PropertyGet, {}, &kind)) &&
        kind.isText())
        read->isContact = isContactMessageClass(kind.text());
    char entryId[EntryIdCapacity] = {};
    getTextProperty(item, "EntryID", entryId, EntryIdCapacity);
    read->entryId = entryId;
    if (read->isContact)
        readContactItem(item, &read->image, &read->refused, &read->cut);
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
    for (const ContactItemRead& read : reads) {
        if (!read.isContact) {
            ++skippedItems_;
            continue;
        }
        if (!keepRecord(read))
            allItemsLoaded_ = false;
    }
}

bool OutlookConnector::keepRecord(const ContactItemRead& read) {
    std::unique_ptr<ContactRecord> record(new (std::nothrow) ContactRecord());
    if (!record)
        return false;
    imageToRecord(&read.image, record.get(), mappingBlock_);
    const ContactRecord* kept = record.get();
    try {
        record->nativeData = imageToBytes(read.image);
        if (read.refused.any())
            partlyRead_.insert(kept);
        noteCutOnRead(*kept, read.cut);
        entryIds_.push_back(read.entryId);
    } catch (const std::bad_alloc&) {
        partlyRead_.erase(kept);
        cutOnRead_.erase(kept);
        return false;
    }
    record->sourceType = SourceTypeOutlook;
    if (contacts_->append(std::move(record)))
        return true;
    partlyRead_.erase(kept);
    cutOnRead_.erase(kept);
    entryIds_.pop_back();
    return false;
}

bool OutlookConnector::fullyRead(const ContactRecord* record) const { return record && partlyRead_.count(record) == 0; }

static std::string fieldText(const char* text, const ImageRow& row) {
    return std::string(text, strnlen(text, row.recordSize));
}

void OutlookConnector::noteCutOnRead(const ContactRecord& record, const ImageRowSet& cut) {
    if (cut.none())
        return;
    auto& fields = cutOnRead_[&record];
    for (size_t index = 0; index < contactImageRows().size(); ++index) {
        const ImageRow& row = contactImageRows()[index];
        if (cut.test(index))
            fields.emplace_back(index, fieldText(recordField(record, row), row));
    }
}

std::vector<const char*> OutlookConnector::textsCutOnRead(const ContactRecord* record) const {
    std::vector<const char*> texts;
    const auto found = record ? cutOnRead_.find(record) : cutOnRead_.end();
    if (found == cutOnRead_.end())
        return texts;
    for (const auto& field : found->second) {
        const ImageRow& row = contactImageRows()[field.first];
        const char* text = recordField(*record, row);
        // A field written since holds another text, cut or not.
        if (field.second == fieldText(text, row))
            texts.push_back(text);
    }
    return texts;
}

bool OutlookConnector::addContact(ContactRecord* record, AutomationObject* folder) {
    std::string entryId;
    return addContactItem(record, folder, &entryId);
}

// The contact's time of last change as its save left it, into the image the
// write left: the contact is then as Quillset last read or wrote it.
static bool takeModificationTime(AutomationObject* item, OutlookContactImage* held) {
    double modified = 0.0;
    if (!getDateProperty(item, "LastModificationTime", &modified))
        return false;
    held->lastModificationTime = modified;
    return true;
}

bool OutlookConnector::addContactItem(ContactRecord* record, AutomationObject* folder, std::string* entryId) {
    writeProblem_ = WriteProblem::NotReached;
    refusedProperties_.clear();
    entryId->clear();
    if (!record)
        return false;
    if (!folder)
        folder = contactsFolder_.get();
    if (!folder)
        return false;
    AutomationObjectRef items = ofKind(getObjectProperty(folder, "Items"), "Items");
    if (!items)
        return false;
    AutomationObjectRef item =
        ofKind(callForObject(items.get(), "Add", integerArgument(ContactItemType)), "ContactItem");
    if (!item)
        return false;

    OutlookContactImage image;
    recordToImage(record, &image, mappingBlock_);
    // A new item holds nothing yet; the fields Outlook never sees are the
    // record's own.
    OutlookContactImage held;
    for (const ImageRow& row : contactImageRows()) {
        if (!row.propertyName || row.readOnly)
            copyImageField(held, image, row);
    }
    ImageRowSet refused;
    if (!writeContactItem(item.get(), &image, &held, nullptr, &refused)) {
        writeProblem_ = WriteProblem::NotSaved;
        return false;
    }
    char id[EntryIdCapacity] = {};
    if (getTextProperty(item.get(), "EntryID", id, EntryIdCapacity))
        *entryId = id;
    const bool timeRead = takeModificationTime(item.get(), &held);
    // The contact exists now, so this is success even if the block cannot be
    // kept: without one, the next write starts from zeros and puts it all.
    storeImage(record, held);
    if (folder == contactsFolder_.get())
        noteChange(OutlookContactChange::Kind::Added, *entryId, held, held, timeRead);
    writeProblem_ = WriteProblem::None;
    noteRefused(refused);
    return refused.none();
}

void OutlookConnector::noteRefused(const ImageRowSet& refused) {
    if (refused.none())
        return;
    writeProblem_ = WriteProblem::PropertiesRefused;
    for (size_t index = 0; index < contactImageRows().size(); ++index) {
        if (refused.test(index))
            refusedProperties_.push_back(contactImageRows()[index].propertyName);
    }
}

AutomationObjectRef OutlookConnector::itemOf(int32_t position) {
    bool gone = false;
    AutomationObjectRef item = itemById(entryIdAt(position), &gone);
    writeProblem_ = item ? WriteProblem::None : gone ? WriteProblem::ContactGone : WriteProblem::NotReached;
    return item;
}

AutomationObjectRef OutlookConnector::itemById(const std::string& entryId, bool* gone) {
    *gone = false;
    if (entryId.empty())
        return nullptr;
    AutomationValue result;
    const int32_t status = invokeByName(nameSpace().get(), "GetItemFromID", AutomationCallKind::Method,
                                        {AutomationValue::fromText(ansiToUtf16(entryId))}, &result);
    AutomationObjectRef item =
        ofKind(automationSucceeded(status) && result.isObject() ? result.object() : nullptr, "ContactItem");
    // Outlook raises its plain failure for an id it no longer holds; that
    // the contact is gone and not Outlook shows when the folder answers.
    if (!item && status == AutomationStatus::Exception && getObjectProperty(contactsFolder_.get(), "Items"))
        *gone = true;
    return item;
}

OutlookConnector::ItemState OutlookConnector::stateSinceRead(int32_t position) {
    // A table may give the time with less of the second than the item does.
    constexpr double toleranceInDays = 1.0 / (24.0 * 60.0 * 60.0);
    ItemState state = ItemState::Unreachable;
    itemAsOf(entryIdAt(position), storedImage(position).lastModificationTime, toleranceInDays, &state);
    return state;
}

OutlookContactImage OutlookConnector::storedImage(int32_t position) {
    OutlookContactImage image;
    const ContactRecord* stored = contacts_ ? contacts_->at(position) : nullptr;
    // A block that is not an image of the right size starts from zeros.
    if (stored)
        imageFromBytes(stored->nativeData, &image);
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

bool OutlookConnector::updateContact(const ContactRecord* record, int32_t position) {
    writeProblem_ = WriteProblem::NotReached;
    refusedProperties_.clear();
    if (!record || !contacts_ || !contactsFolder_ || !contacts_->at(position))
        return false;
    AutomationObjectRef item = itemOf(position);
    if (!item)
        return false;

    // Taken before anything is put, so a refused save can always be remembered.
    ImageRowSet* unsaved = unsavedRowsAt(position);
    if (!unsaved)
        return false;

    OutlookContactImage held = storedImage(position);
    const OutlookContactImage before = held;
    OutlookContactImage image = held;
    recordToImage(record, &image, mappingBlock_);
    std::vector<OutlookPropertyValue> asHeld;
    if (changes_)
        asHeld = textsAboutToChange(item.get(), before, image, *unsaved);
    // Only what the record changes is put: a property put back as held would
    // come back cut to its field and with its characters outside the code page
    // lost.
    ImageRowSet refused;
    const bool saved = writeContactItem(item.get(), &image, &held, unsaved, &refused);
    if (unsaved->none())
        unsavedRows_.erase(position);
    if (!saved) {
        writeProblem_ = WriteProblem::NotSaved;
        return false;
    }
    writeProblem_ = WriteProblem::None;
    const bool timeRead = takeModificationTime(item.get(), &held);
    noteChange(OutlookContactChange::Kind::Overwritten, entryIdAt(position), before, held, timeRead, asHeld);
    // The stored image follows Outlook, so a later write in this run (another
    // record matching this contact, a second synchronization) is compared
    // against what Outlook now holds, not against the first read.
    storeImage(contacts_->at(position), held);
    noteRefused(refused);
    return refused.none();
}

bool OutlookConnector::mergeRecord(const ContactRecord* record) {
    if (!record || !contacts_ || !contactsFolder_)
        return false;
    const MatchResult match = findMatch(contacts_.get(), record);
    if (match.code == MatchNone) {
        // A working copy, so the caller's record keeps its own native block.
        std::unique_ptr<ContactRecord> working(new (std::nothrow) ContactRecord());
        if (!working)
            return false;
        assignRecordValues(*working, *record);
        std::string entryId;
        const bool written = addContactItem(working.get(), nullptr, &entryId);
        if (!written && writeProblem_ != WriteProblem::PropertiesRefused)
            return false;
        // Saved without what Outlook refused: the list shows what it holds.
        OutlookContactImage held;
        if (!written && imageFromBytes(working->nativeData, &held))
            imageToRecord(&held, working.get(), mappingBlock_);
        try {
            entryIds_.push_back(entryId);
        } catch (const std::bad_alloc&) {
            return written;
        }
        if (!contacts_->addCopy(working.get()))
            entryIds_.pop_back();
        return written;
    }
    if (match.code == MatchDiffers) {
        // Outlook first: the list shows the new values only once they are there.
        if (!updateContact(record, match.position))
            return false;
        assignRecordValues(*match.record, *record);
        return true;
    }
    return false;
}

void OutlookConnector::noteChange(OutlookContactChange::Kind kind, const std::string& entryId,
                                  const OutlookContactImage& before, const OutlookContactImage& after, bool timeRead,
                                  const std::vector<OutlookPropertyValue>& asHeld) {
    if (!changes_)
        return;
    OutlookContactChange change;
    change.kind = kind;
    // Without its id or time the change is still noted, as one Undo cannot
    // reach, so it can name it; never as an id or time it does not have.
    change.reachable = !entryId.empty() && timeRead;
    if (change.reachable) {
        change.entryId = entryId;
        change.modifiedAfter = after.lastModificationTime;
    }
    if (kind == OutlookContactChange::Kind::Overwritten)
        change.previous = changedProperties(before, after, asHeld);
    change.names = contactNames(after.firstName, after.lastName, after.companyName, after.email1Address);
    if (changeListener_)
        changeListener_->changeNoted(change);
    changeIndex_.note(*changes_, std::move(change));
}

AutomationObjectRef OutlookConnector::itemAsOf(const std::string& entryId, double modifiedAt, double tolerance,
                                               ItemState* state) {
    *state = ItemState::Unreachable;
    bool gone = false;
    AutomationObjectRef item = itemById(entryId, &gone);
    if (!item) {
        if (gone)
            *state = ItemState::Gone;
        return nullptr;
    }
    double modified = 0.0;
    if (!getDateProperty(item.get(), "LastModificationTime", &modified))
        return nullptr;
    if (modified - modifiedAt > tolerance || modifiedAt - modified > tolerance) {
        *state = ItemState::ChangedSince;
        return nullptr;
    }
    *state = ItemState::AsLeft;
    return item;
}

AutomationObjectRef OutlookConnector::itemAsLeftBy(const OutlookContactChange& change, ItemState* state) {
    *state = ItemState::Unreachable;
    if (!change.reachable)
        return nullptr;
    return itemAsOf(change.entryId, change.modifiedAfter, 0.0, state);
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
    if (restoreProperties(item.get(), change.previous))
        return TakeBack::Done;
    getDateProperty(item.get(), "LastModificationTime", &change.modifiedAfter);
    return TakeBack::Failed;
}
