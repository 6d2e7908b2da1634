#include "tests/syncfixture/SyncFixture.h"

#include <cstring>

#include "tests/support/PalmFileBuilders.h"

#include "outlook/AutomationCalls.h"
#include "platform/TextCodec.h"
#include "sync/RecordMatching.h"
#include "tests/support/PalmBytes.h"

namespace {

const char* listName(SyncList list) { return list == SyncList::Palm ? "Palm" : "Outlook"; }

const std::string progressPrefix = "progress ";

}  // namespace

// ---- the fake window

bool FakeSyncView::hasList(SyncList) const { return listsExist; }

int FakeSyncView::rowCount(SyncList list) const { return static_cast<int>(rows(list).size()); }

bool FakeSyncView::isChecked(SyncList list, int row) const {
    EXPECT_TRUE(validRow(list, row)) << "row " << row;
    return validRow(list, row) && rows(list)[row].checked;
}

void FakeSyncView::setChecked(SyncList list, int row, bool checked) {
    ASSERT_TRUE(validRow(list, row)) << "row " << row;
    rows(list)[row].checked = checked;
}

ContactRecord* FakeSyncView::recordAt(SyncList list, int row) const {
    EXPECT_TRUE(validRow(list, row)) << "row " << row;
    return validRow(list, row) ? rows(list)[row].record : nullptr;
}

void FakeSyncView::fillList(SyncList list, ContactList* records) {
    events_.push_back(std::string("fill ") + listName(list));
    std::vector<Row>& shown = rows(list);
    shown.clear();
    if (records == nullptr)
        return;
    // Each record goes on top, as the list control's fill does.
    for (ContactRecord* record = records->first(); record != nullptr; record = records->next()) {
        const bool differs =
            record->compareStatus == CompareStatusMissing || record->compareStatus == CompareStatusDiffers;
        if (showDiff && !differs)
            continue;
        shown.insert(shown.begin(), Row{record, false});
    }
}

void FakeSyncView::updateCounts() {
    events_.push_back("counts");
    countedPalmRows = rowCount(SyncList::Palm);
    countedOutlookRows = rowCount(SyncList::Outlook);
    computeCompareStatus(palm_.contacts(), outlook_.contacts());
    computeCompareStatus(outlook_.contacts(), palm_.contacts());
}

void FakeSyncView::reloadPalmSide() {
    events_.push_back("reload");
    if (beforeReload)
        beforeReload();
    palm_.loadFile(palmPath);
}

void FakeSyncView::reloadBothSides() {
    events_.push_back("reload both");
    palm_.loadFile(palmPath);
    outlook_.load();
    computeCompareStatus(palm_.contacts(), outlook_.contacts());
    computeCompareStatus(outlook_.contacts(), palm_.contacts());
    fillList(SyncList::Palm, palm_.contacts());
    fillList(SyncList::Outlook, outlook_.contacts());
}

void FakeSyncView::showProgress(int percent) {
    events_.push_back(progressPrefix + std::to_string(percent));
    if (onProgress)
        onProgress(percent);
}

void FakeSyncView::setCursor(SyncCursor cursor) { events_.push_back(cursor == SyncCursor::Wait ? "wait" : "normal"); }

bool FakeSyncView::showMessage(const char* text, const char* caption, SyncMessageKind kind) {
    events_.push_back(std::string("box ") + caption);
    messages.push_back(Message{text, caption, kind});
    if (kind == SyncMessageKind::QuestionYesNo && onQuestion)
        onQuestion();
    return (kind == SyncMessageKind::QuestionYesNo && answerYes) ||
           (kind == SyncMessageKind::WarningYesNoDefaultNo && answerWarningYes);
}

SyncChoice FakeSyncView::chooseSyncAction(const ContactRecord& palm, const ContactRecord& outlook,
                                          const SyncChoice& preset) {
    events_.push_back("prompt");
    prompts.push_back(Prompt{&palm, &outlook, palm.company, outlook.company, preset});
    if (onPrompt)
        onPrompt();
    // OK pressed at once keeps the preset.
    SyncChoice answer = preset;
    if (!choices.empty()) {
        answer = choices.front();
        choices.pop_front();
    }
    return answer;
}

bool FakeSyncView::previewSynchronizeAll(const SyncPlan& plan) {
    events_.push_back("preview");
    if (onPreview)
        onPreview(plan);
    return answerPreview;
}

std::vector<std::string> FakeSyncView::rowNames(SyncList list) const {
    std::vector<std::string> names;
    for (const Row& row : rows(list))
        names.push_back(row.record->firstName);
    return names;
}

std::vector<bool> FakeSyncView::checks(SyncList list) const {
    std::vector<bool> checked;
    for (const Row& row : rows(list))
        checked.push_back(row.checked);
    return checked;
}

void FakeSyncView::checkAll(SyncList list) {
    for (Row& row : rows(list))
        row.checked = true;
}

