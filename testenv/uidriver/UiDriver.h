#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "testenv/uidriver/DriverVerbs.h"
#include "testenv/uidriver/ViewGeometry.h"
#include "testenv/uidriver/InkColour.h"
#include "testenv/uidriver/ScenarioLine.h"

class RemoteListView;

// Drives the program from outside, as a person would: it starts it, finds
// its windows, answers its message boxes and dialogs, sends its commands and
// keys, moves and presses the real pointer, reads its lists, status line and
// screen pixels across the process boundary and takes pictures of the
// screen. Every step reports on standard output; a failed expectation names
// the step and what was seen.
class UiDriver {
public:
    using Words = std::vector<std::string>;

    UiDriver();
    ~UiDriver();
    UiDriver(const UiDriver&) = delete;
    UiDriver& operator=(const UiDriver&) = delete;

    // Runs one command line (words split as a shell would, with quotes).
    // False stops the script.
    bool run(const Words& words);

    // One line per command: its words and what it does.
    static void printVerbs();

private:
    bool dispatch(VerbId verb, const Words& words);

    // The program and its windows.
    bool start(const Words& words);
    bool waitWindow(const Words& words);
    bool waitExit(const Words& words);
    bool terminate(const Words& words);
    bool waitFileSize(const Words& words);
    bool copyFile(const Words& words);
    bool sameFile(const Words& words);
    bool closeWindow(const Words& words);
    bool closeBox(const Words& words);
    bool sendCommand(const Words& words);
    bool sendKey(const Words& words);
    bool focusControl(const Words& words);
    bool statusText(const Words& words);
    bool statusShown(const Words& words);
    bool screenshot(const Words& words);
    bool sleep(const Words& words);
    bool setTimeoutVerb(const Words& words);

    // Message boxes and the Open dialog.
    bool answerBox(const Words& words);
    bool waitBox(const Words& words);
    bool expectNoBox(const Words& words);
    bool answerOpenDialog(const Words& words);

    // The contact lists.
    bool listRows(const Words& words);
    bool listCell(const Words& words);
    bool listDump(const Words& words);
    bool rowChecked(const Words& words);
    bool tickRow(const Words& words);
    bool untickRow(const Words& words);
    bool countChecked(const Words& words);
    bool rowColour(const Words& words);
    bool doubleClickRow(const Words& words);

    // Buttons, the user combo and the pointer over the content view.
    bool clickControl(const Words& words);
    bool clickButton(const Words& words);
    bool hoverBigButton(const Words& words);
    bool clickBigButton(const Words& words);
    bool hoverBarButton(const Words& words);
    bool clickBarButton(const Words& words);
    bool barCaption(const Words& words);
    bool expectToolTip(const Words& words);
    bool otherWindow(const Words& words);
    bool closeOtherWindow(const Words& words);
    bool dragSplitter(const Words& words);
    bool splitterAt(const Words& words);
    bool pointerTo(const Words& words);
    bool mouseDown(const Words& words);
    bool mouseUp(const Words& words);
    bool chooseUser(const Words& words);
    bool comboShows(const Words& words);

    // Dialogs of the program.
    bool waitDialog(const Words& words);
    bool dialogClick(const Words& words);
    bool dialogCheck(const Words& words);
    bool dialogText(const Words& words);
    bool dialogSetText(const Words& words);
    bool dialogSelect(const Words& words);
    bool dialogCloseOk(const Words& words);
    bool dialogEscape(const Words& words);
    bool dialogGone(const Words& words);
    bool dialogDump(const Words& words);

    // The running stand-in Outlook, reached as a second client
    // (OutlookControl.cpp).
    bool actInOutlook(VerbId verb, const Words& words);
    // A program waiting for Outlook in another process still answers sent
    // messages: true once the stand-in's local server has had no call for a
    // moment (at once when none runs), false when that takes `timeout`.
    static bool waitForQuietOutlook(DWORD timeout);
    static bool waitForOutlookGone(DWORD timeout);

    // Shared steps.
    bool fail(const std::string& what) const;
    bool number(const std::string& word, int* value) const;
    bool needMainWindow() const;
    bool settle() const;
    DWORD programThread() const;
    HWND findMessageBox() const;
    HWND waitForMessageBox() const;
    HWND waitForDialog(const char* title) const;
    bool waitUntilGone(HWND window) const;
    HWND listControl(int controlId) const;
    bool findList(const std::string& idWord, HWND* list) const;
    bool findListRow(const std::string& idWord, const std::string& rowWord, HWND* list, int* row) const;
    bool setRowTicked(const Words& words, bool ticked);
    bool clickCheckBox(const RemoteListView& list, int row);
    bool readRowInk(const RemoteListView& list, int row, InkReading* reading, int* column, std::string* problem) const;
    HWND contentView() const;
    bool currentSplitter(int* splitter) const;
    bool pointAt(HWND window, POINT client, const char* what);
    bool bigButtonIndex(const std::string& word, int* index) const;
    bool moveToBigButton(int index);
    bool approach(HWND window, ViewPoint centre, const char* what);
    HWND buttonBar() const;
    HWND windowOfAnotherProgram(const std::string& title) const;
    bool barButtonIndex(const std::string& word, int* index) const;
    bool moveToBarButton(int index);
    bool pressPointer(bool down);
    void waitOutDoubleClick();
    HWND userCombo() const;
    bool dialogOpen() const;
    bool dialogControl(const std::string& idWord, HWND* control) const;
    bool postKey(HWND target, int virtualKey) const;
    bool clickByMessage(HWND button) const;

    PROCESS_INFORMATION process_{};
    HWND mainWindow_ = nullptr;
    HWND dialog_ = nullptr;
    DWORD timeout_ = 15000;
    std::string step_;
    DWORD lastPressTick_ = 0;
    POINT lastPressPoint_ = {-1000, -1000};
    bool doubleClicking_ = false;
};
