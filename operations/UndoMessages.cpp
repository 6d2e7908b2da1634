#include "operations/UndoMessages.h"

#include <cstdio>

namespace {

// A message box shows this many names; the report has them all.
constexpr size_t namesShown = 10;

std::string formatted(const char* format, int first, int second = 0) {
    char text[256];
    std::snprintf(text, sizeof text, format, first, second);
    return text;
}

std::string namesSentence(const char* opening, const std::vector<std::string>& names) {
    return names.empty() ? std::string() : "\n\n" + std::string(opening) + listOfNames(names) + ".";
}

}  // namespace

std::string undoStamp(const LocalDateTime& when) {
    char text[40];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d", when.year % 10000, when.month % 100, when.day % 100,
                  when.hour % 100, when.minute % 100);
    return text;
}

std::string listOfNames(const std::vector<std::string>& names) {
    std::string list;
    const size_t shown = names.size() > namesShown ? namesShown : names.size();
    for (size_t index = 0; index < shown; ++index) {
        if (index > 0)
            list += index + 1 == shown && shown == names.size() ? " and " : ", ";
        list += names[index];
    }
    if (shown < names.size())
        list += " and " + std::to_string(names.size() - shown) + " more";
    return list;
}

std::string undoQuestion(const UndoPlan& plan) {
    std::string text = "The last synchronization, " + plan.operation + " of " + undoStamp(plan.when) +
                       (plan.interrupted ? ", was ended before it finished; what it wrote will be taken back:"
                                         : ", will be taken back:");
    if (plan.outlookDeletes > 0)
        text += "\n" + formatted("%d Outlook contacts it added will be deleted.", plan.outlookDeletes);
    if (plan.outlookRestores > 0)
        text += "\n" +
                formatted("%d Outlook contacts it overwrote will get back their earlier values.", plan.outlookRestores);
    if (plan.palmFile)
        text += "\nThe Palm Desktop address file will be put back as it was before.";
    if (plan.outlookUnreachable > 0)
        text += "\n" + formatted("%d Outlook contacts cannot be reached now; they are kept for a later Undo.",
                                 plan.outlookUnreachable);
    text += namesSentence("These records changed since and will be left as they are: ", plan.leftAlone);
    return text + "\n\nTake the last synchronization back?";
}

std::string undoSummary(const UndoOutcome& outcome) {
    std::string text = formatted("Undo Last Synchronization finished: %d Outlook contacts deleted, %d Outlook contacts "
                                 "restored.",
                                 outcome.outlookDeleted, outcome.outlookRestored);
    if (outcome.outlookRestoredShort > 0)
        text += " " + formatted("%d of them got some earlier values back only as the list showed them, possibly "
                                "shortened.",
                                outcome.outlookRestoredShort);
    if (outcome.palmRestored)
        text += " The Palm Desktop address file was put back as it was before.";
    if (outcome.palmFailed)
        text += " The Palm Desktop address file could not be put back; it is as it was before the Undo.";
    if (outcome.failed > 0)
        text +=
            " " + formatted("%d Outlook contacts could not be taken back; Undo can be tried again.", outcome.failed);
    if (outcome.unreachable > 0)
        text += " " + formatted("%d Outlook contacts could not be reached; Undo can be tried again for them.",
                                outcome.unreachable);
    text += namesSentence("These records changed since and were left as they are: ", outcome.leftAlone);
    return text;
}
