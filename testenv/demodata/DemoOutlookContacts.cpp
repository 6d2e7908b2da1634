#include "testenv/demodata/DemoOutlookContacts.h"

#include "platform/TextCodec.h"
#include "sync/ContactRecord.h"
#include "testenv/demodata/DemoContacts.h"
#include "testenv/fakeoutlook/FakeContact.h"

#include <cstring>

// Texts are Windows-1252, as in DemoContacts.cpp (and split the same way
// where a hex escape would swallow the next letter). Telephone numbers are
// the fictional 555-01xx and 555-02xx ranges, none of them a Palm number.
//
// How the rows pair with the Palm contacts, by the matching rule: the names
// are equal (or, failing that, the non-empty first e-mail address), and at
// least one of the home, work, mobile and main numbers is equal, two empty
// ones included. No demo Palm contact has a main number, so a counterpart
// without one always passes the telephone test; a namesake has all four
// numbers, none of them the Palm contact's, and never does. A counterpart is
// "same" unless a compared field differs: telephones, e-mail, faxes, company,
// title, the three addresses, home page, note and the custom fields. No
// custom field is mapped when the lists are loaded, so a Palm contact with a
// custom field always differs from its counterpart.

const char DemoOutlookContactsFileName[] = "outlook-contacts.txt";

