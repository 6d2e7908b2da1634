#include "palmstore/PalmRecordCopy.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <string>

#include "sync/TextField.h"

// Every copy has values to show: its own, or its source's. Running out of
// memory throws std::bad_alloc, which the store catches per operation.

PalmRecordCopy::PalmRecordCopy(PalmFormat format)
    : format_(format == PalmFormat::Older ? PalmFormat::Older : PalmFormat::Format4) {
    if (format_ == PalmFormat::Older)
        own1_.reset(new PalmAddressRecord);
    else
        own4_.reset(new PalmAddressRecord4);
}

PalmRecordCopy::PalmRecordCopy(PalmAddressRecord* source) : format_(PalmFormat::Older), source1_(source) {
    if (source == nullptr)
        own1_.reset(new PalmAddressRecord);
}

PalmRecordCopy::PalmRecordCopy(PalmAddressRecord4* source) : format_(PalmFormat::Format4), source4_(source) {
    if (source == nullptr)
        own4_.reset(new PalmAddressRecord4);
}

PalmRecordCopy::PalmRecordCopy(const PalmAddressRecord& record, PalmAddressRecord* source)
    : format_(PalmFormat::Older), own1_(new PalmAddressRecord(record)), source1_(source) {}

PalmRecordCopy::PalmRecordCopy(const PalmAddressRecord4& record, PalmAddressRecord4* source)
    : format_(PalmFormat::Format4), own4_(new PalmAddressRecord4(record)), source4_(source) {}

PalmRecordCopy::PalmRecordCopy(const PalmRecordCopy& other)
    : format_(other.format_), own1_(other.own1_ ? new PalmAddressRecord(*other.own1_) : nullptr),
      own4_(other.own4_ ? new PalmAddressRecord4(*other.own4_) : nullptr), source1_(other.source1_),
      source4_(other.source4_) {}

PalmRecordCopy& PalmRecordCopy::operator=(const PalmRecordCopy& other) {
    if (this != &other) {
        PalmRecordCopy fresh(other);
        *this = std::move(fresh);
    }
    return *this;
}

PalmRecordCopy::~PalmRecordCopy() = default;

PalmAddressRecord* PalmRecordCopy::editRecord1() {
    if (format_ != PalmFormat::Older)
        return nullptr;
    if (!own1_)
        own1_.reset(new PalmAddressRecord(*source1_));
    return own1_.get();
}

PalmAddressRecord4* PalmRecordCopy::editRecord4() {
    if (format_ != PalmFormat::Format4)
        return nullptr;
    if (!own4_)
        own4_.reset(new PalmAddressRecord4(*source4_));
    return own4_.get();
}

void PalmRecordCopy::setSource(PalmAddressRecord* source) {
    if (format_ == PalmFormat::Older && (own1_ || source != nullptr))
        source1_ = source;
}

void PalmRecordCopy::setSource(PalmAddressRecord4* source) {
    if (format_ == PalmFormat::Format4 && (own4_ || source != nullptr))
        source4_ = source;
}

uint32_t PalmRecordCopy::recordId() const {
    return format_ == PalmFormat::Older ? record1()->recordId : record4()->recordId;
}

uint32_t PalmRecordCopy::status() const { return format_ == PalmFormat::Older ? record1()->status : record4()->status; }

void PalmRecordCopy::addStatus(uint32_t bits) {
    if (PalmAddressRecord* record = editRecord1())
        record->status |= bits;
    else
        editRecord4()->status |= bits;
}

void PalmRecordCopy::setPosition(uint32_t position) {
    if (PalmAddressRecord* record = editRecord1())
        record->position = position;
    else
        editRecord4()->position = position;
}

