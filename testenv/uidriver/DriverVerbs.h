#pragma once
#include <cstddef>
#include <string>
#include <vector>

// The commands a scenario may use: their names, how many words they take
// and a line of help. No platform headers: the native tests read this too.

enum class VerbId {
    Start,
    WaitWindow,
    AnswerBox,
    WaitBox,
    ExpectNoBox,
    AnswerOpenDialog,
    SendCommand,
    SendKey,
    FocusControl,
    CloseWindow,
    CloseBox,
    WaitExit,
    Terminate,
    WaitFileSize,
    CopyOver,
    SameFile,
    ListRows,
    ListCell,
    ListDump,
    RowChecked,
    TickRow,
    UntickRow,
    CountChecked,
    RowColour,
    DoubleClickRow,
    ClickControl,
    ClickButton,
    HoverBigButton,
    ClickBigButton,
    ExpectToolTip,
    HoverBarButton,
    ClickBarButton,
    BarCaption,
    DragSplitter,
    SplitterAt,
    PointerTo,
    MouseDown,
    MouseUp,
    ChooseUser,
    ComboShows,
    WaitDialog,
    DialogClick,
    DialogCheck,
    DialogText,
    DialogSetText,
    DialogSelect,
    DialogCloseOk,
    DialogEscape,
    DialogGone,
    DialogDump,
    OtherWindow,
    CloseOtherWindow,
    StatusText,
    StatusShown,
    Screenshot,
    Sleep,
    Timeout,
    OutlookDelete,
    OutlookAdd,
    OutlookEdit,
    OutlookBusy,
    OutlookQuit,
    OutlookDeny,
    OutlookContacts,
};

struct VerbSpec {
    VerbId id;
    const char* name;
    // Words of the line, the command's own name included.
    size_t minimumWords;
    size_t maximumWords;
    const char* usage;
};

constexpr size_t AnyNumberOfWords = 1000;

