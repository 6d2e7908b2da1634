// Writes the demo users' address files with the program's own writers and
// checks each by reading it back with the program's own reader.
#include "testenv/demodata/DemoDataWriter.h"

#include "palm/PalmAddressFile.h"
#include "palm/PalmAddressFile4.h"
#include "palm/PalmCategory.h"
#include "palm/PalmCategoryTable.h"
#include "palmstore/PalmContactStore.h"
#include "sync/SourceType.h"
#include "testenv/demodata/DemoContacts.h"
#include "testenv/demodata/DemoOutlookContacts.h"
#include "testenv/fakeoutlook/ContactFile.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

namespace fs = std::filesystem;

namespace {

// The versions whose writers the demo files stand for.
const int OlderPalmDesktop = 40101;
const int PalmDesktop4 = 40104;

// A format object that can be given the demo categories before the first
// save: the categories of a file live in its own table.
template <typename File>
class DemoAddressFile : public File {
public:
    bool addDemoCategories() {
        this->categories_.reset(new PalmCategoryTable);
        for (int32_t id : {DemoBusiness, DemoPersonal, DemoQuickList}) {
            PalmCategory category;
            category.setSlot(id);
            category.setId(id);
            category.setName(demoCategoryName(id));
            char safeName[PalmCategory::MaxSafeNameLength + 1];
            makeSafeCategoryName(demoCategoryName(id), safeName, sizeof safeName);
            category.setSafeName(safeName);
            if (!this->categories_->add(&category))
                return false;
        }
        return true;
    }
};

// Gives the file records what Palm Desktop's own records carry (an id, a
// place in the list, no pending change) and their categories, which the
// store leaves to the file's table.
template <typename File>
void finishFileRecords(File& file, const DemoUser& user, const std::vector<DemoContact>& contacts) {
    for (size_t index = 0; index < contacts.size(); ++index) {
        auto* record = file.recordAt(index);
        if (record == nullptr)
            return;
        record->recordId = (user.id % 1000) * 10000 + static_cast<uint32_t>(index) + 1;
        record->position = static_cast<uint32_t>(index);
        record->status = 0;
        record->categoryId = static_cast<uint32_t>(contacts[index].category);
    }
}

// A Palm Desktop 4 file names itself in its header. Written natively, that
// would be a path of this machine; the file gets the Windows path it will
// have in the stand-in installation instead.
class StampedAddressFile4 : public PalmAddressFile4 {
public:
    explicit StampedAddressFile4(std::string storedName) : storedName_(std::move(storedName)) {}

protected:
    bool writeStoredName(const std::string&) override { return PalmAddressFile4::writeStoredName(storedName_); }

private:
    std::string storedName_;
};

bool stampStoredName(const std::string& path, const std::string& storedName) {
    StampedAddressFile4 file(storedName);
    if (!file.openAndRead(path))
        return false;
    // Saving never shortens a file, and the new name may be the shorter one.
    std::ofstream(path, std::ios::binary | std::ios::trunc).close();
    return file.save(path);
}

template <typename File>
bool makeEmptyFile(const std::string& path) {
    // Saving never creates or shortens a file.
    std::ofstream(path, std::ios::binary | std::ios::trunc).close();
    DemoAddressFile<File> file;
    return file.addDemoCategories() && file.save(path);
}

bool writeAddressFile(const std::string& path, const DemoUser& user, const std::vector<DemoContact>& contacts) {
    if (!(user.format4 ? makeEmptyFile<PalmAddressFile4>(path) : makeEmptyFile<PalmAddressFile>(path)))
        return false;
    PalmContactStore store(user.format4 ? PalmDesktop4 : OlderPalmDesktop);
    if (!store.loadFile(path))
        return false;
    if (store.file1().swapNames() || store.file2().swapNames()) {
        std::fprintf(stderr, "the settings file beside the demo data swaps names; remove it\n");
        return false;
    }
    for (const DemoContact& contact : contacts) {
        ContactRecord record = contact.record;
        record.sourceType = user.format4 ? SourceTypePalm4 : SourceTypePalm;
        if (!store.addRecord(&record))
            return false;
    }
    if (user.format4)
        finishFileRecords(store.file2(), user, contacts);
    else
        finishFileRecords(store.file1(), user, contacts);
    return store.save();
}

// Every text field of what was read against what was meant; prints each
// difference.
int countDifferences(const char* directory, int position, const ContactRecord& meant, const ContactRecord& read) {
    ContactValues expected = meant;
    int field = 0;
    int differences = 0;
    forEachTextFieldPair(expected, read, [&](auto& want, const auto& got) {
        if (std::strcmp(want, got) != 0) {
            std::fprintf(stderr, "%s contact %d, text field %d: wrote \"%s\", read \"%s\"\n", directory, position,
                         field, want, got);
            ++differences;
        }
        ++field;
    });
    return differences;
}

bool checkAddressFile(const std::string& path, const DemoUser& user, const std::vector<DemoContact>& contacts,
                      PalmContactStore& store) {
    if (!store.loadFile(path)) {
        std::fprintf(stderr, "%s: the address file does not read back\n", path.c_str());
        return false;
    }
    const PalmFormat format = user.format4 ? PalmFormat::Format4 : PalmFormat::Older;
    if (store.loadedFormat() != format) {
        std::fprintf(stderr, "%s: read back in format %d, not %d\n", path.c_str(),
                     static_cast<int>(store.loadedFormat()), static_cast<int>(format));
        return false;
    }
    ContactList* read = store.contacts();
    if (read->count() != static_cast<int32_t>(contacts.size())) {
        std::fprintf(stderr, "%s: %d contacts read back, %zu written\n", path.c_str(), read->count(), contacts.size());
        return false;
    }
    int differences = 0;
    for (int32_t position = 0; position < read->count(); ++position)
        differences += countDifferences(user.directory, position, contacts[position].record, *read->at(position));
    return differences == 0;
}

// first|last|email|workphone|homephone|mobile|company, as the program reads them.
bool writeContactList(const fs::path& path, ContactList* contacts) {
    std::ofstream list(path, std::ios::binary | std::ios::trunc);
    list << "# first|last|email|workphone|homephone|mobile|company (Windows-1252)\n";
    for (int32_t position = 0; position < contacts->count(); ++position) {
        const ContactRecord* r = contacts->at(position);
        list << r->firstName << '|' << r->lastName << '|' << r->email1 << '|' << r->workPhone << '|' << r->homePhone
             << '|' << r->mobilePhone << '|' << r->company << '\n';
    }
    return static_cast<bool>(list);
}

bool writeUsersFile(const fs::path& path, const DemoUser* users, size_t count) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << "# Users of the stand-in Palm Desktop: id|name|directory\n";
    for (size_t index = 0; index < count; ++index)
        file << users[index].id << '|' << users[index].name << '|' << users[index].directory << '\n';
    return static_cast<bool>(file);
}

