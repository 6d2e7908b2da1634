#include "testenv/scenariocheck/PalmCheckFile.h"

#include "palm/PalmAddressFile.h"
#include "palm/PalmAddressFile4.h"
#include "sync/AutomationDate.h"
#include "sync/FieldTable.h"
#include "palmstore/PalmContactStore.h"
#include "palmstore/PalmRecordCopy.h"

#include <cstdio>
#include <fstream>
#include <utility>

namespace {

// Field table ids of the names used below.
const int32_t FirstNameId = 1, LastNameId = 2, StreetId = 3, NoteId = 27, CustomId = 28, CompanyId = 37, TitleId = 38,
              CategoryId = 39;
// Field ids of the Palm telephone labels 0 to 7: Work Phone, Home Phone, Fax,
// Other Phone, E-Mail, Main Phone, Pager, Mobile Phone.
const int32_t PhoneLabelFieldIds[] = {19, 18, 23, 21, 25, 22, 24, 20};

std::string fieldName(int32_t id) {
    FieldSlot slot{};
    if (!findField(id, &slot) || slot.id != id)
        return "Field " + std::to_string(id);
    return slot.name;
}

std::string phoneName(uint32_t label) {
    if (label < sizeof PhoneLabelFieldIds / sizeof *PhoneLabelFieldIds)
        return fieldName(PhoneLabelFieldIds[label]);
    return "Phone Label " + std::to_string(label);
}

class RecordBuilder {
public:
    explicit RecordBuilder(CheckRecord& record) : record_(record) {}