inline const std::vector<VerbSpec>& driverVerbs() {
    static const std::vector<VerbSpec> verbs = {
        {VerbId::Start, "start", 2, AnyNumberOfWords, "start <program> [argument...]: starts the program"},
        {VerbId::WaitWindow, "wait-window", 2, 2, "wait-window \"<title>\": waits for the main window"},
        {VerbId::AnswerBox, "answer", 4, 4, "answer <caption> \"<text part>\" <button>: answers a message box"},
        {VerbId::WaitBox, "wait-box", 1, 1, "wait-box: waits for a message box or dialog"},
        {VerbId::ExpectNoBox, "no-box", 1, 1, "no-box: expects no message box or dialog"},
        {VerbId::AnswerOpenDialog, "open-file", 3, 3, "open-file \"<dialog title>\" <path>: answers an Open dialog"},
        {VerbId::SendCommand, "command", 2, 2, "command <id>: sends a menu command to the main window"},
        {VerbId::SendKey, "key", 2, 2, "key F1..F12|Enter|Escape|Tab|Space|Up|Down|Left|Right|Home|End|Delete"},
        {VerbId::FocusControl, "focus", 2, 2, "focus <controlId>: puts the keyboard focus on a main window control"},
        {VerbId::CloseWindow, "close", 1, 1, "close: sends WM_CLOSE to the main window"},
        {VerbId::CloseBox, "close-box", 1, 1, "close-box: closes the main window as its close box does"},
        {VerbId::WaitExit, "wait-exit", 2, 2, "wait-exit <code>|any: waits for the program to end"},
        {VerbId::WaitExit, "expect-exit", 2, 2, "expect-exit <code>|any: the same as wait-exit"},
        {VerbId::Terminate, "terminate", 1, 1,
         "terminate: ends the program's process at once, as the task manager does"},
        {VerbId::WaitFileSize, "wait-file-size", 3, 3,
         "wait-file-size <path> <bytes>: waits for the file to hold at least that many bytes"},
        {VerbId::CopyOver, "copy-file", 3, 3,
         "copy-file <from> <to>: copies a file over another, as another program would"},
        {VerbId::SameFile, "same-file", 3, 3, "same-file <path> <path>: expects the two files to hold the same bytes"},
        {VerbId::ListRows, "rows", 3, 3, "rows <listId> <n>: expects n rows"},
        {VerbId::ListCell, "cell", 5, 5, "cell <listId> <row> <column> \"<text>\": expects a cell's text"},
        {VerbId::ListDump, "dump", 2, 2, "dump <listId>: prints every row"},
        {VerbId::RowChecked, "checked", 4, 4, "checked <listId> <row> yes|no: expects a row's check box"},
        {VerbId::TickRow, "tick", 3, 4, "tick <listId> <row> [message]: ticks a row's box by a click (or message)"},
        {VerbId::UntickRow, "untick", 3, 4, "untick <listId> <row> [message]: clears a row's box the same way"},
        {VerbId::CountChecked, "count-checked", 3, 3, "count-checked <listId> <n>: expects n ticked rows"},
        {VerbId::RowColour, "colour", 4, 4,
         "colour <listId> <row> <name>|#rrggbb: expects the row's drawn text colour"},
        {VerbId::RowColour, "color", 4, 4, "color: the same as colour"},
        {VerbId::DoubleClickRow, "double-click", 3, 3, "double-click <listId> <row>: double-clicks a row's first cell"},
        {VerbId::ClickControl, "click", 2, 2, "click <controlId>: presses a button of the main window"},
        {VerbId::ClickButton, "click-button", 2, 3,
         "click-button \"<text>\" [n]: presses the n-th such button (1 = leftmost)"},
        {VerbId::HoverBigButton, "hover-big-button", 2, 2,
         "hover-big-button 0|1|2: moves the pointer onto a big button"},
        {VerbId::ClickBigButton, "click-big-button", 2, 2, "click-big-button 0|1|2: moves there, presses and lets go"},
        {VerbId::HoverBarButton, "hover-bar-button", 2, 2,
         "hover-bar-button 0|1|2|3: moves the pointer onto a button of the top bar"},
        {VerbId::ClickBarButton, "click-bar-button", 2, 2,
         "click-bar-button 0|1|2|3: moves there, presses and lets go"},
        {VerbId::BarCaption, "bar-caption", 3, 3,
         "bar-caption 0|1|2|3 yellow|white: expects a top-bar button's caption colour"},
        {VerbId::ExpectToolTip, "tooltip", 2, 2,
         "tooltip \"<text>\": waits for the program's tooltip to show the text"},
        {VerbId::DragSplitter, "drag-splitter", 2, 2,
         "drag-splitter <x>: drags the splitter towards x (view coordinates)"},
        {VerbId::SplitterAt, "splitter-at", 2, 2, "splitter-at <x>: expects the lists to meet at x"},
        {VerbId::PointerTo, "pointer", 3, 3, "pointer <x> <y>: moves the pointer to a point of the content view"},
        {VerbId::MouseDown, "mouse-down", 1, 1, "mouse-down: presses the left button where the pointer is"},
        {VerbId::MouseUp, "mouse-up", 1, 1, "mouse-up: lets go of the left button"},
        {VerbId::ChooseUser, "choose-user", 2, 2, "choose-user \"<name>\": selects a user in the user combo"},
        {VerbId::ComboShows, "combo-shows", 2, 2, "combo-shows \"<name>\": expects the user combo's selection"},
        {VerbId::WaitDialog, "dialog", 2, 2, "dialog \"<title>\": waits for a dialog; the dialog- commands act on it"},
        {VerbId::DialogClick, "dialog-click", 2, 2, "dialog-click <controlId>: presses a button, radio button or box"},
        {VerbId::DialogCheck, "dialog-check", 3, 3, "dialog-check <controlId> yes|no: expects a button's check"},
        {VerbId::DialogText, "dialog-text", 3, 3, "dialog-text <controlId> \"<text>\": expects a control's text"},
        {VerbId::DialogSetText, "dialog-set-text", 3, 3,
         "dialog-set-text <controlId> \"<text>\": sets a control's text"},
        {VerbId::DialogSelect, "dialog-select", 3, 3,
         "dialog-select <controlId> <index>: selects in a combo, list box or list"},
        {VerbId::DialogCloseOk, "dialog-close-ok", 1, 1,
         "dialog-close-ok: presses OK and waits for the dialog to close"},
        {VerbId::DialogEscape, "dialog-escape", 1, 1, "dialog-escape: presses Escape in the dialog"},
        {VerbId::DialogGone, "dialog-gone", 1, 1, "dialog-gone: waits for the dialog to close"},
        {VerbId::DialogDump, "dialog-dump", 1, 1, "dialog-dump: prints the dialog's controls"},
        {VerbId::OtherWindow, "other-window", 2, 2,
         "other-window \"<title>\": waits for another program's window (a viewer the program opened)"},
        {VerbId::CloseOtherWindow, "close-other-window", 2, 2,
         "close-other-window \"<title>\": closes that window and waits until it is gone"},
        {VerbId::StatusText, "status", 2, 2, "status \"<text part>\": expects the status line to hold the text"},
        {VerbId::StatusShown, "status-shown", 1, 1,
         "status-shown: expects the status line's text drawn on the screen (dark pixels in part 0)"},
        {VerbId::Screenshot, "screenshot", 2, 2, "screenshot <file.bmp>: saves the screen"},
        {VerbId::Sleep, "sleep", 2, 2, "sleep <ms>: waits"},
        {VerbId::Timeout, "timeout", 2, 2, "timeout <ms>: how long waits last (15000 at first)"},
        {VerbId::OutlookDelete, "outlook-delete", 2, 2,
         "outlook-delete \"<who>\": deletes a contact in the running stand-in Outlook (#n or a name)"},
        {VerbId::OutlookAdd, "outlook-add", 3, AnyNumberOfWords,
         "outlook-add <property> \"<value>\"...: adds a contact to the running stand-in Outlook"},
        {VerbId::OutlookEdit, "outlook-edit", 4, 4,
         "outlook-edit \"<who>\" <property> \"<value>\": changes a property of a contact and saves it"},
        {VerbId::OutlookBusy, "outlook-busy", 2, 2,
         "outlook-busy <seconds>: the stand-in Outlook refuses every call for that long"},
        {VerbId::OutlookQuit, "outlook-quit", 1, 1,
         "outlook-quit: the stand-in Outlook's process ends at once, as a crash would"},
        {VerbId::OutlookDeny, "outlook-deny", 2, AnyNumberOfWords,
         "outlook-deny <property>...: reads of these properties fail with E_ACCESSDENIED"},
        {VerbId::OutlookContacts, "outlook-contacts", 2, 2,
         "outlook-contacts <n>: expects n contacts in the stand-in Outlook's folder"},
    };
    return verbs;
}

// The command of this name, or null.
inline const VerbSpec* findVerb(const std::string& name) {
    for (const VerbSpec& verb : driverVerbs()) {
        if (name == verb.name)
            return &verb;
    }
    return nullptr;
}

// Commands that only read what the program shows.
inline bool readsWhatTheProgramShows(VerbId verb) {
    switch (verb) {
    case VerbId::ExpectNoBox:
    case VerbId::ListRows:
    case VerbId::ListCell:
    case VerbId::ListDump:
    case VerbId::RowChecked:
    case VerbId::CountChecked:
    case VerbId::RowColour:
    case VerbId::BarCaption:
    case VerbId::SplitterAt:
    case VerbId::ComboShows:
    case VerbId::StatusText: return true;
    default: return false;
    }
}

inline bool takesWordCount(const VerbSpec& verb, size_t words) {
    return words >= verb.minimumWords && words <= verb.maximumWords;
}
