#pragma once
#include <cstdint>
#include <vector>

// One postal address; the three blocks of a record share this layout.
struct AddressBlock {
    char street[64]{};
    char city[32]{};
    char state[32]{};
    char postalCode[16]{};
    char country[32]{};
};

// Every value of a contact except the source's own record. Kept apart so that
// assigning values over a record can leave the target's native block alone.
// Text is single-byte, terminated, zero-filled to the end of its field.
// Dates are OLE Automation dates (days since 1899-12-30); 0.0 means not set.
struct ContactValues {
    char firstName[32]{};
    char lastName[32]{};
    char middleName[32]{};
    char suffix[8]{};
    char fullName[32]{};
    char account[32]{};
    double anniversary = 0.0;
    char initials[16]{};
    char language[8]{};
    AddressBlock businessAddress{};
    AddressBlock homeAddress{};
    AddressBlock otherAddress{};
    char homePhone[24]{};
    char workPhone[24]{};
    char mobilePhone[24]{};
    char mainPhone[24]{};
    char otherPhone[24]{};
    char radioPhone[24]{};
    char carPhone[24]{};
    char callbackPhone[24]{};
    char email1[64]{};
    char email2[64]{};
    char email3[64]{};
    char businessFax[24]{};
    char homeFax[24]{};
    char pager[24]{};
    char email1Type[16]{};
    char email2Type[16]{};
    char email3Type[16]{};
    char email1DisplayName[32]{};
    char email2DisplayName[32]{};
    char email3DisplayName[32]{};
    char company[64]{};
    char jobTitle[32]{};
    char department[32]{};
    char assistantName[32]{};
    char assistantPhone[16]{};
    char profession[32]{};
    char hobby[128]{};
    char nickName[32]{};
    char spouse[32]{};
    char computerNetworkName[32]{};
    char customerId[32]{};
    char ftpSite[256]{};
    char imAddress[32]{};
    char homePage[256]{};
    char personalHomePage[256]{};
    char note[2048]{};
    char custom[9][64]{};
    char category[64]{};
    double birthday = 0.0;
    double creationTime = 0.0;
    double lastModificationTime = 0.0;
    int32_t sourceType = 0;
    int32_t compareStatus = 0;
    int32_t nativeId = 0;
    int32_t isPrivate = 0;
};

// The unified contact. A new record is all zeros and has no native block;
// copying a record copies its block.
struct ContactRecord : ContactValues {
    // The source's own record (a Palm record copy or an Outlook contact image).
    std::vector<uint8_t> nativeData;
};

// Copies every value of source over target; target keeps its own nativeData.
void assignRecordValues(ContactRecord& target, const ContactRecord& source);

// Calls visit(targetField, sourceField) for every text field of the record, in
// record order, with both fields as char (&)[N] of the same N.
template <typename Visit>
void forEachTextFieldPair(ContactValues& target, const ContactValues& source, Visit&& visit) {
    visit(target.firstName, source.firstName);
    visit(target.lastName, source.lastName);
    visit(target.middleName, source.middleName);
    visit(target.suffix, source.suffix);
    visit(target.fullName, source.fullName);
    visit(target.account, source.account);
    visit(target.initials, source.initials);
    visit(target.language, source.language);
    AddressBlock* targetBlocks[] = {&target.businessAddress, &target.homeAddress, &target.otherAddress};
    const AddressBlock* sourceBlocks[] = {&source.businessAddress, &source.homeAddress, &source.otherAddress};
    for (int block = 0; block < 3; ++block) {
        visit(targetBlocks[block]->street, sourceBlocks[block]->street);
        visit(targetBlocks[block]->city, sourceBlocks[block]->city);
        visit(targetBlocks[block]->state, sourceBlocks[block]->state);
        visit(targetBlocks[block]->postalCode, sourceBlocks[block]->postalCode);
        visit(targetBlocks[block]->country, sourceBlocks[block]->country);
    }
    visit(target.homePhone, source.homePhone);
    visit(target.workPhone, source.workPhone);
    visit(target.mobilePhone, source.mobilePhone);
    visit(target.mainPhone, source.mainPhone);
    visit(target.otherPhone, source.otherPhone);
    visit(target.radioPhone, source.radioPhone);
    visit(target.carPhone, source.carPhone);
    visit(target.callbackPhone, source.callbackPhone);
    visit(target.email1, source.email1);
    visit(target.email2, source.email2);
    visit(target.email3, source.email3);
    visit(target.businessFax, source.businessFax);
    visit(target.homeFax, source.homeFax);
    visit(target.pager, source.pager);
    visit(target.email1Type, source.email1Type);
    visit(target.email2Type, source.email2Type);
    visit(target.email3Type, source.email3Type);
    visit(target.email1DisplayName, source.email1DisplayName);
    visit(target.email2DisplayName, source.email2DisplayName);
    visit(target.email3DisplayName, source.email3DisplayName);
    visit(target.company, source.company);
    visit(target.jobTitle, source.jobTitle);
    visit(target.department, source.department);
    visit(target.assistantName, source.assistantName);
    visit(target.assistantPhone, source.assistantPhone);
    visit(target.profession, source.profession);
    visit(target.hobby, source.hobby);
    visit(target.nickName, source.nickName);
    visit(target.spouse, source.spouse);
    visit(target.computerNetworkName, source.computerNetworkName);
    visit(target.customerId, source.customerId);
    visit(target.ftpSite, source.ftpSite);
    visit(target.imAddress, source.imAddress);
    visit(target.homePage, source.homePage);
    visit(target.personalHomePage, source.personalHomePage);
    visit(target.note, source.note);
    for (int index = 0; index < 9; ++index)
        visit(target.custom[index], source.custom[index]);
    visit(target.category, source.category);
}