namespace {

const uint32_t Ann = 1001;
const uint32_t Tom = 1002;

struct DemoProperty {
    const char* name;
    // Windows-1252; empty empties the property.
    const char* value;
};

struct DemoDate {
    int year;
    int month;
    int day;
};

struct OutlookRow {
    // 0: no Palm contact is meant.
    uint32_t palmUser;
    // The Palm contact's names, or the contact's own.
    const char* firstName;
    const char* lastName;
    DemoOutlookRelation relation;
    // Over the Palm contact's values, or the whole contact; ends at the first
    // without a name.
    DemoProperty properties[18];
    DemoDate birthday;
};

const char NadiaNote[] =
    "Dr. Haddad, family doctor since 2004.\r\n"
    "Surgery hours: Monday to Friday 8:00-18:00, Saturday morning for urgent cases only. Repeat "
    "prescriptions can be ordered by phone until 11 am and are ready the next day at the South Lamar "
    "pharmacy.\r\n"
    "Allergy list given to the clinic: penicillin (rash), pollen in spring.\r\n"
    "Vaccinations: tetanus booster due 2011; flu shot every October.\r\n"
    "Bring the insurance card and the list of current medicines to every appointment. For referrals to "
    "the specialist at St. David's, ask her assistant Rosa, who handles the paperwork and calls back "
    "within two days.";

const char SiobhanNote[] =
    "Meeting 14 March 2007, Merrion Square office.\r\n"
    "Present: Siobh\xE1n Gallagher, Aoife Byrne (trainee), Tom.\r\n"
    "1. Lease of the Leeson Street premises: the landlord has agreed to a five-year term with a break "
    "clause after year three. Rent review every two years, upwards only, capped at 4 %. Siobh\xE1n will "
    "send the draft by the end of the month; we must check the repair clause (external walls and roof "
    "stay with the landlord).\r\n"
    "2. Planning: the change of use to offices needs a fresh application. Expect eight to ten weeks; the "
    "architect's drawings are to go to Siobh\xE1n first.\r\n"
    "3. Fees: fixed fee of EUR 2,400 plus VAT for the lease, disbursements billed at cost. Stamp duty to "
    "be confirmed once the rent is final.\r\n"
    "4. Next steps: Tom to send the certificate of incorporation and the last two years' accounts; "
    "Siobh\xE1n to contact the landlord's solicitors (Hennessy & Roe, Fitzwilliam Place).\r\n"
    "Follow-up call booked for Thursday 29 March, 10:30. Her direct line is best before 9 am; the "
    "switchboard closes for lunch from 1 to 2 pm.";

// Longer than the record's street field: the list shows it cut.
const char KenjiStreet[] =
    "Shin-Marunouchi Building 27F, 1-5-1 Marunouchi, Chiyoda-ku (reception on the 3rd floor, ask for Export)";

using R = DemoOutlookRelation;

const OutlookRow Rows[] = {
    // Tom Berg's counterparts.
    {Tom,
     "Adam",
     "Kowalski",
     R::SameAsPalm,
     {{"Department", "Fleet Operations"}, {"Email2Address", "akowalski@mail.example"}},
     {1968, 5, 14}},
    {Tom,
     "Beatrice",
     "Hale",
     R::SameAsPalm,
     {{"Spouse", "Graham Hale"}, {"OtherTelephoneNumber", "(503) 555-0277"}},
     {}},
    {Tom, "Carlos", "Mendes", R::DiffersFromPalm, {{"Department", "Sales"}}, {}},
    {Tom, "Diana", "S\xF8rensen", R::SameAsPalm, {{"Department", "Design"}, {"NickName", "Di"}}, {}},
    {Tom, "Ethan", "Russo", R::DiffersFromPalm, {{"MobileTelephoneNumber", "(617) 555-0281"}}, {}},
    {Tom,
     "Fiona",
     "MacLeod",
     R::SameAsPalm,
     {{"AssistantName", "Morag Innes"}, {"AssistantTelephoneNumber", "ext. 214"}},
     {}},
    {Tom, "Hannah", "Weber", R::DiffersFromPalm, {{"JobTitle", "Partnerin"}}, {}},
    {Tom,
     "Ivan",
     "Petrov",
     R::DiffersFromPalm,
     {{"BusinessAddressStreet", "1200 Dundas Street West, Unit 5"}, {"BusinessAddressPostalCode", "M6J 1X5"}},
     {}},
    {Tom, "Kai", "Andersen", R::DiffersFromPalm, {{"PrimaryTelephoneNumber", "(503) 555-0280"}}, {}},
    {Tom, "Laura", "Bianchi", R::SameAsPalm, {{"Language", "it"}}, {1971, 9, 3}},
    {Tom, "Nadia", "Haddad", R::DiffersFromPalm, {{"Body", NadiaNote}}, {}},
    {Tom, "Priya", "Raman", R::DiffersFromPalm, {{"CompanyName", "Spadina Health Foods Co-op"}}, {}},
    {Tom,
     "J\xFCrgen",
     "Schr\xF6"
     "der",
     R::SameAsPalm,
     {{"Profession", "Rechtsanwalt"}},
     {}},
    {Tom,
     "Andr\xE9",
     "Lambert",
     R::DiffersFromPalm,
     {{"BusinessFaxNumber", ""}, {"Email2Address", "andre.lambert@mail.example"}},
     {}},
    {Tom, "Ingrid", "Berg", R::SameAsPalm, {{"Spouse", "Mats Lindahl"}}, {1974, 8, 12}},
    // Married since: the e-mail address pairs her, and the names are not compared.
    {Tom, "Megan", "Foster", R::SameAsPalm, {{"LastName", "Reyes"}, {"Spouse", "Daniel Reyes"}}, {}},
    {Tom, "Stefan", "Vogel", R::DiffersFromPalm, {{"Email1Address", "s.vogel@bergsport-vogel.example"}}, {}},
    {Tom, "Tessa", "Young", R::SameAsPalm, {{"Hobby", "Rock climbing"}}, {}},
    {Tom,
     "William",
     "Grant",
     R::NamesakeOfPalm,
     {{"CompanyName", "Grant Surveying"},
      {"JobTitle", "Land Surveyor"},
      {"Email1Address", "wgrant@grantsurveying.example"},
      {"HomeTelephoneNumber", "(617) 555-0283"},
      {"BusinessTelephoneNumber", "(617) 555-0284"},
      {"MobileTelephoneNumber", "(617) 555-0285"},
      {"PrimaryTelephoneNumber", "(617) 555-0286"},
      {"BusinessAddressStreet", "88 Tremont Street"},
      {"BusinessAddressCity", "Boston"},
      {"BusinessAddressState", "MA"},
      {"BusinessAddressPostalCode", "02108"},
      {"BusinessAddressCountry", "USA"},
      {"Body", "The surveyor from the Beacon Hill project, not Will from next door."}},
     {}},
    {Tom, "Yasmin", "Aziz", R::DiffersFromPalm, {{"BusinessHomePage", "http://www.cwbooks.example/"}}, {}},

    // Ann Lee's counterparts.
    {Ann, "Bob", "Marsh", R::SameAsPalm, {{"Hobby", "Sailing"}}, {1959, 2, 20}},
    {Ann, "Daniel", "Okafor", R::DiffersFromPalm, {{"Profession", "Dentist"}}, {}},
    {Ann, "Emma", "Lindqvist", R::DiffersFromPalm, {{"JobTitle", "Head of Purchasing"}}, {}},
    {Ann, "Grace", "Whitfield", R::SameAsPalm, {{"AssistantName", "Paula"}, {"Department", "Real Estate"}}, {}},
    {Ann, "Jack", "O'Neill", R::SameAsPalm, {{"NickName", "Jackie"}}, {}},
    // The older address file holds one address; Outlook knows his home too.
    {Ann,
     "Luis",
     "Gonz\xE1lez",
     R::DiffersFromPalm,
     {{"HomeAddressStreet", "2204 Barton Hills Drive"},
      {"HomeAddressCity", "Austin"},
      {"HomeAddressState", "TX"},
      {"HomeAddressPostalCode", "78704"},
      {"HomeAddressCountry", "USA"}},
     {}},
    {Ann,
     "Maya",
     "Patel",
     R::DiffersFromPalm,
     {{"Body", "Our cat Pepper: vaccinated in October.\r\nNext check-up in April."}},
     {}},
    {Ann,
     "Nathan",
     "Brooks",
     R::NamesakeOfPalm,
     {{"CompanyName", "Brooks Lighting Ltd"},
      {"JobTitle", "Lighting Designer"},
      {"Email1Address", "nathan@brookslighting.example"},
      {"HomeTelephoneNumber", "+44 20 7946 0288"},
      {"BusinessTelephoneNumber", "+44 20 7946 0289"},
      {"MobileTelephoneNumber", "+44 7700 900290"},
      {"PrimaryTelephoneNumber", "+44 20 7946 0291"},
      {"BusinessAddressStreet", "31 Rosebery Avenue"},
      {"BusinessAddressCity", "London"},
      {"BusinessAddressPostalCode", "EC1R 4SP"},
      {"BusinessAddressCountry", "United Kingdom"}},
     {}},
    {Ann,
     "Thomas",
     "M\xFC"
     "ller",
     R::SameAsPalm,
     {{"Language", "de"}, {"Email2Address", "t.mueller@mail.example"}},
     {}},
    {Ann,
     "Jos\xE9",
     "\xC1lvarez",
     R::DiffersFromPalm,
     {{"Body", "Tiles for the kitchen: order no. 4471.\r\nDelivered 12 May; two boxes of azulejos still to come."}},
     {}},
    {Ann,
     "Ren\xE9"
     "e",
     "Lef\xE8vre",
     R::SameAsPalm,
     {{"OtherTelephoneNumber", "+33 4 55 50 02 77"}},
     {}},

    // Only in Outlook.
    {0,
     "Am\xE9lie",
     "Fontaine",
     R::OnlyInOutlook,
     {{"CompanyName", "Atelier Fontaine"},
      {"JobTitle", "Graphiste"},
      {"Email1Address", "amelie@atelierfontaine.example"},
      {"BusinessTelephoneNumber", "+33 4 55 50 02 11"},
      {"MobileTelephoneNumber", "+33 6 55 50 02 12"},
      {"BusinessAddressStreet", "14 rue Merci\xE8re"},
      {"BusinessAddressCity", "Lyon"},
      {"BusinessAddressPostalCode", "69002"},
      {"BusinessAddressCountry", "France"},
      {"Body", "Designed the new letterhead. Invoices in euros."}},
     {}},
    {0,
     "H\xE5kan",
     "Lundqvist",
     R::OnlyInOutlook,
     {{"CompanyName", "Lundqvist Marin"},
      {"JobTitle", "B\xE5tbyggare"},
      {"Email1Address", "hakan@lundqvistmarin.example"},
      {"BusinessTelephoneNumber", "+46 31 555 02 21"},
      {"HomeTelephoneNumber", "+46 31 555 02 22"},
      {"BusinessAddressStreet", "Eriksbergstorget 7"},
      {"BusinessAddressCity", "G\xF6teborg"},
      {"BusinessAddressPostalCode", "417 64"},
      {"BusinessAddressCountry", "Sweden"}},
     {}},
    {0,
     "Marta",
     "N\xFA\xF1"
     "ez",
     R::OnlyInOutlook,
     {{"CompanyName", "Fundaci\xF3n Giralda"},
      {"JobTitle", "Coordinadora de proyectos"},
      {"Department", "Cultura"},
      {"Email1Address", "marta.nunez@fgiralda.example"},
      {"BusinessTelephoneNumber", "+34 954 555 232"},
      {"MobileTelephoneNumber", "+34 654 555 231"},
      {"BusinessAddressStreet", "Calle Betis 23"},
      {"BusinessAddressCity", "Sevilla"},
      {"BusinessAddressPostalCode", "41010"},
      {"BusinessAddressCountry", "Spain"}},
     {}},
    {0,
     "\xD3lafur",
     "Sigur\xF0sson",
     R::OnlyInOutlook,
     {{"CompanyName", "Nor\xF0urlj\xF3s Fer\xF0ir ehf."},
      {"JobTitle", "Lei\xF0s\xF6guma\xF0ur"},
      {"Email1Address", "olafur@nordurljos.example"},
      {"MobileTelephoneNumber", "+354 555 0241"},
      {"BusinessAddressStreet", "Laugavegur 18"},
      {"BusinessAddressCity", "Reykjav\xEDk"},
      {"BusinessAddressPostalCode", "101"},
      {"BusinessAddressCountry", "Iceland"},
      {"Body", "Northern lights tour, second week of February."}},
     {1980, 1, 23}},
    {0,
     "Siobh\xE1n",
     "Gallagher",
     R::OnlyInOutlook,
     {{"CompanyName", "Gallagher & Daughters Solicitors"},
      {"JobTitle", "Solicitor"},
      {"Email1Address", "siobhan@gallagherdaughters.example"},
      {"BusinessTelephoneNumber", "+353 1 555 0251"},
      {"BusinessFaxNumber", "+353 1 555 0252"},
      {"BusinessAddressStreet", "42 Merrion Square"},
      {"BusinessAddressCity", "Dublin"},
      {"BusinessAddressPostalCode", "D02 XK81"},
      {"BusinessAddressCountry", "Ireland"},
      {"Body", SiobhanNote}},
     {}},
    {0,
     "Kenji",
     "Watanabe",
     R::OnlyInOutlook,
     {{"CompanyName", "Watanabe Trading K.K."},
      {"JobTitle", "Export Manager"},
      {"Email1Address", "k.watanabe@watanabe-trading.example"},
      {"BusinessTelephoneNumber", "+81 3 5555 0261"},
      {"MobileTelephoneNumber", "+81 90 5555 0262"},
      {"BusinessAddressStreet", KenjiStreet},
      {"BusinessAddressCity", "Tokyo"},
      {"BusinessAddressPostalCode", "100-6527"},
      {"BusinessAddressCountry", "Japan"}},
     {}},
    {0,
     "Zo\xEB",
     "Baptiste",
     R::OnlyInOutlook,
     {{"CompanyName", "Caf\xE9 Baptiste"},
      {"JobTitle", "Propri\xE9taire"},
      {"Email1Address", "zoe@cafebaptiste.example"},
      {"BusinessTelephoneNumber", "(514) 555-0271"},
      {"HomeTelephoneNumber", "(514) 555-0272"},
      {"BusinessAddressStreet", "5 rue Saint-Paul Est"},
      {"BusinessAddressCity", "Montr\xE9"
                              "al"},
      {"BusinessAddressState", "QC"},
      {"BusinessAddressPostalCode", "H2Y 1G1"},
      {"BusinessAddressCountry", "Canada"},
      {"HomeAddressStreet", "3895 boulevard Saint-Laurent"},
      {"HomeAddressCity", "Montr\xE9"
                          "al"},
      {"HomeAddressState", "QC"},
      {"HomeAddressPostalCode", "H2W 1X9"},
      {"HomeAddressCountry", "Canada"}},
     {}},
    {0,
     "Nikolaus",
     "\xD6sterreicher",
     R::OnlyInOutlook,
     {{"CompanyName", "\xD6sterreicher Orgelbau GmbH"},
      {"JobTitle", "Orgelbaumeister"},
      {"Email1Address", "n.oesterreicher@orgelbau.example"},
      {"BusinessTelephoneNumber", "+43 1 555 0281"},
      {"BusinessAddressStreet", "W\xE4hringer Stra\xDF"
                                "e 61"},
      {"BusinessAddressCity", "Wien"},
      {"BusinessAddressPostalCode", "1090"},
      {"BusinessAddressCountry", "Austria"},
      {"Body", "Restoration of the church organ in Grinzing: quote expected in spring."}},
     {}},
    {0,
     "Fatima",
     "Benali",
     R::OnlyInOutlook,
     {{"Email1Address", "fatima.benali@mail.example"},
      {"MobileTelephoneNumber", "+33 6 55 50 02 91"},
      {"Spouse", "Karim Benali"},
      {"HomeAddressStreet", "27 rue des \xC9pices"},
      {"HomeAddressCity", "Marseille"},
      {"HomeAddressPostalCode", "13001"},
      {"HomeAddressCountry", "France"},
      {"OtherAddressStreet", "R\xE9sidence Les Pins, 8 chemin du Phare"},
      {"OtherAddressCity", "Cassis"},
      {"OtherAddressPostalCode", "13260"},
      {"OtherAddressCountry", "France"},
      {"Body", "March\xE9 de Noailles on Saturdays."}},
     {1983, 6, 30}},
};

// Days since 30 December 1899 of a calendar date.
double automationDay(int year, int month, int day) {
    year -= month <= 2;
    const long era = (year >= 0 ? year : year - 399) / 400;
    const long yearOfEra = year - era * 400;
    const long dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const long dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    const long sinceUnixEpoch = era * 146097 + dayOfEra - 719468;
    // 30 December 1899 is 25569 days before 1 January 1970.
    return static_cast<double>(sinceUnixEpoch + 25569);
}

// Puts Windows-1252 texts into a contact and remembers the first property
// the contact refused.
class ContactSeed {
public:
    explicit ContactSeed(FakeContact& contact) : contact_(contact) {}

