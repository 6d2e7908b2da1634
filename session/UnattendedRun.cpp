#include "session/UnattendedRun.h"

#include "operations/SyncMessages.h"
#include "operations/SyncReport.h"
#include "operations/SyncView.h"
#include "platform/FileRewrite.h"
#include "platform/FileSystem.h"
#include "platform/ProgramFolder.h"

namespace {

constexpr uint64_t largestLog = 256u << 20;

// The window's part of a run, with no window: rows are the stores' records,
// last record first as the lists show them; every box is answered as nobody
// watching would answer it.
class UnattendedView : public SyncView {
public:
    explicit UnattendedView(ContactSession& session) : session_(session) {}

    bool hasList(SyncList) const override { return true; }
    int rowCount(SyncList list) const override {
        ContactList* records = listOf(list);
        return records != nullptr ? records->count() : 0;
    }
    bool isChecked(SyncList, int) const override { return false; }
    void setChecked(SyncList, int, bool) override {}
    ContactRecord* recordAt(SyncList list, int row) const override {
        ContactList* records = listOf(list);
        if (records == nullptr || row < 0 || row >= records->count())
            return nullptr;
        return records->at(records->count() - 1 - row);
    }
    void fillList(SyncList, ContactList*) override {}
    void updateCounts() override { session_.compare(); }
    void reloadPalmSide() override { session_.reloadPalm(); }
    void reloadBothSides() override {
        session_.reloadOutlook();
        session_.reloadPalm();
        session_.compare();
    }
    void showProgress(int) override {}
    void setCursor(SyncCursor) override {}
    bool showMessage(const char* text, const char* caption, SyncMessageKind kind) override {
        messages.push_back(text);
        if (kind == SyncMessageKind::QuestionYesNo)
            return true;
        if (kind == SyncMessageKind::WarningYesNoDefaultNo) {
            if (std::string(text) == journalUnwritableQuestion)
                stoppedForUndo = true;
            else
                stoppedByGuard = true;
        }
        return false;
    }
    SyncChoice chooseSyncAction(const ContactRecord&, const ContactRecord&, const SyncChoice& preset) override {
        SyncChoice choice = preset;
        choice.leaveAlone = true;
        ++pairsLeftAlone;
        return choice;
    }
    // The unattended run asks for no preview.
    bool previewSynchronizeAll(const SyncPlan&) override { return false; }

    std::vector<std::string> messages;
    bool stoppedForUndo = false;
    bool stoppedByGuard = false;
    int pairsLeftAlone = 0;

private:
    ContactList* listOf(SyncList list) const {
        return list == SyncList::Palm ? session_.palm().contacts() : session_.outlook().contacts();
    }

