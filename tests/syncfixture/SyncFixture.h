#pragma once
#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "outlook/AutomationStarter.h"
#include "outlook/OutlookConnector.h"
#include "palm/PalmAddressRecord.h"
#include "palm/PalmUserList.h"
#include "platform/FileFaults.h"
#include "platform/PlatformFile.h"
#include "palmstore/PalmContactStore.h"
#include "operations/SyncOperations.h"
#include "operations/SyncView.h"
#include "testenv/fakeoutlook/FakeOutlook.h"
#include "tests/support/TempFolder.h"

// A window that keeps its rows in memory, answers the boxes as the test
// says and writes down everything the operations ask of it.
class FakeSyncView : public SyncView {
public:
    struct Message {
        std::string text;
        std::string caption;
        SyncMessageKind kind;
    };
    struct Prompt {
        const ContactRecord* palm;
        const ContactRecord* outlook;
        std::string palmCompany;
        std::string outlookCompany;
        SyncChoice preset;
    };

    FakeSyncView(PalmContactStore& palm, OutlookConnector& outlook) : palm_(palm), outlook_(outlook) {}

    bool hasList(SyncList list) const override;
    int rowCount(SyncList list) const override;
    bool isChecked(SyncList list, int row) const override;
    void setChecked(SyncList list, int row, bool checked) override;
    ContactRecord* recordAt(SyncList list, int row) const override;
    void fillList(SyncList list, ContactList* records) override;
    void updateCounts() override;
    void reloadPalmSide() override;
    void reloadBothSides() override;
    void showProgress(int percent) override;
    void setCursor(SyncCursor cursor) override;
    bool showMessage(const char* text, const char* caption, SyncMessageKind kind) override;
    SyncChoice chooseSyncAction(const ContactRecord& palm, const ContactRecord& outlook,
                                const SyncChoice& preset) override;
    bool previewSynchronizeAll(const SyncPlan& plan) override;

    // The first names the rows show, top to bottom.
    std::vector<std::string> rowNames(SyncList list) const;
    std::vector<bool> checks(SyncList list) const;
    void checkAll(SyncList list);
    // Percentages shown, in order (0 included).
    std::vector<int> progress() const;
    // Events other than progress, in order: "fill Palm", "fill Outlook",
    // "counts", "wait", "normal", "reload", "reload both", "prompt",
    // "box <caption>".
    std::vector<std::string> steps() const;
    // Starts the record of events afresh.
    void forgetEvents() { events_.clear(); }

    // What the test sets.
    bool listsExist = true;
    bool showDiff = false;
    bool answerYes = true;
    // The warning whose default is No.
    bool answerWarningYes = false;
    // The preview's Synchronize (true) or Cancel.
    bool answerPreview = true;
    // Runs when the preview is shown, before it is answered.
    std::function<void(const SyncPlan&)> onPreview;
    // Answers to the Choose Sync Action prompt; once used up, OK without a click.
    std::deque<SyncChoice> choices;
    // Runs when a prompt is shown, before it is answered.
    std::function<void()> onPrompt;
    // Runs when a yes/no question is shown, before it is answered.
    std::function<void()> onQuestion;
    // Runs at every progress step: records are being written, the backup
    // before them is made.
    std::function<void(int)> onProgress;
    // Runs when the Palm side is reloaded, before the store reloads.
    std::function<void()> beforeReload;
    std::string palmPath;

    // What the view saw.
    std::vector<Message> messages;
    std::vector<Prompt> prompts;
    // Rows of both lists at the last count line.
    int countedPalmRows = -1;
    int countedOutlookRows = -1;

private:
    struct Row {
        ContactRecord* record;
        bool checked;
    };
    std::vector<Row>& rows(SyncList list) { return list == SyncList::Palm ? palmRows_ : outlookRows_; }
    const std::vector<Row>& rows(SyncList list) const { return list == SyncList::Palm ? palmRows_ : outlookRows_; }
    bool validRow(SyncList list, int row) const { return row >= 0 && row < rowCount(list); }

    PalmContactStore& palm_;
    OutlookConnector& outlook_;
    std::vector<Row> palmRows_;
    std::vector<Row> outlookRows_;
    std::vector<std::string> events_;
};

// A Palm Desktop record of the older format with the usual phone labels
// (Work, Home, Fax, Other, E-Mail) and a home phone.
PalmAddressRecord palmPerson(uint32_t id, const std::string& first, const std::string& last,
                             const std::string& homePhone = "", const std::string& company = "");
// A Palm Desktop user as the user list holds one.
PalmUserEntry palmUser(uint32_t id, const char* name);
// The bytes of an older-format address file holding the records.
std::vector<uint8_t> palmFileBytes(const std::string& storedName, const std::vector<PalmAddressRecord>& records);

// Both stores on real files and the in-memory Outlook, a fake window over
// them and the operations. Seed, then start().
class SyncFixture : public ::testing::Test {
protected:
    SyncFixture();
    ~SyncFixture() override;

    void writePalmFile(const std::vector<PalmAddressRecord>& records);
    FakeContact& seedOutlook(const char16_t* first, const char16_t* last, const char16_t* homePhone = u"",
                             const char16_t* company = u"");
    // Loads both sides, compares them and fills both lists, as the window's
    // first load does. Without Outlook the connector finds none.
    void start(bool outlookPresent = true);

    // The file as it is on disk now, read by a store of its own.
    std::vector<std::string> palmFileCompanies();
    std::vector<std::string> palmFileNames();
    std::vector<uint8_t> palmFileOnDisk() const { return readWholeFile(palmPath); }
    std::string outlookText(size_t index, const char* property) const;
    // Keeps the address file open, as a running Palm Desktop does: it can be
    // neither saved nor read until released.
    void holdPalmFile();
    void releasePalmFile() { holder_.close(); }
    // Every save of the address file fails at its last step, while the
    // backup made before an operation still succeeds.
    void failPalmSaves();
    void allowPalmSaves() { saveFaults_.reset(); }

    std::shared_ptr<FakeOutlook> outlook = FakeOutlook::create();
    TempFolder programDirectory;
    ScopedProgramFolder scopedProgramFolder;
    TempFolder data;
    ScopedAutomationStarterFactory starters;
    std::string palmPath;
    std::unique_ptr<PalmContactStore> palm;
    std::unique_ptr<OutlookConnector> connector;
    std::unique_ptr<FakeSyncView> view;
    std::unique_ptr<SyncOperations> operations;

private:
    PlatformFile holder_;
    std::unique_ptr<ScopedFileFaults> saveFaults_;
};
