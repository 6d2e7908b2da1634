#include "testenv/demodata/DemoContacts.h"

#include "sync/TextField.h"

#include <cstdio>

// Texts are Windows-1252: "M\xFC" "ller" is "Müller". A hex escape swallows
// every hex digit after it, hence the split literals. E-mail addresses stay
// within 31 characters: the address files keep them in a telephone slot.

namespace {

const DemoUser Users[] = {
    {1001, "Ann Lee", "AnnLee", false},
    {1002, "Tom Berg", "TomBerg", true},
};

// Phone formats take a two-digit number: the 555-01xx numbers and their
// foreign look-alikes are reserved for fiction. Streets and postal codes take
// a number as well.
struct DemoCity {
    const char* city;
    const char* state;
    const char* country;
    const char* postalCode;
    const char* phone;
    const char* streets[2];
};

const DemoCity Cities[] = {
    {"Portland", "OR", "USA", "972%02d", "(503) 555-01%02d", {"%d NW Everett Street", "%d SE Hawthorne Blvd"}},
    {"Boston", "MA", "USA", "021%02d", "(617) 555-01%02d", {"%d Beacon Street", "%d Tremont Street"}},
    {"Austin", "TX", "USA", "787%02d", "(512) 555-01%02d", {"%d Congress Avenue", "%d South Lamar Blvd"}},
    {"Toronto", "ON", "Canada", "M5V 2K%d", "(416) 555-01%02d", {"%d Queen Street West", "%d Spadina Avenue"}},
    {"London", "", "United Kingdom", "EC1V %dHX", "+44 20 7946 01%02d", {"%d Clerkenwell Road", "%d Upper Street"}},
    {"M\xFCnchen",
     "",
     "Germany",
     "803%02d",
     "+49 89 555 01%02d",
     {"Leopoldstra\xDF"
      "e %d",
      "Sendlinger Stra\xDF"
      "e %d"}},
    {"Z\xFCrich", "", "Switzerland", "80%02d", "+41 44 555 01 %02d", {"Bahnhofstrasse %d", "Seefeldstrasse %d"}},
    {"Sevilla", "", "Spain", "410%02d", "+34 954 555 1%02d", {"Calle Sierpes %d", "Avenida de la Constituci\xF3n %d"}},
    {"Lyon", "", "France", "690%02d", "+33 4 55 50 01 %02d", {"%d rue de la R\xE9publique", "%d quai Saint-Antoine"}},
    {"G\xF6teborg", "", "Sweden", "411 %02d", "+46 31 555 01 %02d", {"Kungsportsavenyen %d", "Linn\xE9gatan %d"}},
};
const int CityCount = sizeof Cities / sizeof *Cities;

struct Person {
    const char* firstName;
    const char* lastName;
    const char* company;
    const char* title;
    const char* email;
    int city;
    const char* note;
};

const Person AnnsContacts[] = {
    {"Bob", "Marsh", "Harbour Books", "Owner", "bob@harbourbooks.example", 0, "Prefers calls after 10 am."},
    {"Cleo", "Park", "Park Studio", "Photographer", "cleo@parkstudio.example", 0, ""},
    {"Daniel", "Okafor", "Riverside Dental", "Dentist", "dr.okafor@rvdental.example", 0,
     "Check-up every March and September."},
    {"Emma", "Lindqvist", "Cascade Timber Co.", "Purchasing Manager", "emma.l@cascadetimber.example", 0, ""},
    {"Frank", "Delgado", "", "", "frank.delgado@mail.example", 0, "Neighbour, two doors down. Has a spare key."},
    {"Grace", "Whitfield", "Whitfield & Moss LLP", "Partner", "grace@whitfieldmoss.example", 1,
     "Handles the lease.\r\nAssistant: Paula, ext. 212."},
    {"Hiro", "Tanaka", "Bay Street Analytics", "Data Engineer", "hiro.tanaka@baystreet.example", 1, ""},
    {"Isabel", "Ferreira", "", "", "", 1, "College friend."},
    {"Jack", "O'Neill", "Tremont Print Shop", "Manager", "jack@tremontprint.example", 1, ""},
    {"Karen", "Schultz", "Lone Star Catering", "Events Coordinator", "karen@lonestarcatering.example", 2,
     "Menu for the June party: vegetarian options."},
    {"Luis", "Gonz\xE1lez", "Congress Avenue Bikes", "Mechanic", "luis@congressbikes.example", 2, ""},
    {"Maya", "Patel", "Hill Country Veterinary", "Veterinarian", "mpatel@hcvet.example", 2,
     "Our cat Pepper: vaccination due in October."},
    {"Nathan", "Brooks", "", "", "nate.brooks@mail.example", 2, ""},
    {"Olivia", "Chen", "Maple Leaf Software", "Product Owner", "olivia.chen@mapleleaf.example", 3, ""},
    {"Pierre", "Gagnon", "Gagnon Architecture", "Architect", "pierre@gagnon-arch.example", 3,
     "Speaks French and English."},
    {"Quentin", "Moreau", "", "", "", 3, ""},
    {"Rachel", "Adeyemi", "Upper Street Books", "Buyer", "rachel@upperstreetbooks.example", 4, ""},
    {"Samuel", "Hughes", "Clerkenwell Design Week", "Director", "sam.hughes@cdw.example", 4,
     "Exhibition stand booked for May."},
    {"Thomas",
     "M\xFC"
     "ller",
     "Isar Maschinenbau GmbH", "Vertriebsleiter", "thomas.mueller@isar-mb.example", 5,
     "Trade fair contact. Prefers e-mail in German."},
    {"Ursula", "Becker", "", "", "ursula.becker@mail.example", 5, ""},
    {"Viktor", "Hoffmann", "Alpenblick Reisen", "Reiseberater", "v.hoffmann@alpenblick.example", 5, ""},
    {"Wendy", "Keller", "Seefeld Consulting AG", "Senior Consultant", "wendy.keller@seefeld.example", 6, ""},
    {"Jos\xE9", "\xC1lvarez", "Cer\xE1mica Triana", "Owner", "jose@ceramicatriana.example", 7,
     "Tiles for the kitchen: order no. 4471."},
    {"Luc\xED"
     "a",
     "Romero", "", "", "lucia.romero@mail.example", 7, ""},
    {"Fran\xE7ois", "Dubois", "Soie de Lyon", "Designer", "f.dubois@soiedelyon.example", 8, ""},
    {"Ren\xE9"
     "e",
     "Lef\xE8vre", "Caf\xE9 des Canuts", "G\xE9rante", "renee@cafecanuts.example", 8, "Met at the silk museum."},
    {"Bj\xF6rn", "Nilsson", "Kvarnen Tr\xE4", "CEO", "bjorn.nilsson@kvarnen.example", 9, ""},
    {"Astrid", "Holm", "", "", "astrid.holm@mail.example", 9, "Pen friend since 1998."},
    {"Kevin", "Wright", "Everett Street Coffee", "Barista", "", 0, ""},
    {"Linda", "Morales", "Portland Community College", "Instructor", "lmorales@pcc.example", 0,
     "Evening class: Tuesdays 7 pm."},
    {"Michael", "Stone", "Stone & Sons Plumbing", "Plumber", "mike@stoneplumbing.example", 0,
     "Emergency line answers 24 h."},
    {"Nora", "Fitzgerald", "", "", "nora.fitz@mail.example", 1, ""},
    {"Oscar", "Lindgren", "Hawthorne Cycles", "", "oscar@hawthornecycles.example", 0, ""},
    {"Paul", "Nguyen", "", "", "", 0, ""},
};

const Person TomsContacts[] = {
    {"Adam", "Kowalski", "Northgate Logistics", "Fleet Manager", "adam.kowalski@northgate.example", 1, ""},
    {"Beatrice", "Hale", "Hale Family Farm", "Owner", "bea@halefarm.example", 0,
     "Eggs and honey, Saturdays at the market."},
    {"Carlos", "Mendes", "Lisbon Tile Imports", "Sales", "carlos@lisbontile.example", 2, ""},
    {"Diana", "S\xF8rensen", "Fjord Design", "Art Director", "diana@fjorddesign.example", 9, ""},
    {"Ethan", "Russo", "Beacon Hill Pharmacy", "Pharmacist", "ethan.russo@beaconrx.example", 1, ""},
    {"Fiona", "MacLeod", "Highland Wool Ltd", "Account Manager", "fiona@highlandwool.example", 4, ""},
    {"George", "Papadopoulos", "", "", "george.p@mail.example", 1, "Plays chess on Thursdays."},
    {"Hannah", "Weber", "Weber Steuerberatung", "Steuerberaterin", "h.weber@weber-stb.example", 5,
     "Tax documents due by the end of May."},
    {"Ivan", "Petrov", "Queen West Audio", "Sound Engineer", "ivan@queenwestaudio.example", 3, ""},
    {"Julia", "Rossi", "", "", "", 2, ""},
    {"Kai", "Andersen", "Lakeside Rowing Club", "Coach", "kai@lakesiderowing.example", 0, ""},
    {"Laura", "Bianchi", "Bianchi Imports", "Managing Director", "laura@bianchi-imports.example", 6, ""},
    {"Marcus", "Greene", "Greene Electric", "Electrician", "marcus@greene-electric.example", 2,
     "Rewired the garage in 2003."},
    {"Nadia", "Haddad", "South Lamar Clinic", "Physician", "n.haddad@slclinic.example", 2, ""},
    {"Owen", "Price", "", "", "owen.price@mail.example", 4, ""},
    {"Priya", "Raman", "Spadina Health Foods", "Owner", "priya@spadinafoods.example", 3, ""},
    {"J\xFCrgen",
     "Schr\xF6"
     "der",
     "Schr\xF6"
     "der & Partner",
     "Rechtsanwalt", "js@schroeder-partner.example", 5, "Contract review: call before sending documents."},
    {"Sof\xED"
     "a",
     "Jim\xE9nez", "Flamenco Sevilla S.L.", "Manager", "sofia@flamencosevilla.example", 7, ""},
    {"Andr\xE9", "Lambert", "Lambert Vins", "Caviste", "andre@lambertvins.example", 8,
     "Case of C\xF4tes du Rh\xF4ne for the holidays."},
    {"Ingrid", "Berg", "", "", "ingrid.berg@mail.example", 9, "Tom's sister.\r\nBirthday: 12 August."},
    {"Lars", "\xC5kesson", "V\xE4stkust Marin AB", "Service Technician", "lars.akesson@vastkust.example", 9, ""},
    {"Megan", "Foster", "Foster Realty", "Realtor", "megan@fosterrealty.example", 0,
     "Showed us the house on Alder Street."},
    {"Noah", "Sullivan", "Tremont Law Group", "Paralegal", "nsullivan@tremontlaw.example", 1, ""},
    {"Paula", "Costa", "", "", "", 7, ""},
    {"Rosa", "Jansen", "Tulip Travel", "Travel Agent", "rosa@tuliptravel.example", 4, ""},
    {"Stefan", "Vogel", "Bergsport Vogel", "Inhaber", "stefan@bergsport-vogel.example", 6, ""},
    {"Tessa", "Young", "Guadalupe Yoga", "Instructor", "tessa@guadalupeyoga.example", 2,
     "Classes Monday and Wednesday, 6 pm."},
    {"Victor", "Huang", "Huang & Li Accounting", "CPA", "victor.huang@huangli.example", 3, ""},
    {"William", "Grant", "", "", "will.grant@mail.example", 0, ""},
    {"Yasmin", "Aziz", "Commonwealth Books", "Editor", "yasmin.aziz@cwbooks.example", 1, ""},
    {"Zoe", "Campbell", "Campbell Landscaping", "", "zoe@campbellgardens.example", 0, ""},
    {"Chlo\xE9", "Girard", "", "", "chloe.girard@mail.example", 8, ""},
    {"Ben", "Ortiz", "", "", "", 2, ""},
};

// Hands out distinct numbers per city, so no two contacts of a user share a
// telephone number and the matching rule cannot pair them by mistake. The
// users start apart, so their numbers differ too.
class NumberPool {
public:
    explicit NumberPool(int start) {
        for (int& next : next_)
            next = start;
    }
    int take(int city) { return next_[city]++ % 100; }

private:
    int next_[CityCount];
};

template <size_t N>
void formatInto(char (&field)[N], const char* format, int number) {
    std::snprintf(field, N, format, number);
}

void fillAddress(AddressBlock& block, const DemoCity& city, int index, int variant) {
    formatInto(block.street, city.streets[variant % 2], 10 + (index * 37 + variant * 11) % 890);
    formatInto(block.postalCode, city.postalCode, 1 + (index * 7 + variant) % 9);
    copyText(block.city, city.city);
    copyText(block.state, city.state);
    copyText(block.country, city.country);
}

DemoContact makeContact(const Person& person, int index, bool format4, NumberPool& numbers) {
    DemoContact contact{};
    ContactRecord& record = contact.record;
    const DemoCity& city = Cities[person.city];
    const bool business = person.company[0] != '\0';
    const bool minimal = person.email[0] == '\0' && person.note[0] == '\0' && !business;

    copyText(record.firstName, person.firstName);
    copyText(record.lastName, person.lastName);
    copyText(record.company, person.company);
    copyText(record.jobTitle, person.title);
    copyText(record.email1, person.email);
    copyText(record.note, person.note);

    // Which fields a contact has follows its position, so the list shows
    // every mix: no work phone, no home phone, no mobile, no address.
    if (business && index % 9 != 4)
        formatInto(record.workPhone, city.phone, numbers.take(person.city));
    if (index % 3 != 1 || minimal)
        formatInto(record.homePhone, city.phone, numbers.take(person.city));
    if (index % 4 != 3 && !minimal)
        formatInto(record.mobilePhone, city.phone, numbers.take(person.city));
    if (business && index % 6 == 0)
        formatInto(record.businessFax, city.phone, numbers.take(person.city));
    if (business && index % 5 == 2)
        std::snprintf(record.custom[0], sizeof record.custom[0], "Customer no. %d", 4100 + index * 13);

    // The older file has one address, which the program reads as the
    // business address; the Palm Desktop 4 file keeps private addresses apart.
    if (index % 7 != 5 && !minimal) {
        if (format4 && !business)
            fillAddress(record.homeAddress, city, index, 1);
        else
            fillAddress(record.businessAddress, city, index, 0);
    }
    if (format4 && business && index % 4 == 1)
        fillAddress(record.homeAddress, city, index, 1);
    if (format4 && index % 11 == 7)
        fillAddress(record.otherAddress, Cities[(person.city + 3) % CityCount], index, 0);

    contact.category = index % 8 == 0 ? DemoQuickList : business ? DemoBusiness : DemoPersonal;
    if (minimal)
        contact.category = DemoUnfiled;
    copyText(record.category, demoCategoryName(contact.category));
    return contact;
}

}  // namespace

const DemoUser* demoUsers(size_t* count) {
    *count = sizeof Users / sizeof *Users;
    return Users;
}

const char* demoCategoryName(int32_t category) {
    switch (category) {
    case DemoBusiness: return "Business";
    case DemoPersonal: return "Personal";
    case DemoQuickList: return "QuickList";
    default: return "Unfiled";
    }
}

std::vector<DemoContact> demoContacts(const DemoUser& user) {
    const Person* people = user.format4 ? TomsContacts : AnnsContacts;
    const size_t count =
        user.format4 ? sizeof TomsContacts / sizeof *TomsContacts : sizeof AnnsContacts / sizeof *AnnsContacts;
    NumberPool numbers(user.format4 ? 50 : 1);
    std::vector<DemoContact> contacts;
    for (size_t index = 0; index < count; ++index)
        contacts.push_back(makeContact(people[index], static_cast<int>(index), user.format4, numbers));
    return contacts;
}
