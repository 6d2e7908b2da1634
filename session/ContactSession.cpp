#include "session/ContactSession.h"

#include <utility>

#include "contactexport/CsvWriter.h"
#include "contactexport/VCardWriter.h"
#include "operations/SyncOperations.h"
#include "platform/FileRewrite.h"
#include "sync/RecordMatching.h"

ContactSession::ContactSession(PalmUserList users, int palmDesktopVersion, bool swapNames, Settings& settings)
    : settings_(settings), users_(std::move(users)), palm_(palmDesktopVersion, swapNames) {}

int ContactSession::settleShownUser() {
    const int shown = selectedUserIndex(users_, settings_.lastUser);
    if (shown >= 0)
        settings_.lastUser = static_cast<int>(users_[shown].id);
    return shown;
}

bool ContactSession::chooseUser(size_t index) {
    if (index >= users_.size())
        return false;
    settings_.lastUser = static_cast<int>(users_[index].id);
    return true;
}

bool ContactSession::reloadPalm(PalmBook book) {
    if (book == PalmBook::AsShown && !openedFile_.empty())
        return palm_.loadFile(openedFile_);
    return palm_.loadUser(static_cast<uint32_t>(settings_.lastUser));
}

void ContactSession::reloadOutlook() {
    // A dead Outlook is started afresh, whether a run found it dead or this
    // load does: its objects never answer again.
    if (outlook_.outlookGone())
        outlook_.reconnect();
    outlook_.load();
    if (outlook_.outlookGone() && outlook_.reconnect())
        outlook_.load();
}

void ContactSession::compare() {
    computeCompareStatus(palm_.contacts(), outlook_.contacts());
    computeCompareStatus(outlook_.contacts(), palm_.contacts());
}

SyncRunEnd ContactSession::run(SyncCommand command, SyncView& view, bool withMappingBlock) {
    const OptionsRecord& options = settings_.options;
    if (withMappingBlock) {
        mappingBlock_ = makeMappingBlock(options);
        outlook_.attachMappingBlock(&mappingBlock_);
    }
    SyncOperations operations(view, palm_, outlook_);
    const SyncAction rule = syncActionOf(options.syncAction);
    switch (command) {
    case SyncCommand::PalmToOutlook: operations.transferPalmToOutlook(); break;
    case SyncCommand::OutlookToPalm: operations.transferOutlookToPalm(); break;
    case SyncCommand::SynchronizeAll: return operations.synchronizeAll(rule);
    case SyncCommand::PreviewSynchronizeAll: return operations.synchronizeAll(rule, SyncStart::Preview);
    case SyncCommand::UndoLast: operations.undoLastSynchronization(); break;
    }
    return SyncRunEnd::Done;
}

namespace {

void appendRecords(std::vector<const ContactRecord*>& records, ContactList* list, bool onlyMissingOnTheOtherSide) {
    if (list == nullptr)
        return;
    for (int32_t position = 0; position < list->count(); ++position) {
        const ContactRecord* record = list->at(position);
        if (record != nullptr && (!onlyMissingOnTheOtherSide || record->compareStatus == CompareStatusMissing))
            records.push_back(record);
    }
}

}  // namespace

bool ContactSession::exportContacts(ExportSide side, ExportFormat format, const std::string& path, int* written) {
    std::vector<const ContactRecord*> records;
    if (side != ExportSide::Outlook)
        appendRecords(records, palm_.contacts(), false);
    if (side != ExportSide::Palm)
        appendRecords(records, outlook_.contacts(), side == ExportSide::Both);
    const std::string text = format == ExportFormat::VCard ? vCardText(records) : csvText(records);
    if (written != nullptr)
        *written = static_cast<int>(records.size());
    return rewriteWholeFile(path, FileRewrite::Target::MayBeNew, text.data(), static_cast<uint32_t>(text.size()));
}