    void put(const char* property, const char* text) {
        if (!contact_.setText(property, ansiToUtf16(text)))
            refuse(property);
    }
    void putIfAny(const char* property, const char* text) {
        if (*text != '\0')
            put(property, text);
    }
    void putDate(const char* property, double date) {
        if (!contact_.setDate(property, date))
            refuse(property);
    }
    std::string text(const char* property) const { return utf16ToAnsi(contact_.text(property)); }
    bool refused(std::string* problem) const {
        if (refused_.empty())
            return false;
        *problem = "the contact item has no text property " + refused_;
        return true;
    }

private:
    void refuse(const char* property) {
        if (refused_.empty())
            refused_ = property;
    }

    FakeContact& contact_;
    std::string refused_;
};

void putAddress(ContactSeed& seed, const char* prefix, const AddressBlock& block) {
    const std::string name = prefix;
    seed.putIfAny((name + "Street").c_str(), block.street);
    seed.putIfAny((name + "City").c_str(), block.city);
    seed.putIfAny((name + "State").c_str(), block.state);
    seed.putIfAny((name + "PostalCode").c_str(), block.postalCode);
    seed.putIfAny((name + "Country").c_str(), block.country);
}

// What the program would write for the record: every field that Outlook
// pairs with a record field and the demo Palm contacts can hold.
void putPalmValues(ContactSeed& seed, const ContactRecord& record) {
    seed.putIfAny("FirstName", record.firstName);
    seed.putIfAny("LastName", record.lastName);
    seed.putIfAny("CompanyName", record.company);
    seed.putIfAny("JobTitle", record.jobTitle);
    seed.putIfAny("Email1Address", record.email1);
    seed.putIfAny("HomeTelephoneNumber", record.homePhone);
    seed.putIfAny("BusinessTelephoneNumber", record.workPhone);
    seed.putIfAny("MobileTelephoneNumber", record.mobilePhone);
    seed.putIfAny("PrimaryTelephoneNumber", record.mainPhone);
    seed.putIfAny("OtherTelephoneNumber", record.otherPhone);
    seed.putIfAny("BusinessFaxNumber", record.businessFax);
    seed.putIfAny("HomeFaxNumber", record.homeFax);
    seed.putIfAny("BusinessHomePage", record.homePage);
    seed.putIfAny("Body", record.note);
    putAddress(seed, "BusinessAddress", record.businessAddress);
    putAddress(seed, "HomeAddress", record.homeAddress);
    putAddress(seed, "OtherAddress", record.otherAddress);
}

// What Outlook fills in by itself for a contact with a name and an address.
void putDisplayNames(ContactSeed& seed) {
    const std::string first = seed.text("FirstName");
    const std::string last = seed.text("LastName");
    const std::string full = first.empty() ? last : last.empty() ? first : first + " " + last;
    seed.putIfAny("FullName", full.c_str());
    const std::string email = seed.text("Email1Address");
    if (email.empty())
        return;
    seed.put("Email1AddressType", "SMTP");
    seed.put("Email1DisplayName", (full + " (" + email + ")").c_str());
}

const ContactRecord* findPalmContact(const std::vector<DemoContact>& contacts, const OutlookRow& row) {
    for (const DemoContact& contact : contacts) {
        if (std::strcmp(contact.record.firstName, row.firstName) == 0 &&
            std::strcmp(contact.record.lastName, row.lastName) == 0)
            return &contact.record;
    }
    return nullptr;
}

const DemoUser* findUser(uint32_t id) {
    size_t count = 0;
    const DemoUser* users = demoUsers(&count);
    for (size_t index = 0; index < count; ++index)
        if (users[index].id == id)
            return &users[index];
    return nullptr;
}

bool makeContact(const OutlookRow& row, size_t index, DemoOutlookContact* made, std::string* problem) {
    const std::string who = std::string(row.firstName) + " " + row.lastName;
    // Fixed stamps, a few days apart, so every run writes the same file.
    const double created = automationDay(2004, 9, 1) + 13.0 * static_cast<double>(index) + 0.3958;
    FakeContact contact(created);
    ContactSeed seed(contact);
    seed.putDate("LastModificationTime", created + 30.0 + static_cast<double>(index * 7 % 90) + 0.1);

    const bool counterpart = row.relation == R::SameAsPalm || row.relation == R::DiffersFromPalm;
    if (counterpart) {
        const DemoUser* user = findUser(row.palmUser);
        const std::vector<DemoContact> palm = user ? demoContacts(*user) : std::vector<DemoContact>();
        const ContactRecord* record = findPalmContact(palm, row);
        if (record == nullptr) {
            *problem = who + ": no such Palm contact of user " + std::to_string(row.palmUser);
            return false;
        }
        putPalmValues(seed, *record);
    } else {
        seed.put("FirstName", row.firstName);
        seed.put("LastName", row.lastName);
    }
    for (const DemoProperty& property : row.properties) {
        if (property.name == nullptr)
            break;
        seed.put(property.name, property.value);
    }
    if (row.birthday.year != 0)
        seed.putDate("Birthday", automationDay(row.birthday.year, row.birthday.month, row.birthday.day));
    putDisplayNames(seed);
    if (seed.refused(problem)) {
        *problem = who + ": " + *problem;
        return false;
    }

    made->entry = contactFileEntry(contact, {});
    made->relation = row.relation;
    if (row.relation != R::OnlyInOutlook) {
        made->palmUserId = row.palmUser;
        made->palmFirstName = row.firstName;
        made->palmLastName = row.lastName;
    }
    return true;
}

}  // namespace

bool makeDemoOutlookContacts(std::vector<DemoOutlookContact>* contacts, std::string* problem) {
    std::vector<DemoOutlookContact> made(sizeof Rows / sizeof *Rows);
    for (size_t index = 0; index < made.size(); ++index) {
        if (!makeContact(Rows[index], index, &made[index], problem))
            return false;
    }
    *contacts = std::move(made);
    return true;
}
