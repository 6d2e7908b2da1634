#include "tests/support/PalmFileBuilders.h"

namespace {

void appendBlock(PalmBytes& bytes, const PalmAddressBlock& block) {
    bytes.stringField(block.address).stringField(block.city).stringField(block.state).stringField(block.zip);
    bytes.stringField(block.country);
}

}  // namespace

const std::vector<PalmBytes::CategoryEntry>& twoCategories() {
    static const std::vector<PalmBytes::CategoryEntry> categories = {{1, 5, "Business", "Business"},
                                                                     {2, 9, "Friends", "Friends"}};
    return categories;
}

PalmBytes olderFormatFile(const std::string& storedName, const std::vector<PalmAddressRecord>& records,
                          const std::vector<PalmBytes::CategoryEntry>& categories, std::vector<size_t>* recordEnds) {
    PalmBytes bytes;
    bytes.u32(0x41420100).countedString(storedName).countedString("");
    bytes.categorySection(128, categories);
    bytes.format1Schema();
    bytes.u32(static_cast<uint32_t>(records.size() * PalmAddressRecord::kColumnCount));
    for (const PalmAddressRecord& r : records) {
        bytes.integerField(r.recordId).integerField(r.status).integerField(r.position);
        bytes.stringField(r.lastName).stringField(r.firstName).stringField(r.title).stringField(r.company);
        for (size_t slot = 0; slot < PalmAddressRecord::kPhoneCount; ++slot)
            bytes.integerField(r.phoneLabel[slot]).stringField(r.phone[slot]);
        bytes.stringField(r.address).stringField(r.city).stringField(r.state).stringField(r.zip);
        bytes.stringField(r.country).stringField(r.note).booleanField(r.isPrivate).integerField(r.categoryId);
        for (const std::string& custom : r.custom)
            bytes.stringField(custom);
        bytes.integerField(r.displayPhone);
        if (recordEnds)
            recordEnds->push_back(bytes.size());
    }
    return bytes;
}

PalmBytes format4File(const std::string& storedName, const std::vector<PalmAddressRecord4>& records,
                      const std::vector<PalmBytes::CategoryEntry>& categories, std::vector<size_t>* recordEnds) {
    PalmBytes bytes;
    bytes.format4Signature().u32(0x41420200);
    const size_t count = records.size();
    bytes.fill(0, 12).u8(static_cast<uint8_t>(count % 256)).u8(static_cast<uint8_t>(count / 256 + 16)).fill(0, 10);
    bytes.countedString(storedName).fill(0, 11);
    for (int label = 0; label < 9; ++label)
        bytes.countedString("").u32(0);
    bytes.fill(0, 42).categorySection(128, categories);
    bytes.format4Schema();
    bytes.u32(static_cast<uint32_t>(count * 73));
    for (const PalmAddressRecord4& r : records) {
        bytes.integerField(r.recordId).integerField(r.value1).integerField(r.status).integerField(r.value3);
        bytes.integerField(r.position).integerField(r.categoryId).integerField(r.isPrivate);
        for (const FieldBlob& blob : r.blob) {
            if (blob.present == 0)
                bytes.absentBlobField(blob.tag);
            else
                bytes.blobField(blob.tag, blob.wordA, blob.wordB, blob.data);
        }
        bytes.stringField(r.text11).stringField(r.text12).stringField(r.firstName).stringField(r.lastName);
        bytes.stringField(r.title).stringField(r.company).integerField(r.value17).stringField(r.note);
        for (const std::string& phone : r.phone)
            bytes.stringField(phone);
        for (uint32_t label : r.phoneLabel)
            bytes.integerField(label);
        for (const std::string& custom : r.custom)
            bytes.stringField(custom);
        bytes.integerField(r.value42);
        appendBlock(bytes, r.workAddress);
        bytes.integerField(r.value48);
        appendBlock(bytes, r.homeAddress);
        bytes.integerField(r.value54);
        appendBlock(bytes, r.otherAddress);
        bytes.stringField(r.chat[0]).stringField(r.chat[1]).integerField(r.value62).integerField(r.value63);
        bytes.stringField(r.webPage).wideField(r.birthday[0], r.birthday[1]).booleanField(r.value66);
        bytes.integerField(r.value67).integerField(r.value68);
        bytes.stringField(r.text69).stringField(r.text70).stringField(r.text71).stringField(r.text72);
        if (recordEnds)
            recordEnds->push_back(bytes.size());
    }
    return bytes;
}