std::vector<int> FakeSyncView::progress() const {
    std::vector<int> shown;
    for (const std::string& event : events_) {
        if (event.compare(0, progressPrefix.size(), progressPrefix) == 0)
            shown.push_back(std::stoi(event.substr(progressPrefix.size())));
    }
    return shown;
}

std::vector<std::string> FakeSyncView::steps() const {
    std::vector<std::string> others;
    for (const std::string& event : events_) {
        if (event.compare(0, progressPrefix.size(), progressPrefix) != 0)
            others.push_back(event);
    }
    return others;
}

// ---- Palm Desktop files

PalmAddressRecord palmPerson(uint32_t id, const std::string& first, const std::string& last,
                             const std::string& homePhone, const std::string& company) {
    PalmAddressRecord record;
    record.recordId = id;
    record.firstName = first;
    record.lastName = last;
    record.company = company;
    for (uint32_t slot = 0; slot < PalmAddressRecord::kPhoneCount; ++slot)
        record.phoneLabel[slot] = slot;
    record.phone[1] = homePhone;
    return record;
}

std::vector<uint8_t> palmFileBytes(const std::string& storedName, const std::vector<PalmAddressRecord>& records) {
    return olderFormatFile(storedName, records, {{1, 5, "Business", "Business"}}).bytes();
}

PalmUserEntry palmUser(uint32_t id, const char* name) {
    PalmUserEntry entry;
    entry.id = id;
    std::strncpy(entry.name, name, sizeof entry.name - 1);
    return entry;
}

// ---- the fixture

SyncFixture::SyncFixture()
    : scopedProgramFolder(programDirectory.path()), starters(outlook->starterFactory()),
      palmPath(data.file("address.dat")) {}

SyncFixture::~SyncFixture() {
    operations.reset();
    view.reset();
    connector.reset();
    forgetAutomationServerGone();
    EXPECT_EQ(0, outlook->liveObjects()) << "the run let go of everything it took from Outlook";
}

void SyncFixture::writePalmFile(const std::vector<PalmAddressRecord>& records) {
    ASSERT_TRUE(writeWholeFile(palmPath, palmFileBytes(palmPath, records)));
}

FakeContact& SyncFixture::seedOutlook(const char16_t* first, const char16_t* last, const char16_t* homePhone,
                                      const char16_t* company) {
    FakeContact& contact = outlook->addContact();
    contact.setText("FirstName", first);
    contact.setText("LastName", last);
    contact.setText("HomeTelephoneNumber", homePhone);
    contact.setText("CompanyName", company);
    return contact;
}

void SyncFixture::start(bool outlookPresent) {
    std::unique_ptr<ScopedAutomationStarterFactory> absent;
    if (!outlookPresent)
        absent.reset(new ScopedAutomationStarterFactory(createUnavailableAutomationStarter));
    palm.reset(new PalmContactStore());
    if (fileExists(palmPath)) {
        ASSERT_TRUE(palm->loadFile(palmPath));
    }
    connector.reset(new OutlookConnector());
    ASSERT_EQ(outlookPresent, connector->outlookAvailable());
    if (outlookPresent) {
        ASSERT_TRUE(connector->load());
    }
    view.reset(new FakeSyncView(*palm, *connector));
    view->palmPath = palmPath;
    computeCompareStatus(palm->contacts(), connector->contacts());
    computeCompareStatus(connector->contacts(), palm->contacts());
    view->fillList(SyncList::Palm, palm->contacts());
    view->fillList(SyncList::Outlook, connector->contacts());
    view->forgetEvents();
    operations.reset(new SyncOperations(*view, *palm, *connector));
}

std::vector<std::string> SyncFixture::palmFileCompanies() {
    PalmAddressFile file(palmPath);
    EXPECT_TRUE(file.opened());
    std::vector<std::string> companies;
    for (size_t index = 0; index < file.recordCount(); ++index)
        companies.push_back(file.recordAt(index)->company);
    return companies;
}

std::vector<std::string> SyncFixture::palmFileNames() {
    PalmAddressFile file(palmPath);
    EXPECT_TRUE(file.opened());
    std::vector<std::string> names;
    for (size_t index = 0; index < file.recordCount(); ++index)
        names.push_back(file.recordAt(index)->firstName);
    return names;
}

std::string SyncFixture::outlookText(size_t index, const char* property) const {
    const FakeContact* contact = outlook->contact(index);
    EXPECT_NE(nullptr, contact) << "Outlook contact " << index;
    return contact != nullptr ? utf16ToAnsi(contact->text(property)) : std::string();
}

void SyncFixture::holdPalmFile() {
    ASSERT_TRUE(holder_.open(palmPath.c_str(), PlatformFile::Access::Read, PlatformFile::Disposition::OpenExisting));
}

void SyncFixture::failPalmSaves() {
    FileFaultPlan plan;
    plan.failReplace = true;
    plan.failReplaceOnlyOf = palmPath;
    saveFaults_.reset(new ScopedFileFaults(plan));
}
