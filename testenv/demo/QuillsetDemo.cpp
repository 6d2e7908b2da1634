// A console walk through the synchronizer's core with the stand-ins: a Palm
// Desktop 4 address file made in a demo folder, the in-memory Outlook with a
// few contacts, the comparison of both sides, and a merge each way.
#include "outlook/AutomationStarter.h"
#include "outlook/OutlookConnector.h"
#include "platform/ProgramFolder.h"
#include "platform/SettingsFile.h"
#include "platform/TextCodec.h"
#include "palm/PalmAddressFile4.h"
#include "palmstore/PalmContactStore.h"
#include "sync/RecordMatching.h"
#include "sync/SourceType.h"
#include "sync/TextField.h"
#include "testenv/fakeoutlook/FakeOutlook.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

struct DemoContact {
    const char* firstName;
    const char* lastName;
    const char* company;
    const char* workPhone;
    const char* email;
};

const DemoContact PalmContacts[] = {
    {"Ann", "Lee", "Lee & Daughters", "555-0100", "ann@example.com"},
    {"Bob", "Marsh", "Harbour Books", "555-0111", "bob@example.com"},
    {"Cleo", "Park", "Park Studio", "555-0122", ""},
};

const DemoContact OutlookContacts[] = {
    {"Ann", "Lee", "Lee & Daughters", "555-0100", "ann@example.com"},
    {"Bob", "Marsh", "Marsh Consulting", "555-0111", "bob@example.com"},
    {"Dan", "Quill", "Quill Supplies", "555-0133", "dan@example.com"},
};

const char* statusText(int32_t status) {
    switch (status) {
    case CompareStatusSame: return "same on both sides";
    case CompareStatusMissing: return "missing on the other side";
    case CompareStatusDiffers: return "differs";
    default: return "?";
    }
}

ContactRecord makeRecord(const DemoContact& contact) {
    ContactRecord record{};
    copyText(record.firstName, contact.firstName);
    copyText(record.lastName, contact.lastName);
    copyText(record.company, contact.company);
    copyText(record.workPhone, contact.workPhone);
    copyText(record.email1, contact.email);
    return record;
}

void seedOutlook(FakeOutlook& outlook) {
    for (const DemoContact& contact : OutlookContacts) {
        FakeContact& item = outlook.addContact();
        item.setText("FirstName", ansiToUtf16(contact.firstName));
        item.setText("LastName", ansiToUtf16(contact.lastName));
        item.setText("CompanyName", ansiToUtf16(contact.company));
        item.setText("BusinessTelephoneNumber", ansiToUtf16(contact.workPhone));
        item.setText("Email1Address", ansiToUtf16(contact.email));
    }
}

// Saving never creates an address file, so the demo makes an empty one and
// lets the Palm Desktop 4 writer fill in its header.
bool makePalmFile(const std::string& path) {
    std::ofstream(path, std::ios::binary | std::ios::trunc).close();
    PalmAddressFile4 file;
    if (!file.save(path))
        return false;
    PalmContactStore store;
    if (!store.loadFile(path))
        return false;
    for (const DemoContact& contact : PalmContacts) {
        ContactRecord record = makeRecord(contact);
        record.sourceType = SourceTypePalm4;
        if (!store.addRecord(&record))
            return false;
    }
    return store.save();
}

void printSide(const char* title, ContactList* contacts) {
    std::printf("  %s (%d)\n", title, contacts->count());
    for (ContactRecord* record = contacts->first(); record != nullptr; record = contacts->next()) {
        std::printf("    %-6s %-7s %-18s %-10s %s\n", record->firstName, record->lastName, record->company,
                    record->workPhone, statusText(record->compareStatus));
    }
}

void compareAndPrint(const char* heading, PalmContactStore& palm, OutlookConnector& outlook) {
    computeCompareStatus(palm.contacts(), outlook.contacts());
    computeCompareStatus(outlook.contacts(), palm.contacts());
    std::printf("\n%s\n", heading);
    printSide("Palm Desktop", palm.contacts());
    printSide("Outlook", outlook.contacts());
}

std::string demoFolder(int argc, char** argv) {
    std::filesystem::path folder = argc > 1 ? argv[1] : "quillset-demo";
    std::filesystem::create_directories(folder);
    std::string text = std::filesystem::absolute(folder).string();
    return text + static_cast<char>(std::filesystem::path::preferred_separator);
}

void printLog(const std::string& path) {
    std::ifstream log(path, std::ios::binary);
    std::string line;
    std::printf("\nConnector log (%s):\n", path.c_str());
    while (std::getline(log, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        std::printf("  | %s\n", line.c_str());
    }
}

}  // namespace

int main(int argc, char** argv) {
    const std::string folder = demoFolder(argc, argv);
    overrideProgramFolder(folder);
    const std::string settings = settingsFilePath();
    std::remove(programFilePath("OlCommLog.log").c_str());
    settingsWriteString("OlComm", "EnableLog", "1", settings.c_str());

    const std::string palmPath = folder + "address.dat";
    if (!makePalmFile(palmPath)) {
        std::printf("Could not make the demo address file %s\n", palmPath.c_str());
        return 1;
    }

    std::shared_ptr<FakeOutlook> fakeOutlook = FakeOutlook::create();
    seedOutlook(*fakeOutlook);
    ScopedAutomationStarterFactory useStandIn(fakeOutlook->starterFactory());

    PalmContactStore palm;
    OutlookConnector outlook;
    if (!palm.loadFile(palmPath) || !outlook.outlookAvailable() || !outlook.load()) {
        std::printf("Could not load the demo contacts\n");
        return 1;
    }
    std::printf("Palm Desktop address file: %s (%s format)\n", palmPath.c_str(),
                palm.loadedFormat() == PalmFormat::Format4 ? "Palm Desktop 4" : "older");
    compareAndPrint("Before synchronizing:", palm, outlook);

    // Palm Desktop first, so it wins the differing pair; then what only
    // Outlook has comes across.
    int toOutlook = 0;
    int toPalm = 0;
    for (int32_t position = 0; position < palm.contacts()->count(); ++position)
        toOutlook += outlook.mergeRecord(palm.contacts()->at(position)) ? 1 : 0;
    for (int32_t position = 0; position < outlook.contacts()->count(); ++position)
        toPalm += palm.mergeRecord(outlook.contacts()->at(position)) ? 1 : 0;
    const bool saved = palm.save();
    std::printf("\nMerged %d record(s) into Outlook and %d into Palm Desktop; address file %s.\n", toOutlook, toPalm,
                saved ? "saved" : "NOT saved");

    PalmContactStore reloaded;
    if (!reloaded.loadFile(palmPath) || !outlook.load())
        return 1;
    compareAndPrint("After synchronizing (both sides reloaded):", reloaded, outlook);
    printLog(programFilePath("OlCommLog.log"));
    return saved ? 0 : 1;
}