// Copy first, then move into place: a copy that runs out of memory leaves the
// source as it was instead of half overwritten.
template <typename Record>
static bool replaceWith(Record* target, const Record* source) {
    if (target == nullptr || source == nullptr)
        return false;
    if (target == source)
        return true;
    try {
        Record fresh(*source);
        *target = std::move(fresh);
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

bool PalmRecordCopy::replaceSource() const {
    if (format_ == PalmFormat::Older)
        return replaceWith(source1_, record1());
    return replaceWith(source4_, record4());
}

// ---- native block

static const char kNativeKeyMagic[4] = {'Q', 'S', 'P', 'R'};

static void putUInt32(uint8_t* bytes, uint32_t value) {
    for (int index = 0; index < 4; ++index)
        bytes[index] = static_cast<uint8_t>(value >> (8 * index));
}

static uint32_t getUInt32(const uint8_t* bytes) {
    return static_cast<uint32_t>(bytes[0]) | static_cast<uint32_t>(bytes[1]) << 8 |
           static_cast<uint32_t>(bytes[2]) << 16 | static_cast<uint32_t>(bytes[3]) << 24;
}

std::vector<uint8_t> encodePalmNativeKey(const PalmNativeKey& key) {
    std::vector<uint8_t> block(PalmNativeKeySize);
    std::memcpy(block.data(), kNativeKeyMagic, sizeof kNativeKeyMagic);
    putUInt32(&block[4], static_cast<uint32_t>(key.format));
    putUInt32(&block[8], key.recordId);
    putUInt32(&block[12], key.fileIndex);
    return block;
}

bool decodePalmNativeKey(const std::vector<uint8_t>& block, PalmNativeKey& key) {
    if (block.size() != PalmNativeKeySize || std::memcmp(block.data(), kNativeKeyMagic, sizeof kNativeKeyMagic) != 0)
        return false;
    const PalmFormat format = static_cast<PalmFormat>(getUInt32(&block[4]));
    if (format != PalmFormat::Older && format != PalmFormat::Format4)
        return false;
    key.format = format;
    key.recordId = getUInt32(&block[8]);
    key.fileIndex = getUInt32(&block[12]);
    return true;
}

// ---- Palm record -> unified record

// Into a field that palmToRecord has just cleared and nothing else writes:
// the tail is already zero, so only the text itself is copied. A NUL inside
// the text ends it there, as it would in the field.
// A text is cut when more of it than the field holds comes before its end
// or a NUL.
static void noteCut(TextCuts* cuts, const char* name) {
    if (cuts != nullptr)
        cuts->names.push_back(name);
}

template <size_t N>
static void takeText(char (&field)[N], const std::string& text, TextCuts* cuts, const char* name) {
    const size_t limit = text.size() < N - 1 ? text.size() : N - 1;
    const void* nul = std::memchr(text.data(), '\0', limit);
    const size_t length = nul != nullptr ? static_cast<size_t>(static_cast<const char*>(nul) - text.data()) : limit;
    std::memcpy(field, text.data(), length);
    field[length] = '\0';
    if (nul == nullptr && text.size() > limit && text[limit] != '\0')
        noteCut(cuts, name);
}

static const char* const kCustomNames[9] = {"custom 1", "custom 2", "custom 3", "custom 4", "custom 5",
                                            "custom 6", "custom 7", "custom 8", "custom 9"};

static const char* phoneNameForLabel(uint32_t label) {
    static const char* const names[8] = {"work phone", "home phone", "fax",   "other phone",
                                         "e-mail",     "main phone", "pager", "mobile phone"};
    return label < 8 ? names[label] : "phone";
}

// Where a telephone slot of that label goes; null for labels not carried.
static char* phoneFieldForLabel(ContactValues& record, uint32_t label) {
    switch (label) {
    case 0: return record.workPhone;
    case 1: return record.homePhone;
    case 2: return record.businessFax;
    case 3: return record.otherPhone;
    case 4: return record.email1;
    case 5: return record.mainPhone;
    case 7: return record.mobilePhone;
    default: return nullptr;  // 6 (pager) and unknown labels
    }
}

static size_t phoneFieldCapacity(uint32_t label) {
    return label == 4 ? sizeof(ContactValues::email1) : sizeof(ContactValues::workPhone);
}

template <size_t N>
static void takePhones(ContactValues& record, const uint32_t (&labels)[N], const std::string (&phones)[N],
                       TextCuts* cuts) {
    for (size_t slot = 0; slot < N; ++slot) {
        if (phones[slot].empty())
            continue;
        if (char* field = phoneFieldForLabel(record, labels[slot])) {
            const size_t capacity = phoneFieldCapacity(labels[slot]);
            copyText(field, capacity, phones[slot].c_str());
            if (std::strlen(phones[slot].c_str()) >= capacity)
                noteCut(cuts, phoneNameForLabel(labels[slot]));
        }
    }
}

struct AddressNames {
    const char* street;
    const char* city;
    const char* state;
    const char* zip;
    const char* country;
};

static const AddressNames kWorkAddressNames = {"work address", "work city", "work state", "work zip", "work country"};
static const AddressNames kHomeAddressNames = {"home address", "home city", "home state", "home zip", "home country"};
static const AddressNames kOtherAddressNames = {"other address", "other city", "other state", "other zip",
                                                "other country"};

static void takeAddress(AddressBlock& block, const PalmAddressBlock& palm, TextCuts* cuts, const AddressNames& names) {
    takeText(block.street, palm.address, cuts, names.street);
    takeText(block.city, palm.city, cuts, names.city);
    takeText(block.state, palm.state, cuts, names.state);
    takeText(block.postalCode, palm.zip, cuts, names.zip);
    takeText(block.country, palm.country, cuts, names.country);
}

static double birthdayFromWords(const uint32_t (&words)[2]) {
    uint64_t bits = static_cast<uint64_t>(words[0]) | static_cast<uint64_t>(words[1]) << 32;
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

static void birthdayToWords(double value, uint32_t (&words)[2]) {
    uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    words[0] = static_cast<uint32_t>(bits);
    words[1] = static_cast<uint32_t>(bits >> 32);
}

static void takeFormat1(ContactValues& record, const PalmAddressRecord& palm, TextCuts* cuts) {
    takeText(record.firstName, palm.firstName, cuts, "first name");
    takeText(record.lastName, palm.lastName, cuts, "last name");
    takeText(record.company, palm.company, cuts, "company");
    takeText(record.jobTitle, palm.title, cuts, "title");
    takeText(record.businessAddress.street, palm.address, cuts, "address");
    takeText(record.businessAddress.city, palm.city, cuts, "city");
    takeText(record.businessAddress.state, palm.state, cuts, "state");
    takeText(record.businessAddress.postalCode, palm.zip, cuts, "zip");
    takeText(record.businessAddress.country, palm.country, cuts, "country");
    takeText(record.note, palm.note, cuts, "note");
    for (size_t index = 0; index < PalmAddressRecord::kCustomCount; ++index)
        takeText(record.custom[index], palm.custom[index], cuts, kCustomNames[index]);
    takePhones(record, palm.phoneLabel, palm.phone, cuts);
    takeText(record.category, palm.categoryName, cuts, "category");
}

static void takeFormat4(ContactValues& record, const PalmAddressRecord4& palm, TextCuts* cuts) {
    takeText(record.firstName, palm.firstName, cuts, "first name");
    takeText(record.lastName, palm.lastName, cuts, "last name");
    takeText(record.company, palm.company, cuts, "company");
    takeText(record.jobTitle, palm.title, cuts, "title");
    takeAddress(record.businessAddress, palm.workAddress, cuts, kWorkAddressNames);
    takeAddress(record.homeAddress, palm.homeAddress, cuts, kHomeAddressNames);
    takeAddress(record.otherAddress, palm.otherAddress, cuts, kOtherAddressNames);
    takeText(record.note, palm.note, cuts, "note");
    for (size_t index = 0; index < PalmAddressRecord4::kCustomCount; ++index)
        takeText(record.custom[index], palm.custom[index], cuts, kCustomNames[index]);
    takePhones(record, palm.phoneLabel, palm.phone, cuts);
    takeText(record.category, palm.categoryName, cuts, "category");
    record.birthday = birthdayFromWords(palm.birthday);
}

void palmToRecord(const PalmRecordCopy& copy, ContactRecord& record, TextCuts* cuts) {
    static_cast<ContactValues&>(record) = ContactValues();
    if (copy.format() == PalmFormat::Older)
        takeFormat1(record, *copy.record1(), cuts);
    else
        takeFormat4(record, *copy.record4(), cuts);
}

TextCuts textsCutFromPalm(const PalmRecordCopy& copy) {
    TextCuts cuts;
    std::unique_ptr<ContactRecord> scratch(new ContactRecord);
    palmToRecord(copy, *scratch, &cuts);
    return cuts;
}

// ---- unified record -> Palm record

// An empty field leaves the Palm text alone; a longer one is cut to what the
// Palm field holds.
// Whether the unified record shows the Palm text as text: its field holds
// the Palm text cut to the field's capacity.
static bool showsPalmText(const std::string& palmText, const char* text, size_t textCapacity) {
    const size_t shownLength = std::min(std::strlen(palmText.c_str()), textCapacity - 1);
    return strnlen(text, textCapacity) == shownLength && std::strncmp(palmText.c_str(), text, shownLength) == 0;
}

static void putText(std::string& target, const char* text, size_t textCapacity, size_t palmCapacity, TextCuts* cuts,
                    const char* name) {
    // A value the Palm field already shows leaves it alone, so a longer text
    // in the file is not cut just because another field of the record changed.
    if (text[0] == '\0' || showsPalmText(target, text, textCapacity))
        return;
    size_t length = 0;
    while (length < textCapacity && length + 1 < palmCapacity && text[length] != '\0')
        ++length;
    target.assign(text, length);
    const bool cutHere = length < textCapacity && text[length] != '\0';
    if (cutHere ||
        (cuts != nullptr && std::find(cuts->cutOnRead.begin(), cuts->cutOnRead.end(), text) != cuts->cutOnRead.end()))
        noteCut(cuts, name);
}

template <size_t N>
static void putText(std::string& target, const char (&text)[N], size_t palmCapacity, TextCuts* cuts, const char* name) {
    putText(target, text, N, palmCapacity, cuts, name);
}

static const char* phoneValueForLabel(const ContactValues& record, uint32_t label) {
    switch (label) {
    case 0: return record.workPhone;
    case 1: return record.homePhone;
    case 2: return record.businessFax[0] != '\0' ? record.businessFax : record.homeFax;
    case 3: return record.otherPhone;
    case 4: return record.email1;
    case 5: return record.mainPhone;
    case 7: return record.mobilePhone;
    default: return "";  // the pager is never written
    }
}

static constexpr uint32_t kPagerLabel = 6;
static constexpr uint32_t kLabelCount = 8;

template <size_t N>
static int firstSlotWhere(const uint32_t (&labels)[N], const std::string (&phones)[N], bool byLabel, uint32_t label) {
    for (size_t slot = 0; slot < N; ++slot) {
        if (byLabel ? labels[slot] == label : phones[slot].empty())
            return static_cast<int>(slot);
    }
    return -1;
}

// For each label in turn: its value goes into the first slot of that label;
// without one (or without a value) the first empty slot takes the label, and
// the value when there is one. Labels find no room once every slot holds text.
template <size_t N>
static void putPhones(const ContactValues& record, uint32_t (&labels)[N], std::string (&phones)[N], size_t capacity,
                      TextCuts* cuts) {
    for (uint32_t label = 0; label < kLabelCount; ++label) {
        const char* value = phoneValueForLabel(record, label);
        const size_t valueCapacity = label == 4 ? sizeof record.email1 : sizeof record.workPhone;
        int slot = firstSlotWhere(labels, phones, true, label);
        if (slot >= 0 && value[0] != '\0') {
            putText(phones[slot], value, valueCapacity, capacity, cuts, phoneNameForLabel(label));
            continue;
        }
        if (slot >= 0 && label == kPagerLabel)
            continue;
        slot = firstSlotWhere(labels, phones, false, label);
        if (slot < 0)
            continue;
        labels[slot] = label;
        putText(phones[slot], value, valueCapacity, capacity, cuts, phoneNameForLabel(label));
    }
}

static void putAddress(PalmAddressBlock& palm, const AddressBlock& block, TextCuts* cuts, const AddressNames& names) {
    putText(palm.address, block.street, PalmAddressBlock::kAddressCapacity, cuts, names.street);
    putText(palm.city, block.city, PalmAddressBlock::kCityCapacity, cuts, names.city);
    putText(palm.state, block.state, PalmAddressBlock::kStateCapacity, cuts, names.state);
    putText(palm.zip, block.postalCode, PalmAddressBlock::kZipCapacity, cuts, names.zip);
    putText(palm.country, block.country, PalmAddressBlock::kCountryCapacity, cuts, names.country);
}

static void putFormat1(const ContactValues& record, PalmAddressRecord& palm, TextCuts* cuts) {
    using R = PalmAddressRecord;
    putPhones(record, palm.phoneLabel, palm.phone, R::kPhoneCapacity, cuts);
    putText(palm.lastName, record.lastName, R::kLastNameCapacity, cuts, "last name");
    putText(palm.firstName, record.firstName, R::kFirstNameCapacity, cuts, "first name");
    putText(palm.company, record.company, R::kCompanyCapacity, cuts, "company");
    putText(palm.title, record.jobTitle, R::kTitleCapacity, cuts, "title");
    putText(palm.note, record.note, R::kNoteCapacity, cuts, "note");
    for (size_t index = 0; index < R::kCustomCount; ++index)
        putText(palm.custom[index], record.custom[index], R::kCustomCapacity, cuts, kCustomNames[index]);
    putText(palm.address, record.businessAddress.street, R::kAddressCapacity, cuts, "address");
    putText(palm.zip, record.businessAddress.postalCode, R::kZipCapacity, cuts, "zip");
    putText(palm.city, record.businessAddress.city, R::kCityCapacity, cuts, "city");
    putText(palm.state, record.businessAddress.state, R::kStateCapacity, cuts, "state");
    putText(palm.country, record.businessAddress.country, R::kCountryCapacity, cuts, "country");
    putText(palm.categoryName, record.category, R::kCategoryNameCapacity, cuts, "category");
    palm.isPrivate = static_cast<uint32_t>(record.isPrivate);
}

static void putFormat4(const ContactValues& record, PalmAddressRecord4& palm, TextCuts* cuts) {
    using R = PalmAddressRecord4;
    putPhones(record, palm.phoneLabel, palm.phone, R::kPhoneCapacity, cuts);
    putText(palm.lastName, record.lastName, R::kLastNameCapacity, cuts, "last name");
    putText(palm.firstName, record.firstName, R::kFirstNameCapacity, cuts, "first name");
    putText(palm.company, record.company, R::kCompanyCapacity, cuts, "company");
    putText(palm.title, record.jobTitle, R::kTitleCapacity, cuts, "title");
    palm.value42 = 0;
    palm.value48 = 1;
    palm.value54 = 2;
    putAddress(palm.workAddress, record.businessAddress, cuts, kWorkAddressNames);
    putAddress(palm.homeAddress, record.homeAddress, cuts, kHomeAddressNames);
    putAddress(palm.otherAddress, record.otherAddress, cuts, kOtherAddressNames);
    putText(palm.note, record.note, R::kNoteCapacity, cuts, "note");
    for (size_t index = 0; index < R::kCustomCount; ++index)
        putText(palm.custom[index], record.custom[index], R::kCustomCapacity, cuts, kCustomNames[index]);
    putText(palm.categoryName, record.category, R::kCategoryNameCapacity, cuts, "category");
    palm.isPrivate = static_cast<uint32_t>(record.isPrivate);
    birthdayToWords(record.birthday, palm.birthday);
    putText(palm.chat[0], record.imAddress, R::kChatCapacity, cuts, "chat");
}

void recordToPalm(const ContactValues& record, PalmRecordCopy& copy, TextCuts* cuts) {
    if (PalmAddressRecord* palm = copy.editRecord1())
        putFormat1(record, *palm, cuts);
    else
        putFormat4(record, *copy.editRecord4(), cuts);
}
