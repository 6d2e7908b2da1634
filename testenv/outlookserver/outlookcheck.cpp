// Drives the registered "Outlook.Application" the way quillset.exe does (the
// program's own connector over real COM), then reads the contacts file back.
//
//   outlookcheck CONTACTS-FILE   load, add one contact, update the first, and
//                                check the file: exit 0 when it changed so
//   outlookcheck --load          only start, load and print the count
//
// The file argument is the path this program reads, which is the file the
// server was pointed at (QS_OUTLOOK_CONTACTS or the registry value).
#include <windows.h>
#include <ole2.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "outlook/OutlookConnector.h"
#include "platform/TextCodec.h"
#include "sync/ContactRecord.h"
#include "sync/SourceType.h"
#include "sync/TextField.h"
#include "testenv/fakeoutlook/ContactFile.h"

namespace {

// COM for this thread, as start-up does.
class ComApartment {
public:
    ComApartment() : started_(SUCCEEDED(CoInitialize(nullptr))) {}
    ~ComApartment() {
        if (started_)
            CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
    bool started() const { return started_; }

private:
    bool started_;
};

const char AddedFirst[] = "Ingrid";
const char AddedLast[] = "Checkmark";
const char UpdatedPhone[] = "+1 555 0199";

bool readEntries(const std::string& path, std::vector<ContactFileEntry>* entries) {
    bool existed = false;
    ContactFileError error;
    if (readContactFile(path, entries, &existed, &error))
        return true;
    std::printf("cannot read %s: %s\n", path.c_str(), error.describe().c_str());
    return false;
}

std::string valueOf(const ContactFileEntry& entry, const char* name) {
    for (const ContactFileLine& line : entry.lines) {
        if (line.name == name)
            return utf16ToAnsi(line.value);
    }
    return std::string();
}

int countNamed(const std::vector<ContactFileEntry>& entries, const char* first, const char* last) {
    int count = 0;
    for (const ContactFileEntry& entry : entries) {
        if (valueOf(entry, "FirstName") == first && valueOf(entry, "LastName") == last)
            ++count;
    }
    return count;
}

int loadOnly() {
    OutlookConnector connector;
    std::printf("outlook available: %s\n", connector.outlookAvailable() ? "yes" : "no");
    if (!connector.outlookAvailable())
        return 0;
    bool loaded = connector.load();
    std::printf("load: %s, contacts: %d\n", loaded ? "true" : "false", static_cast<int>(connector.contacts()->count()));
    for (ContactRecord* record = connector.contacts()->first(); record; record = connector.contacts()->next()) {
        std::printf("  %s %s (%s)\n", record->firstName, record->lastName, record->category);
    }
    return 0;
}

int fullCheck(const std::string& path) {
    std::vector<ContactFileEntry> before;
    if (!readEntries(path, &before))
        return 1;
    std::printf("file before: %d contacts\n", static_cast<int>(before.size()));

    std::string firstName, lastName;
    {
        OutlookConnector connector;
        std::printf("outlook available: %s\n", connector.outlookAvailable() ? "yes" : "no");
        if (!connector.outlookAvailable())
            return 1;
        bool loaded = connector.load();
        ContactList& contacts = *connector.contacts();
        std::printf("load: %s, contacts: %d\n", loaded ? "true" : "false", static_cast<int>(contacts.count()));

        ContactRecord added;
        copyText(added.firstName, AddedFirst);
        copyText(added.lastName, AddedLast);
        copyText(added.email1, "ingrid@example.org");
        copyText(added.note, "added by outlookcheck\r\nsecond line");
        added.sourceType = SourceTypePalm;
        std::printf("addContact: %s\n", connector.addContact(&added) ? "true" : "false");

        if (contacts.count() > 0) {
            const ContactRecord* first = contacts.at(0);
            firstName = first->firstName;
            lastName = first->lastName;
            ContactRecord update;
            copyText(update.firstName, first->firstName);
            copyText(update.lastName, first->lastName);
            copyText(update.workPhone, UpdatedPhone);
            update.sourceType = SourceTypePalm;
            std::printf("updateContact(0): %s\n", connector.updateContact(&update, 0) ? "true" : "false");
        }
    }

    std::vector<ContactFileEntry> after;
    if (!readEntries(path, &after))
        return 1;
    std::printf("file after: %d contacts\n", static_cast<int>(after.size()));
    bool ok = after.size() == before.size() + 1;
    int addedCount = countNamed(after, AddedFirst, AddedLast) - countNamed(before, AddedFirst, AddedLast);
    std::printf("added contact in file: %s\n", addedCount == 1 ? "yes" : "no");
    ok = ok && addedCount == 1;
    if (!before.empty() && !after.empty()) {
        std::string phone = valueOf(after[0], "BusinessTelephoneNumber");
        bool updated = phone == UpdatedPhone && valueOf(after[0], "FirstName") == firstName &&
                       valueOf(after[0], "LastName") == lastName;
        std::printf("first contact %s %s, BusinessTelephoneNumber: \"%s\"\n", firstName.c_str(), lastName.c_str(),
                    phone.c_str());
        ok = ok && updated;
        // Everything else of the first contact is as it was.
        for (const ContactFileLine& line : before[0].lines) {
            if (line.name == "BusinessTelephoneNumber" || line.name == "LastModificationTime")
                continue;
            if (valueOf(after[0], line.name.c_str()) != utf16ToAnsi(line.value)) {
                std::printf("first contact lost %s\n", line.name.c_str());
                ok = false;
            }
        }
    }
    std::printf("%s\n", ok ? "check passed" : "check FAILED");
    return ok ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    ComApartment apartment;
    if (!apartment.started()) {
        std::printf("CoInitialize failed\n");
        return 2;
    }
    if (argc == 2 && std::strcmp(argv[1], "--load") == 0)
        return loadOnly();
    if (argc == 2)
        return fullCheck(argv[1]);
    std::printf("usage: outlookcheck CONTACTS-FILE | --load\n");
    return 2;
}