    void text(const std::string& name, const std::string& value) {
        if (!value.empty())
            record_.add(name, checkTextOfAnsi(value));
    }
    void number(const std::string& name, uint32_t value) { record_.add(name, std::to_string(value)); }
    void numberIfSet(const std::string& name, uint32_t value) {
        if (value != 0)
            number(name, value);
    }
    void plain(const std::string& name, const std::string& value) { record_.add(name, value); }

private:
    CheckRecord& record_;
};

std::string dateText(double date) {
    CalendarDateTime time{};
    char text[48];
    if (!automationDateToCalendar(date, &time)) {
        std::snprintf(text, sizeof text, "%.17g", date);
    } else if (time.hour == 0 && time.minute == 0 && time.second == 0) {
        std::snprintf(text, sizeof text, "%02d/%02d/%04d", time.month, time.day, time.year);
    } else {
        std::snprintf(text, sizeof text, "%02d/%02d/%04d %02d:%02d:%02d", time.month, time.day, time.year, time.hour,
                      time.minute, time.second);
    }
    return text;
}

// Business, home and other, as the program's record names the three blocks.
void addAddress(RecordBuilder& out, const char* prefix, int32_t firstId, const std::string& street,
                const std::string& city, const std::string& state, const std::string& zip, const std::string& country) {
    const std::string values[] = {street, city, state, zip, country};
    for (int32_t offset = 0; offset < 5; ++offset)
        out.text(prefix + fieldName(firstId + offset), values[offset]);
}

template <typename Record>
void addIdentity(RecordBuilder& out, const Record& record) {
    out.number("Record ID", record.recordId);
    out.number("Status", record.status);
    out.number("Position", record.position);
    out.numberIfSet("Private", record.isPrivate);
    if (!record.categoryName.empty())
        out.text(fieldName(CategoryId), record.categoryName);
    else
        out.number(fieldName(CategoryId) + " ID", record.categoryId);
}

template <typename Record>
void addNames(RecordBuilder& out, const Record& record, bool swapped, CheckRecord& check) {
    const std::string& first = swapped ? record.lastName : record.firstName;
    const std::string& last = swapped ? record.firstName : record.lastName;
    out.text(fieldName(FirstNameId), first);
    out.text(fieldName(LastNameId), last);
    out.text(fieldName(CompanyId), record.company);
    out.text(fieldName(TitleId), record.title);
    check.label = personLabel(checkTextOfAnsi(first), checkTextOfAnsi(last));
    check.key = record.recordId != 0 ? "id " + std::to_string(record.recordId) : "name " + check.label;
}

template <typename Record>
void addPhones(RecordBuilder& out, const Record& record) {
    for (size_t slot = 0; slot < Record::kPhoneCount; ++slot)
        out.text(phoneName(record.phoneLabel[slot]), record.phone[slot]);
}

template <typename Record>
void addNoteAndCustom(RecordBuilder& out, const Record& record) {
    out.text(fieldName(NoteId), record.note);
    for (size_t index = 0; index < Record::kCustomCount; ++index)
        out.text(fieldName(CustomId + static_cast<int32_t>(index)), record.custom[index]);
}

CheckRecord checkRecordOf(const PalmAddressRecord& record, bool swapped) {
    CheckRecord check;
    RecordBuilder out(check);
    addIdentity(out, record);
    addNames(out, record, swapped, check);
    addPhones(out, record);
    addAddress(out, "Business ", StreetId, record.address, record.city, record.state, record.zip, record.country);
    addNoteAndCustom(out, record);
    out.numberIfSet("Display Phone", record.displayPhone);
    return check;
}

void addBlob(RecordBuilder& out, size_t index, const FieldBlob& blob, const FieldBlob& fresh) {
    if (blob == fresh)
        return;
    std::string text = "tag " + std::to_string(blob.tag) + ", present " + std::to_string(blob.present) + ", words " +
                       std::to_string(blob.wordA) + " " + std::to_string(blob.wordB) + ", length " +
                       std::to_string(blob.length) + ", data";
    char hex[4];
    for (uint8_t byte : blob.data) {
        std::snprintf(hex, sizeof hex, " %02X", byte);
        text += hex;
    }
    out.plain("Blob " + std::to_string(index + 1), text);
}

CheckRecord checkRecordOf(const PalmAddressRecord4& record, bool swapped) {
    CheckRecord check;
    RecordBuilder out(check);
    addIdentity(out, record);
    addNames(out, record, swapped, check);
    addPhones(out, record);
    addAddress(out, "Business ", StreetId, record.workAddress.address, record.workAddress.city,
               record.workAddress.state, record.workAddress.zip, record.workAddress.country);
    addAddress(out, "Home ", StreetId + 5, record.homeAddress.address, record.homeAddress.city,
               record.homeAddress.state, record.homeAddress.zip, record.homeAddress.country);
    addAddress(out, "Other ", StreetId + 10, record.otherAddress.address, record.otherAddress.city,
               record.otherAddress.state, record.otherAddress.zip, record.otherAddress.country);
    addNoteAndCustom(out, record);
    if (record.birthday[0] != 0 || record.birthday[1] != 0) {
        ContactRecord converted;
        palmToRecord(PalmRecordCopy(record, static_cast<PalmAddressRecord4*>(nullptr)), converted);
        out.plain("Birthday", dateText(converted.birthday));
    }
    out.text("Chat 1", record.chat[0]);
    out.text("Chat 2", record.chat[1]);
    out.text("Web Page", record.webPage);
    out.text("Text 11", record.text11);
    out.text("Text 12", record.text12);
    out.text("Text 69", record.text69);
    out.text("Text 70", record.text70);
    out.text("Text 71", record.text71);
    out.text("Text 72", record.text72);
    out.numberIfSet("Value 1", record.value1);
    out.numberIfSet("Value 3", record.value3);
    out.numberIfSet("Value 17", record.value17);
    out.numberIfSet("Address Label 1", record.value42);
    out.numberIfSet("Address Label 2", record.value48);
    out.numberIfSet("Address Label 3", record.value54);
    out.numberIfSet("Value 62", record.value62);
    out.numberIfSet("Value 63", record.value63);
    out.numberIfSet("Value 66", record.value66);
    out.numberIfSet("Value 67", record.value67);
    out.numberIfSet("Value 68", record.value68);
    const PalmAddressRecord4 fresh;
    for (size_t index = 0; index < PalmAddressRecord4::kBlobCount; ++index)
        addBlob(out, index, record.blob[index], fresh.blob[index]);
    return check;
}

void addFileValue(CheckFile& check, const std::string& name, const std::string& ansiText) {
    if (!ansiText.empty())
        check.fileValues.push_back({name, checkTextOfAnsi(ansiText)});
}

void addCategories(CheckFile& check, const PalmCategoryTable* table) {
    if (table == nullptr)
        return;
    for (int32_t slot = 0; slot < PalmCategoryTable::SlotCount; ++slot) {
        const PalmCategory* category = table->categoryAt(slot);
        if (category == nullptr)
            continue;
        addFileValue(check, "Category " + std::to_string(category->getId()), category->namePointer());
    }
}

template <typename File>
bool readWhole(File& file, const std::string& path, std::string* problem) {
    if (!file.openAndRead(path)) {
        *problem = "the address file does not read";
        return false;
    }
    if (file.readState() != AddressFileReadState::Complete) {
        *problem = "the records stop early, after " + std::to_string(file.recordCount()) + " records";
        return false;
    }
    return true;
}

template <typename File>
void addRecords(CheckFile& check, File& file) {
    for (size_t index = 0; index < file.recordCount(); ++index)
        check.records.push_back(checkRecordOf(*file.recordAt(index), file.swapNames()));
}

bool readFormat1(const std::string& path, CheckFile* check, std::string* problem) {
    PalmAddressFile file;
    if (!readWhole(file, path, problem))
        return false;
    check->description = "older Palm Desktop address file";
    check->fileValues.push_back({"Format", "older"});
    addFileValue(*check, "Custom Labels", file.customLabelText());
    addCategories(*check, file.categoryTable());
    addRecords(*check, file);
    return true;
}

bool readFormat4(const std::string& path, CheckFile* check, std::string* problem) {
    PalmAddressFile4 file;
    if (!readWhole(file, path, problem))
        return false;
    check->description = "Palm Desktop 4 address file";
    check->fileValues.push_back({"Format", "Palm Desktop 4"});
    addFileValue(*check, "Stored Name", file.storedName());
    for (size_t index = 0; index < PalmAddressFile4::CustomLabelCount; ++index)
        addFileValue(*check, "Custom Label " + std::to_string(index + 1), file.customLabel(index));
    addCategories(*check, file.categoryTable());
    addRecords(*check, file);
    return true;
}

}  // namespace

bool readPalmCheckFile(const std::string& path, CheckFile* file, std::string* problem) {
    if (!std::ifstream(path, std::ios::binary).is_open()) {
        *problem = "cannot open it";
        return false;
    }
    CheckFile check;
    check.recordNoun = "record";
    bool read = false;
    switch (PalmContactStore::detectFormat(path)) {
    case PalmFormat::Older: read = readFormat1(path, &check, problem); break;
    case PalmFormat::Format4: read = readFormat4(path, &check, problem); break;
    default: *problem = "neither address file format reads it"; break;
    }
    if (!read)
        return false;
    *file = std::move(check);
    return true;
}