bool makeUser(const fs::path& folder, const std::string& palmFolder, const DemoUser& user, FILE* progress) {
    const fs::path addressFolder = folder / user.directory / "address";
    std::error_code error;
    fs::create_directories(addressFolder, error);
    if (error) {
        std::fprintf(stderr, "cannot make %s: %s\n", addressFolder.string().c_str(), error.message().c_str());
        return false;
    }
    const std::string path = (addressFolder / "address.dat").string();
    const std::vector<DemoContact> contacts = demoContacts(user);
    if (!writeAddressFile(path, user, contacts)) {
        std::fprintf(stderr, "%s: the address file could not be written\n", path.c_str());
        return false;
    }
    const std::string storedName = palmFolder + "\\" + user.directory + "\\address\\address.dat";
    if (user.format4 && !stampStoredName(path, storedName)) {
        std::fprintf(stderr, "%s: the stored name could not be written\n", path.c_str());
        return false;
    }
    PalmContactStore store(user.format4 ? PalmDesktop4 : OlderPalmDesktop);
    if (!checkAddressFile(path, user, contacts, store))
        return false;
    if (user.format4 && store.file2().storedName() != storedName) {
        std::fprintf(stderr, "%s names itself \"%s\"\n", path.c_str(), store.file2().storedName().c_str());
        return false;
    }
    const fs::path list = folder / ("contacts-" + std::string(user.directory) + ".txt");
    if (!writeContactList(list, store.contacts())) {
        std::fprintf(stderr, "%s could not be written\n", list.string().c_str());
        return false;
    }
    if (progress != nullptr)
        std::fprintf(progress, "%u %s: %d contacts in %s (%s format), read back unchanged; list in %s\n", user.id,
                     user.name, store.contacts()->count(), path.c_str(), user.format4 ? "Palm Desktop 4" : "older",
                     list.filename().string().c_str());
    return true;
}

// The stand-in Outlook's Contacts folder, written with the contact file's
// own writer and read back with its reader.
bool writeOutlookContacts(const fs::path& path, FILE* progress) {
    std::vector<DemoOutlookContact> contacts;
    std::string problem;
    if (!makeDemoOutlookContacts(&contacts, &problem)) {
        std::fprintf(stderr, "demo Outlook contact %s\n", problem.c_str());
        return false;
    }
    std::vector<ContactFileEntry> entries;
    for (const DemoOutlookContact& contact : contacts)
        entries.push_back(contact.entry);
    if (!writeContactFile(path.string(), entries, &problem)) {
        std::fprintf(stderr, "%s: %s\n", path.string().c_str(), problem.c_str());
        return false;
    }
    std::vector<ContactFileEntry> read;
    bool existed = false;
    ContactFileError error;
    if (!readContactFile(path.string(), &read, &existed, &error)) {
        std::fprintf(stderr, "%s: %s\n", path.string().c_str(), error.describe().c_str());
        return false;
    }
    if (formatContactFile(read) != formatContactFile(entries)) {
        std::fprintf(stderr, "%s does not read back as written\n", path.string().c_str());
        return false;
    }
    if (progress != nullptr)
        std::fprintf(progress, "%s: %zu contacts for the stand-in Outlook, read back unchanged\n",
                     path.filename().string().c_str(), read.size());
    return true;
}

}  // namespace

const char DefaultDemoPalmFolder[] = "C:\\Program Files\\Palm";

bool writeDemoData(const std::string& outputFolder, std::string palmFolder, FILE* progress) {
    while (palmFolder.size() > 3 && palmFolder.back() == '\\')
        palmFolder.pop_back();
    const fs::path folder = fs::absolute(outputFolder);
    std::error_code error;
    fs::create_directories(folder, error);
    if (error) {
        std::fprintf(stderr, "cannot make %s: %s\n", folder.string().c_str(), error.message().c_str());
        return false;
    }
    size_t userCount = 0;
    const DemoUser* users = demoUsers(&userCount);
    for (size_t index = 0; index < userCount; ++index) {
        if (!makeUser(folder, palmFolder, users[index], progress))
            return false;
    }
    if (!writeUsersFile(folder / "users.txt", users, userCount)) {
        std::fprintf(stderr, "users.txt could not be written\n");
        return false;
    }
    if (progress != nullptr)
        std::fprintf(progress, "users.txt: %zu users\n", userCount);
    return writeOutlookContacts(folder / DemoOutlookContactsFileName, progress);
}
