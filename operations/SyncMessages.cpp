#include "operations/SyncMessages.h"

#include <cstdio>

namespace {

// The longest text is well below this; a format that would not fit is cut,
// never written past the buffer.
constexpr size_t messageCapacity = 256;

std::string format(const char* pattern, int first, int second = 0) {
    char text[messageCapacity] = {};
    const int length = std::snprintf(text, sizeof text, pattern, first, second);
    if (length < 0)
        return std::string();
    return text;
}

}  // namespace

std::string failedRecordsSentence(int failedRecords) {
    if (failedRecords <= 0)
        return std::string();
    return format(" %d records could not be written.", failedRecords);
}

std::string leftAloneSentence(int records) {
    if (records <= 0)
        return std::string();
    return format(" %d records were left alone: more than one record of a side pairs with the same record of the "
                  "other side, so Quillset cannot tell which one it is.",
                  records);
}

std::string valuesCutSentence(int values) {
    if (values <= 0)
        return std::string();
    return format(" %d values were cut to fit.", values);
}

std::string palmToOutlookSummary(int checkedRows, int failedRecords) {
    return format("Transfer Palm Desktop address book to Outlook finished, %d records synchronized.", checkedRows) +
           failedRecordsSentence(failedRecords);
}

std::string outlookToPalmSummary(int checkedRows, int failedRecords) {
    return format("Transfer Outlook contacts to Palm Desktop finished, %d records synchronized.", checkedRows) +
           failedRecordsSentence(failedRecords);
}

std::string synchronizeAllSummary(int palmRows, int outlookRows, int failedRecords) {
    return format("Synchronization finished, %d Palm Desktop records synchronized, %d Outlook Contact records "
                  "synchronized.",
                  palmRows, outlookRows) +
           failedRecordsSentence(failedRecords);
}

std::string synchronizeAllSummaryWithoutPalm(int outlookRows, int failedRecords) {
    return format("Synchronization finished, %d Outlook Contact records synchronized; the Palm Desktop records "
                  "were not saved.",
                  outlookRows) +
           failedRecordsSentence(failedRecords);
}

std::string palmSaveFailedText(bool outlookChanged) {
    std::string text = "The Palm Desktop address file could not be saved. The file on disk is unchanged; close Palm "
                       "Desktop and try again.";
    if (outlookChanged)
        text += " The changes already written to Outlook stay written.";
    return text;
}

std::string addressFileChangedText(bool atSave, bool outlookChanged) {
    std::string text = "The Palm Desktop address file was changed by another program since Quillset read it. "
                       "Quillset has read it again";
    text += atSave ? " and saved nothing over it." : "; nothing was synchronized.";
    if (atSave && outlookChanged)
        text += " The changes already written to Outlook stay written and can be undone.";
    return text + " Look at the lists and start again.";
}

std::string outlookContactChangedText(const std::string& names) {
    return "\"" + names +
           "\" was changed in Outlook after Quillset read it, so Quillset stopped the synchronization before "
           "writing it. What was written before stays written, can be undone, and is named in the report. Press F5 "
           "to read both sides again and start again.";
}

std::string outlookContactChangedReportText(const std::string& names) {
    return "\"" + names + "\" was changed in Outlook after Quillset read it; the synchronization was stopped there.";
}