    ContactSession& session_;
};

bool saidAddressFileChanged(const std::string& text) {
    for (bool atSave : {false, true}) {
        for (bool outlookChanged : {false, true}) {
            if (text == addressFileChangedText(atSave, outlookChanged))
                return true;
        }
    }
    return false;
}

UnattendedExit exitOf(SyncRunEnd end, const UnattendedView& view) {
    switch (end) {
    case SyncRunEnd::OutlookGone: return UnattendedExit::OutlookBusyOrGone;
    case SyncRunEnd::AddressFileChanged:
    case SyncRunEnd::OutlookContactChanged: return UnattendedExit::AddressFileChanged;
    case SyncRunEnd::SomeNotWritten: return UnattendedExit::RecordsNotWritten;
    case SyncRunEnd::Done: return view.pairsLeftAlone > 0 ? UnattendedExit::PairsLeftAlone : UnattendedExit::Done;
    case SyncRunEnd::NotRun: break;
    }
    // Stopped before the first write: by what it said.
    for (const std::string& text : view.messages) {
        if (text == outlookMissingText)
            return UnattendedExit::OutlookBusyOrGone;
        if (text == outlookReadInPartText)
            return UnattendedExit::SideNotRead;
        if (saidAddressFileChanged(text))
            return UnattendedExit::AddressFileChanged;
    }
    if (view.stoppedForUndo)
        return UnattendedExit::NoUndo;
    if (view.stoppedByGuard)
        return UnattendedExit::GuardStopped;
    return UnattendedExit::Done;
}

const char* exitText(UnattendedExit exit) {
    switch (exit) {
    case UnattendedExit::Done: return "done";
    case UnattendedExit::PairsLeftAlone: return "done, differing pairs left as they are";
    case UnattendedExit::BadArguments: return "bad arguments";
    case UnattendedExit::StartRefused: return "not started";
    case UnattendedExit::SideNotRead: return "a side could not be read whole";
    case UnattendedExit::OutlookBusyOrGone: return "Outlook missing, busy or gone";
    case UnattendedExit::AddressFileChanged: return "the address file or an Outlook contact changed meanwhile";
    case UnattendedExit::GuardStopped: return "stopped before a large change";
    case UnattendedExit::RecordsNotWritten: return "some records not written";
    case UnattendedExit::NoUndo: return "stopped, no Undo journal";
    }
    return "";
}

std::string oneLine(std::string text) {
    for (char& c : text) {
        if (c == '\r' || c == '\n')
            c = ' ';
    }
    return text;
}

UnattendedOutcome outcomeOf(UnattendedExit exit, std::vector<std::string> messages) {
    UnattendedOutcome outcome;
    outcome.exit = exit;
    outcome.messages = std::move(messages);
    outcome.summary = std::string("Quillset /synchronize-all: ") + exitText(exit) + " (exit code " +
                      std::to_string(static_cast<int>(exit)) + ")";
    if (!outcome.messages.empty())
        outcome.summary += ": " + oneLine(outcome.messages.back());
    return outcome;
}

bool chooseNamedUser(ContactSession& session, const std::string& name) {
    const PalmUserList& users = session.users();
    for (size_t index = 0; index < users.size(); ++index) {
        if (name == users[index].name)
            return session.chooseUser(index);
    }
    return false;
}

SyncAction actionFor(const UnattendedRequest& request, const OptionsRecord& options) {
    switch (request.rule) {
    case UnattendedRequest::Rule::PalmWins: return SyncAction::PalmOverwritesOutlook;
    case UnattendedRequest::Rule::OutlookWins: return SyncAction::OutlookOverwritesPalm;
    case UnattendedRequest::Rule::Leave: return SyncAction::AskUser;
    case UnattendedRequest::Rule::FromOptions: break;
    }
    return syncActionOf(options.syncAction);
}

}  // namespace

UnattendedOutcome refusedStart(const std::string& message) {
    return outcomeOf(UnattendedExit::StartRefused, {message});
}

UnattendedOutcome runUnattended(ContactSession& session, const UnattendedRequest& request) {
    if (!request.user.empty() && !chooseNamedUser(session, request.user))
        return outcomeOf(UnattendedExit::BadArguments,
                         {"There is no Palm Desktop user named \"" + request.user + "\"."});
    if (request.user.empty() && session.settleShownUser() < 0)
        return refusedStart("Can not find any Palm users in your Palm Desktop environment.");
    // The user's own address file; a test may have opened another.
    if (!session.reloadPalm())
        return outcomeOf(UnattendedExit::SideNotRead, {"The Palm Desktop address file could not be read."});
    session.reloadOutlook();
    session.compare();

    OptionsRecord& options = session.settings().options;
    options.syncAction = storedSyncAction(actionFor(request, options));
    UnattendedView view(session);
    const SyncRunEnd end = session.run(SyncCommand::SynchronizeAll, view, true);
    session.dropMappingBlock();
    return outcomeOf(exitOf(end, view), view.messages);
}

size_t synchronizationLogSize() {
    std::string content;
    const std::string path = programFilePath(SyncReport::fileName);
    return isPlainFile(path) && readWholeFileInto(path, content, largestLog) ? content.size() : 0;
}

bool writeUnattendedReport(const std::string& path, const UnattendedOutcome& outcome, size_t logSizeBefore) {
    std::string text = outcome.summary + "\r\n";
    for (const std::string& message : outcome.messages)
        text += "Message: " + oneLine(message) + "\r\n";
    std::string log;
    const std::string logPath = programFilePath(SyncReport::fileName);
    if (isPlainFile(logPath) && readWholeFileInto(logPath, log, largestLog) && log.size() > logSizeBefore)
        text += "\r\n" + log.substr(logSizeBefore);
    return rewriteWholeFile(path, FileRewrite::Target::MayBeNew, text.data(), static_cast<uint32_t>(text.size()));
}
