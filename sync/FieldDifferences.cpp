#include "sync/FieldDifferences.h"

#include <cstddef>
#include <cstring>

namespace {

// The stored text of a field: up to its terminator or the field's end.
template <size_t N>
std::string textOf(const char (&field)[N]) {
    return std::string(field, strnlen(field, N));
}

template <size_t N>
void compareText(std::vector<FieldDifference>& differences, const std::string& name, const char (&from)[N],
                 const char (&to)[N]) {
    if (std::strncmp(from, to, N) != 0)
        differences.push_back(FieldDifference{name, textOf(from), textOf(to)});
}

void compareAddress(std::vector<FieldDifference>& differences, const std::string& block, const AddressBlock& from,
                    const AddressBlock& to) {
    compareText(differences, block + " Street", from.street, to.street);
    compareText(differences, block + " City", from.city, to.city);
    compareText(differences, block + " State", from.state, to.state);
    compareText(differences, block + " Postal", from.postalCode, to.postalCode);
    compareText(differences, block + " Country", from.country, to.country);
}

}  // namespace

std::vector<FieldDifference> differingFields(const ContactRecord& from, const ContactRecord& to) {
    std::vector<FieldDifference> differences;
    compareText(differences, "Company", from.company, to.company);
    compareText(differences, "Title", from.jobTitle, to.jobTitle);
    compareAddress(differences, "Business", from.businessAddress, to.businessAddress);
    compareAddress(differences, "Home", from.homeAddress, to.homeAddress);
    compareAddress(differences, "Other", from.otherAddress, to.otherAddress);
    compareText(differences, "Home Phone", from.homePhone, to.homePhone);
    compareText(differences, "Work Phone", from.workPhone, to.workPhone);
    compareText(differences, "Mobile Phone", from.mobilePhone, to.mobilePhone);
    compareText(differences, "Main Phone", from.mainPhone, to.mainPhone);
    compareText(differences, "Business Fax", from.businessFax, to.businessFax);
    compareText(differences, "Home Fax", from.homeFax, to.homeFax);
    compareText(differences, "E-Mail", from.email1, to.email1);
    compareText(differences, "Home Page", from.homePage, to.homePage);
    compareText(differences, "Note", from.note, to.note);
    for (int index = 0; index < 9; ++index)
        compareText(differences, "Custom " + std::to_string(index + 1), from.custom[index], to.custom[index]);
    return differences;
}
