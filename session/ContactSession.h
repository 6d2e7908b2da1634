#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

#include "config/MappingBlock.h"
#include "operations/SynchronizeAllRun.h"
#include "config/Settings.h"
#include "outlook/OutlookConnector.h"
#include "palm/PalmUserList.h"
#include "palmstore/PalmContactStore.h"

class SyncView;

// The commands that write, one per synchronization operation.
// PreviewSynchronizeAll is Synchronize All agreed to through the preview of
// its plan instead of the plain question.
enum class SyncCommand { PalmToOutlook, OutlookToPalm, SynchronizeAll, PreviewSynchronizeAll, UndoLast };

// What File > Export writes: one side, or both as one address book.
enum class ExportSide { Palm, Outlook, Both };
enum class ExportFormat { VCard, Csv };

// What the main window shows and acts on, without a window: both stores, the
// mapping block, the Palm Desktop users, the file opened with File > Open and
// the user whose address book is shown ("LastUser" of the settings it is
// handed).
class ContactSession {
public:
    // users: Palm Desktop's, read at start-up. swapNames: the "SwapName"
    // choice, in force for the whole run. settings: the program's, kept by
    // the caller for as long as the session lives.
    ContactSession(PalmUserList users, int palmDesktopVersion, bool swapNames, Settings& settings);
    ContactSession(const ContactSession&) = delete;
    ContactSession& operator=(const ContactSession&) = delete;

    Settings& settings() { return settings_; }
    const PalmUserList& users() const { return users_; }
    // The user shown settled on the one last chosen when still listed, else
    // the first; its position, or -1 without users ("LastUser" then keeps its
    // stored value).
    int settleShownUser();
    // Shows the user at that position from now on; false when there is none.
    bool chooseUser(size_t index);

    // Empty: the shown user's own address file.
    const std::string& openedFile() const { return openedFile_; }
    void openFile(const std::string& path) { openedFile_ = path; }

    // Which Palm Desktop book a reload reads: the opened file, else the
    // shown user's; or that user's, whatever file was opened.
    enum class PalmBook { AsShown, ShownUser };
    bool reloadPalm(PalmBook book = PalmBook::AsShown);
    // Outlook read again, started afresh first when it was found closed.
    void reloadOutlook();
    // Marks in each store what the other side lacks or holds otherwise.
    void compare();
    // Runs the command's operation over the view under the settings' options.
    // With the mapping block the options' field mapping travels with the
    // Outlook writes. How a Synchronize All ended; Done for the other commands.
    SyncRunEnd run(SyncCommand command, SyncView& view, bool withMappingBlock);
    // The records as loaded, written to path as one file. Both: every Palm
    // Desktop record, then the Outlook contacts Palm Desktop lacks, so no
    // person is written twice. written: how many records the file holds.
    // False, and the file as it was, when it could not be written.
    bool exportContacts(ExportSide side, ExportFormat format, const std::string& path, int* written);
    // Loads after a run take the fields as they come again.
    void dropMappingBlock() { outlook_.attachMappingBlock(nullptr); }

    PalmContactStore& palm() { return palm_; }
    OutlookConnector& outlook() { return outlook_; }
    // Outlook answered, but not for every contact: the lists hold only part.
    bool outlookReadInPart() const { return outlook_.outlookAvailable() && !outlook_.wholeRead(); }

private:
    Settings& settings_;
    PalmUserList users_;
    PalmContactStore palm_;
    OutlookConnector outlook_;
    MappingBlock mappingBlock_{};
    std::string openedFile_;
};
