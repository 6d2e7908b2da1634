#include "testenv/scenariocheck/OutlookCheckFile.h"

#include "testenv/fakeoutlook/ContactFile.h"

#include <algorithm>
#include <utility>

namespace {

CheckRecord checkRecordOf(const ContactFileEntry& entry) {
    std::vector<ContactFileLine> lines = entry.lines;
    std::stable_sort(lines.begin(), lines.end(),
                     [](const ContactFileLine& a, const ContactFileLine& b) { return a.name < b.name; });
    CheckRecord check;
    for (const ContactFileLine& line : lines) {
        // The stand-in gives every contact its id when it first writes the
        // file: an identity, not a value the program changes.
        if (line.name == "EntryID")
            continue;
        check.add(line.name, encodeContactFileValue(line.value));
    }
    const std::string* first = check.find("FirstName");
    const std::string* last = check.find("LastName");
    check.label = personLabel(first ? *first : "", last ? *last : "");
    if (const std::string* created = check.find("CreationTime"))
        check.key = "created " + *created;
    return check;
}

}  // namespace

bool readOutlookCheckFile(const std::string& path, CheckFile* file, std::string* problem) {
    std::vector<ContactFileEntry> entries;
    bool existed = false;
    ContactFileError error;
    if (!readContactFile(path, &entries, &existed, &error)) {
        *problem = error.describe();
        return false;
    }
    if (!existed) {
        *problem = "there is no such file";
        return false;
    }
    CheckFile check;
    check.recordNoun = "contact";
    check.description = "stand-in Outlook contact file";
    for (const ContactFileEntry& entry : entries)
        check.records.push_back(checkRecordOf(entry));
    *file = std::move(check);
    return true;
}
