#pragma once
#include <string>

// The texts and captions the synchronization operations show.

constexpr char errorCaption[] = "Error";
constexpr char informationCaption[] = "Information";
constexpr char synchronizeAllCaption[] = "Synchronize All";

constexpr char outlookMissingText[] = "Quillset can not find the Microsoft Outlook software you installed.";
constexpr char noPalmRecordSelectedText[] = "No Palm Desktop contact record is selected.";
constexpr char noOutlookRecordSelectedText[] = "No Outlook contact record is selected.";
constexpr char nothingToSynchronizeText[] = "No Palm Desktop and Outlook contact information found.";
constexpr char palmToOutlookReportName[] = "Palm Desktop overwrites Outlook";
constexpr char outlookToPalmReportName[] = "Outlook overwrites Palm Desktop";
constexpr char notSavedReportText[] =
    "The Palm Desktop address file could not be saved; the Palm Desktop changes above did not reach it.";
constexpr char backupFailedText[] = "Quillset could not make a backup copy of the Palm Desktop address file, so "
                                    "nothing was synchronized. Close Palm Desktop, make room on the disk and try "
                                    "again.";
constexpr char synchronizeAllQuestion[] =
    "All Palm Desktop address book records and Outlook contact records will be synchronized, continue?";

constexpr char changedElsewhereReportText[] =
    "The Palm Desktop address file was changed by another program since Quillset read it; nothing was written, "
    "the file was read again.";
constexpr char changedAtSaveReportText[] =
    "The Palm Desktop address file was changed by another program since Quillset read it; the Palm Desktop changes "
    "above were not saved over it, the file was read again.";

constexpr char outlookReadInPartText[] =
    "Quillset could read only part of your Outlook contacts, so nothing was synchronized: what it did not read "
    "would be added again. Press F5 to read Outlook again, then start again.";
constexpr char outlookGoneText[] =
    "Outlook was closed or stopped answering, so Quillset stopped the synchronization. What was written before "
    "stays written, can be undone, and is named in the report. Start Outlook, press F5 and start again.";
constexpr char outlookGoneReportText[] =
    "Outlook was closed or stopped answering; the synchronization was stopped there.";

constexpr char listsChangedText[] =
    "The lists changed after Quillset planned the synchronization, so it stopped. What was written before stays "
    "written, can be undone, and is named in the report. Press F5 and start again.";

// A contact edited in Outlook after Quillset read it: the run stops before
// writing it or over it.
std::string outlookContactChangedText(const std::string& names);
std::string outlookContactChangedReportText(const std::string& names);

constexpr char journalUnwritableQuestion[] =
    "Quillset cannot write its Undo journal beside the program, so this synchronization could not be undone. "
    "Synchronize without Undo?";
constexpr char withoutUndoReportText[] = "The Undo journal could not be written; the user chose to go on without Undo.";
constexpr char noUndoNothingDoneReportText[] = "The Undo journal could not be written; nothing was done.";
constexpr char journalLostSentence[] = " The Undo journal could not be written; this synchronization cannot be undone.";
constexpr char reportLostSentence[] = " The report could not be added to QuillsetSync.log.";

// The address file was rewritten by another program since it was read: told
// before anything was written, or at the save, after Outlook may have been.
std::string addressFileChangedText(bool atSave, bool outlookChanged);

// "... finished, n records synchronized.", and how many could not be
// written when any could not.
std::string palmToOutlookSummary(int checkedRows, int failedRecords);
std::string outlookToPalmSummary(int checkedRows, int failedRecords);
std::string synchronizeAllSummary(int palmRows, int outlookRows, int failedRecords);
// Synchronize All after the Palm Desktop file could not be saved: only the
// Outlook side is reported as synchronized.
std::string synchronizeAllSummaryWithoutPalm(int outlookRows, int failedRecords);

// The address file could not be written; the changes already made in
// Outlook are mentioned when there were any.
std::string palmSaveFailedText(bool outlookChanged);

// " n records were left alone: ..." for n > 0, else nothing: records that
// pair with the same counterpart as another record of their side.
std::string leftAloneSentence(int records);

// " n values were cut to fit." for n > 0, else nothing.
std::string valuesCutSentence(int values);

// " n records could not be written." for n > 0, else nothing.
std::string failedRecordsSentence(int failedRecords);
