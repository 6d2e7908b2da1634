#include "testenv/uidriver/UiDriver.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "testenv/uidriver/ClickRules.h"
#include "testenv/uidriver/DriverVerbs.h"
#include "testenv/uidriver/FileCompare.h"
#include "testenv/uidriver/PointerInput.h"
#include "testenv/uidriver/ProgramWindows.h"
#include "testenv/uidriver/RemoteBuffer.h"
#include "testenv/uidriver/RemoteListView.h"
#include "testenv/uidriver/ScreenPixels.h"
#include "testenv/uidriver/ViewGeometry.h"

namespace {

const char dialogClass[] = "#32770";
const int messageBoxTextId = 0xFFFF;
const int palmListId = 1000;
const int outlookListId = 1001;
const int userComboId = 2020;
const DWORD pollInterval = 20;
// Pixels left out at the edges of a cell: the focus rectangle runs there.
const int cellInset = 2;
// How many ticked rows count-checked names.
const int listedTickedRows = 12;
// Pointer moves on the way onto a big button.
const int approachSteps = 3;

int virtualKey(const std::string& name) {
    int number = 0;
    if (name.size() >= 2 && (name[0] == 'F' || name[0] == 'f') && parseNumber(name.substr(1), &number) && number >= 1 &&
        number <= 12)
        return VK_F1 + number - 1;
    static const struct {
        const char* name;
        int key;
    } named[] = {{"Enter", VK_RETURN}, {"Escape", VK_ESCAPE}, {"Tab", VK_TAB},      {"Space", VK_SPACE},
                 {"Up", VK_UP},        {"Down", VK_DOWN},     {"Left", VK_LEFT},    {"Right", VK_RIGHT},
                 {"Home", VK_HOME},    {"End", VK_END},       {"Delete", VK_DELETE}};
    for (const auto& entry : named) {
        if (name == entry.name)
            return entry.key;
    }
    return 0;
}

std::string describeWindow(HWND window) {
    if (window == nullptr)
        return "no window";
    char text[160];
    std::snprintf(text, sizeof text, "%s id %d \"%s\"", windowClass(window).c_str(), GetDlgCtrlID(window),
                  windowText(window).c_str());
    return text;
}

// A window over another, with the dialog or window it belongs to.
std::string describeCover(HWND window) {
    HWND root = window == nullptr ? nullptr : GetAncestor(window, GA_ROOT);
    if (root == nullptr || root == window)
        return describeWindow(window);
    return describeWindow(window) + " in " + describeWindow(root);
}

bool isSameOrChild(HWND window, HWND parent) {
    return window == parent || (window != nullptr && IsChild(parent, window));
}

// Whether what is seen at a point of a window is that window's own: the
// window itself or one of its children is there, or its top-level window is
// disabled by a modal dialog, which leaves the pixels but takes the clicks.
enum class PointOwner { Window, DisabledWindow, Other };

PointOwner pointOwner(HWND window, POINT screen, HWND* under) {
    *under = WindowFromPoint(screen);
    if (isSameOrChild(*under, window))
        return PointOwner::Window;
    HWND root = GetAncestor(window, GA_ROOT);
    if (*under == root && !IsWindowEnabled(root))
        return PointOwner::DisabledWindow;
    return PointOwner::Other;
}

RECT shrunk(RECT rect, int inset) {
    rect.left += inset;
    rect.top += inset;
    rect.right -= inset;
    rect.bottom -= inset;
    return rect;
}

bool isEmptyRect(const RECT& rect) { return rect.right <= rect.left || rect.bottom <= rect.top; }

}  // namespace

bool UiDriver::dispatch(VerbId verb, const Words& words) {
    // No default: the compiler names a command without its handler.
    switch (verb) {
    case VerbId::OutlookDelete:
    case VerbId::OutlookAdd:
    case VerbId::OutlookEdit:
    case VerbId::OutlookBusy:
    case VerbId::OutlookQuit:
    case VerbId::OutlookDeny:
    case VerbId::OutlookContacts: return actInOutlook(verb, words);
    case VerbId::Start: return start(words);
    case VerbId::WaitWindow: return waitWindow(words);
    case VerbId::AnswerBox: return answerBox(words);
    case VerbId::WaitBox: return waitBox(words);
    case VerbId::ExpectNoBox: return expectNoBox(words);
    case VerbId::AnswerOpenDialog: return answerOpenDialog(words);
    case VerbId::SendCommand: return sendCommand(words);
    case VerbId::SendKey: return sendKey(words);
    case VerbId::FocusControl: return focusControl(words);
    case VerbId::CloseWindow: return closeWindow(words);
    case VerbId::CloseBox: return closeBox(words);
    case VerbId::WaitExit: return waitExit(words);
    case VerbId::Terminate: return terminate(words);
    case VerbId::WaitFileSize: return waitFileSize(words);
    case VerbId::CopyOver: return copyFile(words);
    case VerbId::SameFile: return sameFile(words);
    case VerbId::ListRows: return listRows(words);
    case VerbId::ListCell: return listCell(words);
    case VerbId::ListDump: return listDump(words);
    case VerbId::RowChecked: return rowChecked(words);
    case VerbId::TickRow: return tickRow(words);
    case VerbId::UntickRow: return untickRow(words);
    case VerbId::CountChecked: return countChecked(words);
    case VerbId::RowColour: return rowColour(words);
    case VerbId::DoubleClickRow: return doubleClickRow(words);
    case VerbId::ClickControl: return clickControl(words);
    case VerbId::ClickButton: return clickButton(words);
    case VerbId::HoverBigButton: return hoverBigButton(words);
    case VerbId::ClickBigButton: return clickBigButton(words);
    case VerbId::HoverBarButton: return hoverBarButton(words);
    case VerbId::ClickBarButton: return clickBarButton(words);
    case VerbId::BarCaption: return barCaption(words);
    case VerbId::ExpectToolTip: return expectToolTip(words);
    case VerbId::DragSplitter: return dragSplitter(words);
    case VerbId::SplitterAt: return splitterAt(words);
    case VerbId::PointerTo: return pointerTo(words);
    case VerbId::MouseDown: return mouseDown(words);
    case VerbId::MouseUp: return mouseUp(words);
    case VerbId::ChooseUser: return chooseUser(words);
    case VerbId::ComboShows: return comboShows(words);
    case VerbId::WaitDialog: return waitDialog(words);
    case VerbId::DialogClick: return dialogClick(words);
    case VerbId::DialogCheck: return dialogCheck(words);
    case VerbId::DialogText: return dialogText(words);
    case VerbId::DialogSetText: return dialogSetText(words);
    case VerbId::DialogSelect: return dialogSelect(words);
    case VerbId::DialogCloseOk: return dialogCloseOk(words);
    case VerbId::DialogEscape: return dialogEscape(words);
    case VerbId::DialogGone: return dialogGone(words);
    case VerbId::DialogDump: return dialogDump(words);
    case VerbId::OtherWindow: return otherWindow(words);
    case VerbId::CloseOtherWindow: return closeOtherWindow(words);
    case VerbId::StatusText: return statusText(words);
    case VerbId::StatusShown: return statusShown(words);
    case VerbId::Screenshot: return screenshot(words);
    case VerbId::Sleep: return sleep(words);
    case VerbId::Timeout: return setTimeoutVerb(words);
    }
    return fail("the command has no handler");
}

void UiDriver::printVerbs() {
    for (const VerbSpec& verb : driverVerbs())
        std::printf("  %s\n", verb.usage);
}

UiDriver::UiDriver() = default;

UiDriver::~UiDriver() {
    if (process_.hProcess != nullptr) {
        CloseHandle(process_.hThread);
        CloseHandle(process_.hProcess);
    }
}

bool UiDriver::fail(const std::string& what) const {
    std::printf("FAILED at step \"%s\": %s\n", step_.c_str(), what.c_str());
    std::fflush(stdout);
    return false;
}

bool UiDriver::run(const Words& words) {
    if (isCommentOrBlank(words))
        return true;
    step_.clear();
    for (const std::string& word : words)
        step_ += (step_.empty() ? "" : " ") + word;
    std::printf("step: %s\n", step_.c_str());
    std::fflush(stdout);

    const VerbSpec* verb = findVerb(words[0]);
    if (verb != nullptr) {
        if (!takesWordCount(*verb, words.size()))
            return fail(std::string("wrong number of words; usage: ") + verb->usage);
        // A program waiting for Outlook in another process answers the
        // reads below with what it showed before: they wait for the calls
        // to end first.
        if (readsWhatTheProgramShows(verb->id) && mainWindow_ != nullptr && !waitForQuietOutlook(timeout_))
            return fail("the stand-in Outlook was still being called when the time ran out");
        const bool passed = dispatch(verb->id, words);
        std::fflush(stdout);
        return passed;
    }
    return fail("unknown command (uidriver --help lists them)");
}

// ---------------------------------------------------------------------------
// Shared steps

bool UiDriver::number(const std::string& word, int* value) const {
    if (parseNumber(word, value))
        return true;
    return fail("\"" + word + "\" is not a number");
}

bool UiDriver::needMainWindow() const {
    if (mainWindow_ != nullptr && IsWindow(mainWindow_))
        return true;
    return fail(mainWindow_ == nullptr ? "no main window yet (wait-window first)" : "the main window is gone");
}

DWORD UiDriver::programThread() const {
    if (mainWindow_ != nullptr && IsWindow(mainWindow_))
        return GetWindowThreadProcessId(mainWindow_, nullptr);
    return process_.dwThreadId;
}

// Waits until the program has handled what was sent to it: a message sent
// after it is answered only when the program asks for its next message, or
// from inside a modal loop, which waits for the user.
bool UiDriver::settle() const {
    if (mainWindow_ == nullptr || !IsWindow(mainWindow_))
        return true;
    for (int pass = 0; pass < 2; ++pass) {
        DWORD_PTR result = 0;
        if (!SendMessageTimeoutA(mainWindow_, WM_NULL, 0, 0, SMTO_NORMAL, timeout_, &result))
            return !IsWindow(mainWindow_);
        Sleep(5);
    }
    if (!waitForQuietOutlook(timeout_))
        return false;
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(mainWindow_, WM_NULL, 0, 0, SMTO_NORMAL, timeout_, &result) || !IsWindow(mainWindow_);
}

HWND UiDriver::findMessageBox() const { return firstProgramWindow(process_.dwProcessId, dialogClass, nullptr); }

HWND UiDriver::waitForMessageBox() const {
    HWND box = nullptr;
    for (DWORD waited = 0; waited < timeout_ && box == nullptr; waited += pollInterval) {
        box = findMessageBox();
        if (box == nullptr)
            Sleep(pollInterval);
    }
    return box;
}

HWND UiDriver::waitForDialog(const char* title) const {
    for (DWORD waited = 0; waited < timeout_; waited += pollInterval) {
        HWND found = firstProgramWindow(process_.dwProcessId, dialogClass, title);
        if (found != nullptr)
            return found;
        Sleep(pollInterval);
    }
    return nullptr;
}

bool UiDriver::waitUntilGone(HWND window) const {
    for (DWORD waited = 0; waited < timeout_; waited += pollInterval) {
        if (!IsWindow(window) || !IsWindowVisible(window))
            return true;
        Sleep(pollInterval);
    }
    return false;
}

// ---------------------------------------------------------------------------
// The program and its windows

bool UiDriver::start(const Words& words) {
    std::string commandLine;
    for (size_t index = 1; index < words.size(); ++index)
        commandLine += (index > 1 ? " \"" : "\"") + words[index] + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    if (process_.hProcess != nullptr) {
        CloseHandle(process_.hThread);
        CloseHandle(process_.hProcess);
        process_ = PROCESS_INFORMATION{};
    }
    mainWindow_ = nullptr;
    dialog_ = nullptr;
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process_))
        return fail("the program could not be started");
    WaitForInputIdle(process_.hProcess, 5000);
    return true;
}

bool UiDriver::waitWindow(const Words& words) {
    const std::string& title = words[1];
    for (DWORD waited = 0; waited < timeout_; waited += pollInterval) {
        HWND found = firstProgramWindow(process_.dwProcessId, nullptr, title.c_str());
        if (found != nullptr) {
            mainWindow_ = found;
            std::printf("  window \"%s\" found\n", title.c_str());
            return true;
        }
        if (process_.hProcess == nullptr)
            return fail("no program was started");
        if (WaitForSingleObject(process_.hProcess, 0) == WAIT_OBJECT_0) {
            DWORD code = 0;
            GetExitCodeProcess(process_.hProcess, &code);
            return fail("the program ended (exit code " + std::to_string(static_cast<int>(code)) +
                        ") before its window appeared");
        }
        Sleep(pollInterval);
    }
    return fail("no window titled \"" + title + "\"");
}

bool UiDriver::waitExit(const Words& words) {
    const std::string& expectedCode = words[1];
    int expected = 0;
    if (expectedCode != "any" && !number(expectedCode, &expected))
        return false;
    if (process_.hProcess == nullptr)
        return fail("no program was started");
    if (WaitForSingleObject(process_.hProcess, timeout_) != WAIT_OBJECT_0)
        return fail("the program did not end");
    DWORD code = 0;
    GetExitCodeProcess(process_.hProcess, &code);
    const int seen = static_cast<int>(code);
    std::printf("  exit code %d\n", seen);
    if (expectedCode != "any" && seen != expected)
        return fail("the exit code is " + std::to_string(seen) + ", not " + expectedCode);
    return true;
}

bool UiDriver::terminate(const Words&) {
    if (process_.hProcess == nullptr)
        return fail("no program was started");
    if (WaitForSingleObject(process_.hProcess, 0) == WAIT_OBJECT_0)
        return fail("the program had already ended");
    if (!TerminateProcess(process_.hProcess, 1))
        return fail("the program could not be ended (error " + std::to_string(GetLastError()) + ")");
    if (WaitForSingleObject(process_.hProcess, timeout_) != WAIT_OBJECT_0)
        return fail("the program did not end");
    mainWindow_ = nullptr;
    dialog_ = nullptr;
    std::printf("  the program was ended\n");
    return true;
}

bool UiDriver::waitFileSize(const Words& words) {
    const std::string& path = words[1];
    int least = 0;
    if (!number(words[2], &least))
        return false;
    // Read from the file's attributes, not by opening it: a program that
    // holds its file without sharing still lets that be seen.
    WIN32_FILE_ATTRIBUTE_DATA attributes = {};
    bool seen = false;
    unsigned long long size = 0;
    for (DWORD waited = 0; waited < timeout_; waited += pollInterval) {
        if (GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &attributes)) {
            seen = true;
            size = (static_cast<unsigned long long>(attributes.nFileSizeHigh) << 32) | attributes.nFileSizeLow;
            if (size >= static_cast<unsigned long long>(least)) {
                std::printf("  %s holds %llu bytes\n", path.c_str(), size);
                return true;
            }
        }
        Sleep(pollInterval);
    }
    if (!seen)
        return fail("there is no file " + path);
    return fail(path + " holds " + std::to_string(size) + " bytes, fewer than " + words[2]);
}

bool UiDriver::copyFile(const Words& words) {
    if (!CopyFileA(words[1].c_str(), words[2].c_str(), FALSE))
        return fail("could not copy " + words[1] + " to " + words[2] + " (error " + std::to_string(GetLastError()) +
                    ")");
    std::printf("  copied %s to %s\n", words[1].c_str(), words[2].c_str());
    return true;
}

namespace {

// The whole file; false when it cannot be opened or read.
bool readWholeFile(const std::string& path, std::string* bytes) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    bytes->clear();
    char buffer[65536];
    DWORD read = 0;
    bool ok = true;
    while ((ok = ReadFile(file, buffer, sizeof buffer, &read, nullptr) != 0) && read > 0)
        bytes->append(buffer, read);
    CloseHandle(file);
    return ok;
}

}  // namespace

bool UiDriver::sameFile(const Words& words) {
    std::string first, second;
    if (!readWholeFile(words[1], &first))
        return fail("could not read " + words[1] + " (error " + std::to_string(GetLastError()) + ")");
    if (!readWholeFile(words[2], &second))
        return fail("could not read " + words[2] + " (error " + std::to_string(GetLastError()) + ")");
    const long long differs = firstDifference(first, second);
    if (differs != SameBytes)
        return fail(words[1] + " (" + std::to_string(first.size()) + " bytes) and " + words[2] + " (" +
                    std::to_string(second.size()) + " bytes) differ from byte " + std::to_string(differs) + " on");
    std::printf("  %s and %s hold the same %llu bytes\n", words[1].c_str(), words[2].c_str(),
                static_cast<unsigned long long>(first.size()));
    return true;
}

bool UiDriver::closeWindow(const Words&) {
    if (!needMainWindow())
        return false;
    PostMessageA(mainWindow_, WM_CLOSE, 0, 0);
    return true;
}

bool UiDriver::closeBox(const Words&) {
    if (!needMainWindow())
        return false;
    // What the close box's click turns into; the default handling of it
    // sends WM_CLOSE.
    PostMessageA(mainWindow_, WM_SYSCOMMAND, SC_CLOSE, 0);
    return true;
}

bool UiDriver::sendCommand(const Words& words) {
    int commandId = 0;
    if (!number(words[1], &commandId) || !needMainWindow())
        return false;
    // Posted: a command that opens a modal box would block a sent message.
    PostMessageA(mainWindow_, WM_COMMAND, MAKEWPARAM(commandId, 0), 0);
    Sleep(200);
    // The command has run, or waits for the user in a box of its own.
    if (!settle())
        return fail("the program does not answer");
    return true;
}

// Keys go where the keyboard would deliver them, to the focus; the message
// loop's accelerators see them on the way.
bool UiDriver::postKey(HWND target, int key) const {
    const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyA(key, 0) & 0xFF) << 16;
    return PostMessageA(target, WM_KEYDOWN, key, scan | 1) &&
           PostMessageA(target, WM_KEYUP, key, scan | static_cast<LPARAM>(0xC0000001u));
}

bool UiDriver::sendKey(const Words& words) {
    const int key = virtualKey(words[1]);
    if (key == 0)
        return fail("unknown key \"" + words[1] + "\"");
    if (!needMainWindow())
        return false;
    // A box just answered may still hold the focus while it goes: the key
    // then goes to where the focus moves, or to the main window.
    HWND target = nullptr;
    for (int attempt = 0; attempt < 20; ++attempt) {
        target = focusOfThread(programThread());
        if (target == nullptr || !IsWindow(target))
            target = mainWindow_;
        if (IsWindowVisible(target))
            break;
        Sleep(50);
    }
    std::printf("  to %s\n", describeWindow(target).c_str());
    if (!postKey(target, key))
        return fail("the key could not be posted");
    Sleep(100);
    if (!settle())
        return fail("the program does not answer");
    Sleep(100);
    return true;
}

bool UiDriver::focusControl(const Words& words) {
    int controlId = 0;
    if (!number(words[1], &controlId) || !needMainWindow())
        return false;
    HWND control = nullptr;
    for (HWND candidate : controlsWithId(mainWindow_, controlId, nullptr)) {
        // The status bar shares its id with the Palm list; it never takes focus.
        if (!hasClass(candidate, STATUSCLASSNAMEA) && IsWindowVisible(candidate)) {
            control = candidate;
            break;
        }
    }
    if (control == nullptr)
        return fail("the main window has no control " + words[1]);
    const DWORD thread = GetWindowThreadProcessId(control, nullptr);
    // Focus can be set only from a thread that shares the program's input.
    AttachThreadInput(GetCurrentThreadId(), thread, TRUE);
    SetFocus(control);
    AttachThreadInput(GetCurrentThreadId(), thread, FALSE);
    if (!settle())
        return fail("the program does not answer");
    HWND focus = focusOfThread(thread);
    std::printf("  focus on %s\n", describeWindow(focus).c_str());
    if (focus != control)
        return fail("the focus is on " + describeWindow(focus) + ", not on " + describeWindow(control));
    return true;
}

bool UiDriver::statusText(const Words& words) {
    if (!needMainWindow())
        return false;
    HWND statusBar = firstControlOfClass(mainWindow_, STATUSCLASSNAMEA);
    if (statusBar == nullptr)
        return fail("the main window has no status bar");
    if (!settle())
        return fail("the program does not answer");
    const int length = LOWORD(SendMessageA(statusBar, SB_GETTEXTLENGTHA, 0, 0));
    const SIZE_T capacity = static_cast<SIZE_T>(length) + 1;
    RemoteBuffer remote(process_.hProcess, capacity);
    std::vector<char> text(capacity + 1, '\0');
    if (!remote.valid() || !remote.write(0, text.data(), capacity))
        return fail("the status line cannot be read");
    SendMessageA(statusBar, SB_GETTEXTA, 0, remote.parameter());
    if (!remote.read(0, text.data(), capacity))
        return fail("the status line cannot be read");
    const std::string seen = text.data();
    std::printf("  status \"%s\"\n", seen.c_str());
    if (seen.find(words[1]) == std::string::npos)
        return fail("the status line says \"" + seen + "\", without \"" + words[1] + "\"");
    return true;
}

// The stored text is no proof that the line is on the screen: something
// may have painted over it. Part 0 without its sunken edge and the right
// part where the size grip may sit must show dark text on the bar's face.
bool UiDriver::statusShown(const Words& words) {
    if (!needMainWindow())
        return false;
    HWND statusBar = firstControlOfClass(mainWindow_, STATUSCLASSNAMEA);
    if (statusBar == nullptr)
        return fail("the main window has no status bar");
    if (!settle())
        return fail("the program does not answer");
    RemoteBuffer remote(process_.hProcess, sizeof(RECT));
    RECT part = {};
    if (!remote.valid() || !SendMessageA(statusBar, SB_GETRECT, 0, remote.parameter()) ||
        !remote.read(0, &part, sizeof part))
        return fail("the status line's part 0 cannot be read");
    POINT topLeft = {part.left + 3, part.top + 3};
    POINT bottomRight = {part.left + (part.right - part.left) * 3 / 5, part.bottom - 3};
    ClientToScreen(statusBar, &topLeft);
    ClientToScreen(statusBar, &bottomRight);
    const RECT area = {topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
    const POINT middle = {(area.left + area.right) / 2, (area.top + area.bottom) / 2};
    if (WindowFromPoint(middle) != statusBar)
        return fail("another window covers the status line");
    const size_t fewestTextPixels = 20;
    InkReading reading;
    for (DWORD waited = 0;; waited += pollInterval) {
        std::vector<PixelColour> pixels;
        if (!readScreenPixels(area, &pixels))
            return fail("the screen cannot be read");
        reading = readInk(pixels);
        if (inkMatches(reading, pixelColour(0, 0, 0)) && reading.inkPixels >= fewestTextPixels)
            break;
        // A paint on its way gets a moment, not the whole timeout.
        if (waited >= 2000)
            return fail("the status line shows no text: " +
                        (reading.found ? std::to_string(reading.inkPixels) + " pixels of " + formatColour(reading.ink)
                                       : std::string("every pixel near ") + formatColour(reading.background)));
        Sleep(pollInterval);
    }
    std::printf("  status line drawn: %u of %u pixels %s on %s\n", static_cast<unsigned>(reading.inkPixels),
                static_cast<unsigned>(reading.pixels), formatColour(reading.ink).c_str(),
                formatColour(reading.background).c_str());
    return true;
}

bool UiDriver::screenshot(const Words& words) {
    Sleep(300);
    if (!writeScreenshot(words[1]))
        return fail("the screenshot could not be written to " + words[1]);
    std::printf("  screenshot %s\n", words[1].c_str());
    return true;
}

bool UiDriver::sleep(const Words& words) {
    int milliseconds = 0;
    if (!number(words[1], &milliseconds))
        return false;
    if (milliseconds < 0)
        return fail("a negative time");
    Sleep(static_cast<DWORD>(milliseconds));
    return true;
}

bool UiDriver::setTimeoutVerb(const Words& words) {
    int milliseconds = 0;
    if (!number(words[1], &milliseconds))
        return false;
    if (milliseconds < 0)
        return fail("a negative time");
    timeout_ = static_cast<DWORD>(milliseconds);
    return true;
}

// ---------------------------------------------------------------------------
// Message boxes and the Open dialog

bool UiDriver::clickByMessage(HWND button) const {
    // Delivered ahead of the program's posted messages and answered at once,
    // so the next settle() follows it; a modal box it opens does not block.
    return SendNotifyMessageA(button, BM_CLICK, 0, 0) != 0;
}

bool UiDriver::answerOpenDialog(const Words& words) {
    const std::string& title = words[1];
    const std::string& path = words[2];
    HWND dialog = waitForDialog(title.c_str());
    if (dialog == nullptr)
        return fail("no dialog titled \"" + title + "\"");
    Sleep(300);
    // The file name box is the dialog's first visible edit control.
    HWND edit = nullptr;
    for (HWND window : descendantWindows(dialog)) {
        if (hasClass(window, "Edit") && IsWindowVisible(window)) {
            edit = window;
            break;
        }
    }
    if (edit == nullptr)
        return fail("the dialog has no file name box");
    SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
    PostMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
    if (!waitUntilGone(dialog))
        return fail("the dialog stayed open after \"" + path + "\"");
    // What the program does with the file follows, Outlook's reads included.
    return settle() || fail("the program does not answer");
}

bool UiDriver::waitBox(const Words&) {
    if (waitForMessageBox() == nullptr)
        return fail("no message box appeared");
    // Let it finish painting before anything looks at it.
    Sleep(200);
    return true;
}

bool UiDriver::answerBox(const Words& words) {
    const std::string& caption = words[1];
    const std::string& textPart = words[2];
    const std::string& button = words[3];
    HWND box = waitForMessageBox();
    if (box == nullptr)
        return fail("no message box appeared");
    const std::string seenCaption = windowText(box);
    const std::string seenText = windowText(GetDlgItem(box, messageBoxTextId));
    std::printf("  box \"%s\": \"%s\"\n", seenCaption.c_str(), seenText.c_str());
    if (seenCaption != caption)
        return fail("the box's caption is \"" + seenCaption + "\", not \"" + caption + "\"");
    if (seenText.find(textPart) == std::string::npos)
        return fail("the box says \"" + seenText + "\", without \"" + textPart + "\"");
    std::string all;
    const std::vector<HWND> buttons = buttonsWithCaption(box, button, &all);
    if (buttons.empty())
        return fail("the box has no button \"" + button + "\" (it has: " + all + ")");
    PostMessageA(buttons.front(), BM_CLICK, 0, 0);
    waitUntilGone(box);
    return true;
}

bool UiDriver::expectNoBox(const Words&) {
    HWND box = findMessageBox();
    if (box != nullptr)
        return fail("a box is open: \"" + windowText(box) + "\": \"" + windowText(GetDlgItem(box, messageBoxTextId)) +
                    "\"");
    return true;
}

// ---------------------------------------------------------------------------
// The contact lists

HWND UiDriver::listControl(int controlId) const {
    HWND list = firstControlWithId(mainWindow_, controlId, WC_LISTVIEWA);
    if (list == nullptr && dialogOpen())
        list = firstControlWithId(dialog_, controlId, WC_LISTVIEWA);
    return list;
}

bool UiDriver::findList(const std::string& idWord, HWND* list) const {
    int controlId = 0;
    if (!number(idWord, &controlId))
        return false;
    if (mainWindow_ == nullptr && !dialogOpen())
        return fail("no main window yet (wait-window first)");
    *list = listControl(controlId);
    if (*list == nullptr)
        return fail("no list " + idWord);
    return true;
}

bool UiDriver::findListRow(const std::string& idWord, const std::string& rowWord, HWND* list, int* row) const {
    if (!findList(idWord, list) || !number(rowWord, row))
        return false;
    const int rows = RemoteListView(process_.hProcess, *list).rowCount();
    if (*row < 0 || *row >= rows)
        return fail("list " + idWord + " has " + std::to_string(rows) + " rows, no row " + rowWord);
    return true;
}

bool UiDriver::listRows(const Words& words) {
    HWND list = nullptr;
    int expectedRows = 0;
    if (!findList(words[1], &list) || !number(words[2], &expectedRows))
        return false;
    // A reload empties the list before it fills it again, and Outlook's
    // calls let the program answer the driver in between: the count is
    // watched until it is the one expected or the timeout has passed.
    int rows = RemoteListView(process_.hProcess, list).rowCount();
    for (DWORD waited = 0; rows != expectedRows && waited < timeout_; waited += pollInterval) {
        Sleep(pollInterval);
        settle();
        rows = RemoteListView(process_.hProcess, list).rowCount();
    }
    std::printf("  list %s has %d rows\n", words[1].c_str(), rows);
    if (rows != expectedRows)
        return fail("list " + words[1] + " has " + std::to_string(rows) + " rows, not " + words[2]);
    return true;
}

bool UiDriver::listCell(const Words& words) {
    HWND list = nullptr;
    int row = 0, column = 0;
    if (!findListRow(words[1], words[2], &list, &row) || !number(words[3], &column))
        return false;
    std::string text;
    if (!RemoteListView(process_.hProcess, list).text(row, column, &text))
        return fail("list " + words[1] + " cannot be read");
    std::printf("  row %d column %d: \"%s\"\n", row, column, text.c_str());
    if (text != words[4])
        return fail("the cell holds \"" + text + "\", not \"" + words[4] + "\"");
    return true;
}

bool UiDriver::listDump(const Words& words) {
    HWND list = nullptr;
    if (!findList(words[1], &list))
        return false;
    const RemoteListView view(process_.hProcess, list);
    const int rows = view.rowCount();
    const int columns = view.columnCount();
    for (int row = 0; row < rows; ++row) {
        std::string line;
        for (int column = 0; column < columns; ++column) {
            std::string text;
            view.text(row, column, &text);
            line += (column ? " | " : "") + text;
        }
        const int box = view.stateImage(row);
        const char* mark = box == RemoteListView::TickedBox ? "[x]" : box == RemoteListView::EmptyBox ? "[ ]" : "   ";
        std::printf("  %3d %s %s\n", row, mark, line.c_str());
    }
    return true;
}

bool UiDriver::rowChecked(const Words& words) {
    HWND list = nullptr;
    int row = 0;
    bool expected = false;
    if (!findListRow(words[1], words[2], &list, &row))
        return false;
    if (!parseYesNo(words[3], &expected))
        return fail("expected yes or no, not \"" + words[3] + "\"");
    const int box = RemoteListView(process_.hProcess, list).stateImage(row);
    std::printf("  row %d: state image %d\n", row, box);
    if (box != RemoteListView::TickedBox && box != RemoteListView::EmptyBox)
        return fail("row " + words[2] + " shows no check box (state image " + std::to_string(box) + ")");
    if ((box == RemoteListView::TickedBox) != expected)
        return fail(std::string("row ") + words[2] + (expected ? " is not ticked" : " is ticked"));
    return true;
}

bool UiDriver::countChecked(const Words& words) {
    HWND list = nullptr;
    int expected = 0;
    if (!findList(words[1], &list) || !number(words[2], &expected))
        return false;
    const RemoteListView view(process_.hProcess, list);
    int ticked = 0;
    std::string rows;
    for (int row = 0; row < view.rowCount(); ++row) {
        if (view.stateImage(row) != RemoteListView::TickedBox)
            continue;
        if (++ticked <= listedTickedRows)
            rows += (rows.empty() ? "" : " ") + std::to_string(row);
        else if (ticked == listedTickedRows + 1)
            rows += " ...";
    }
    std::printf("  %d ticked%s%s\n", ticked, rows.empty() ? "" : ": rows ", rows.c_str());
    if (ticked != expected)
        return fail(std::to_string(ticked) + " rows are ticked, not " + words[2]);
    return true;
}

bool UiDriver::tickRow(const Words& words) { return setRowTicked(words, true); }

bool UiDriver::untickRow(const Words& words) { return setRowTicked(words, false); }

bool UiDriver::setRowTicked(const Words& words, bool ticked) {
    HWND list = nullptr;
    int row = 0;
    if (!findListRow(words[1], words[2], &list, &row))
        return false;
    const bool byMessage = words.size() == 4;
    if (byMessage && words[3] != "message")
        return fail("the fourth word may only be \"message\"");
    const RemoteListView view(process_.hProcess, list);
    const int wanted = ticked ? RemoteListView::TickedBox : RemoteListView::EmptyBox;
    const int before = view.stateImage(row);
    if (before == wanted)
        return fail(std::string("row ") + words[2] + (ticked ? " is already ticked" : " is not ticked"));
    if (byMessage) {
        // The list tells its parent of the change as it does for a click.
        if (!view.setStateImage(row, wanted))
            return fail("the list refused the new state");
    } else if (!clickCheckBox(view, row)) {
        return false;
    }
    for (DWORD waited = 0; waited < timeout_; waited += pollInterval) {
        if (!settle())
            return fail("the program does not answer");
        if (view.stateImage(row) == wanted) {
            std::printf("  row %d %s\n", row, ticked ? "ticked" : "cleared");
            return true;
        }
        Sleep(pollInterval);
    }
    return fail("row " + words[2] + " still shows state image " + std::to_string(view.stateImage(row)));
}

bool UiDriver::clickCheckBox(const RemoteListView& list, int row) {
    list.ensureVisible(row);
    if (!settle())
        return fail("the program does not answer");
    RECT bounds = {}, label = {};
    if (!list.rowRect(row, &bounds) || !list.labelRect(row, 0, &label))
        return fail("the row's rectangle cannot be read");
    // The box lies between the row's left edge and its text; the list's own
    // hit test says which pixels are the box.
    const int y = (bounds.top + bounds.bottom) / 2;
    const LONG start = std::max<LONG>(0, bounds.left);
    std::vector<bool> onBox;
    for (LONG x = start; x < label.left; ++x) {
        UINT flags = 0;
        POINT point = {x, y};
        onBox.push_back(list.hitTest(point, &flags) == row && (flags & LVHT_ONITEMSTATEICON) != 0);
    }
    int offset = 0;
    if (!middleOfFirstRun(onBox, &offset))
        return fail("no check box found in row " + std::to_string(row));
    POINT box = {start + offset, y};
    std::printf("  clicking the box at (%d, %d) of the list\n", static_cast<int>(box.x), static_cast<int>(box.y));
    return pointAt(list.handle(), box, "the check box") && pressPointer(true) && pressPointer(false);
}

bool UiDriver::readRowInk(const RemoteListView& list, int row, InkReading* reading, int* column,
                          std::string* problem) const {
    RECT client = {};
    GetClientRect(list.handle(), &client);
    HWND header = reinterpret_cast<HWND>(SendMessageA(list.handle(), LVM_GETHEADER, 0, 0));
    if (header != nullptr && IsWindowVisible(header))
        client.top = std::max(client.top, rectInClientOf(header, list.handle()).bottom);
    const int columns = std::max(1, list.columnCount());
    for (*column = 0; *column < columns; ++*column) {
        RECT cell = {};
        if (!list.labelRect(row, *column, &cell))
            continue;
        RECT visible = {};
        if (!IntersectRect(&visible, &cell, &client))
            continue;
        visible = shrunk(visible, cellInset);
        if (isEmptyRect(visible))
            continue;
        MapWindowPoints(list.handle(), HWND_DESKTOP, reinterpret_cast<POINT*>(&visible), 2);
        POINT middle = {(visible.left + visible.right) / 2, (visible.top + visible.bottom) / 2};
        HWND under = nullptr;
        if (pointOwner(list.handle(), middle, &under) == PointOwner::Other) {
            *problem = "the row is covered by " + describeCover(under);
            return false;
        }
        // Read until two readings agree: the list may still be painting.
        std::vector<PixelColour> pixels, again;
        bool steady = false;
        for (int attempt = 0; attempt < 10 && !steady; ++attempt) {
            Sleep(40);
            if (!readScreenPixels(visible, &again)) {
                *problem = "the screen cannot be read";
                return false;
            }
            steady = again == pixels;
            pixels.swap(again);
        }
        *reading = readInk(pixels);
        if (reading->found)
            return true;
    }
    *problem = "no text was found in any cell of row " + std::to_string(row);
    return false;
}

bool UiDriver::rowColour(const Words& words) {
    HWND list = nullptr;
    int row = 0;
    PixelColour expected = 0;
    if (!findListRow(words[1], words[2], &list, &row))
        return false;
    if (!parseColour(words[3], &expected))
        return fail("\"" + words[3] + "\" is no colour: black, green, blue, white, same, missing, differs or #rrggbb");
    const RemoteListView view(process_.hProcess, list);
    view.ensureVisible(row);
    // A selected row is drawn in the highlight colours; lift the selection
    // for the reading and put it back after.
    const bool lifted = view.isSelected(row);
    if (lifted)
        view.setSelected(row, false);
    if (!settle())
        return fail("the program does not answer");
    InkReading reading;
    int column = 0;
    std::string problem;
    const bool read = readRowInk(view, row, &reading, &column, &problem);
    if (lifted) {
        view.setSelected(row, true);
        settle();
    }
    if (!read)
        return fail(problem);
    const std::string name = inkName(reading);
    std::printf("  row %d: text %s%s on %s (column %d, %u of %u pixels)%s\n", row, formatColour(reading.ink).c_str(),
                name.empty() ? "" : (" (" + name + ")").c_str(), formatColour(reading.background).c_str(), column,
                static_cast<unsigned>(reading.inkPixels), static_cast<unsigned>(reading.pixels),
                lifted ? ", read with the selection lifted" : "");
    if (!inkMatches(reading, expected))
        return fail("row " + words[2] + " is drawn in " + formatColour(reading.ink) +
                    (name.empty() ? "" : " (" + name + ")") + ", not " + words[3]);
    return true;
}

bool UiDriver::doubleClickRow(const Words& words) {
    HWND list = nullptr;
    int row = 0;
    if (!findListRow(words[1], words[2], &list, &row))
        return false;
    const RemoteListView view(process_.hProcess, list);
    view.ensureVisible(row);
    if (!settle())
        return fail("the program does not answer");
    RECT label = {};
    if (!view.labelRect(row, 0, &label))
        return fail("the row's rectangle cannot be read");
    POINT middle = {label.left + 4, (label.top + label.bottom) / 2};
    if (!pointAt(list, middle, "the row"))
        return false;
    bool pressed = pressPointer(true) && pressPointer(false);
    doubleClicking_ = true;
    pressed = pressed && pressPointer(true);
    doubleClicking_ = false;
    return pressed && pressPointer(false);
}

// ---------------------------------------------------------------------------
// Buttons, the user combo and the pointer over the content view

bool UiDriver::clickControl(const Words& words) {
    int controlId = 0;
    if (!number(words[1], &controlId) || !needMainWindow())
        return false;
    HWND button = firstControlWithId(mainWindow_, controlId, "Button");
    if (button == nullptr)
        return fail("the main window has no button " + words[1]);
    std::printf("  pressing \"%s\"\n", windowText(button).c_str());
    if (!clickByMessage(button))
        return fail("the button could not be pressed");
    if (!settle())
        return fail("the program does not answer");
    return true;
}

bool UiDriver::clickButton(const Words& words) {
    int which = 1;
    if (!needMainWindow() || (words.size() == 3 && !number(words[2], &which)))
        return false;
    std::string all;
    const std::vector<HWND> buttons = buttonsWithCaption(mainWindow_, words[1], &all);
    if (buttons.empty())
        return fail("no button \"" + words[1] + "\" (there are: " + all + ")");
    if (which < 1 || static_cast<size_t>(which) > buttons.size())
        return fail("there are " + std::to_string(buttons.size()) + " buttons \"" + words[1] + "\", no number " +
                    std::to_string(which));
    HWND button = buttons[static_cast<size_t>(which) - 1];
    std::printf("  pressing button %d\n", GetDlgCtrlID(button));
    if (!clickByMessage(button))
        return fail("the button could not be pressed");
    if (!settle())
        return fail("the program does not answer");
    return true;
}

HWND UiDriver::contentView() const {
    HWND palmList = firstControlWithId(mainWindow_, palmListId, WC_LISTVIEWA);
    return palmList == nullptr ? nullptr : GetParent(palmList);
}

// Moves the real pointer onto a point of a window and makes sure that
// window, not something over it, is what the pointer reaches.
bool UiDriver::pointAt(HWND window, POINT client, const char* what) {
    POINT screen = client;
    ClientToScreen(window, &screen);
    HWND under = nullptr;
    const PointOwner owner = pointOwner(window, screen, &under);
    if (owner == PointOwner::DisabledWindow)
        return fail(std::string(what) + " takes no clicks: its window is disabled (a dialog or box is open?)");
    if (owner == PointOwner::Other)
        return fail(std::string(what) + " is covered by " + describeCover(under));
    if (!movePointerTo(screen))
        return fail("the pointer could not be moved to (" + std::to_string(screen.x) + ", " + std::to_string(screen.y) +
                    ")");
    if (!settle())
        return fail("the program does not answer");
    return true;
}

bool UiDriver::pressPointer(bool down) {
    if (down)
        waitOutDoubleClick();
    if (!pressLeftButton(down))
        return fail("the button press could not be sent");
    if (!settle())
        return fail("the program does not answer");
    return true;
}

// Two presses close together in time and place make a double click; a
// press meant as a click of its own waits until the first one is old enough.
void UiDriver::waitOutDoubleClick() {
    POINT now = {};
    GetCursorPos(&now);
    if (!doubleClicking_) {
        const unsigned pause = pauseBeforeSingleClick(
            GetTickCount() - lastPressTick_, now.x - lastPressPoint_.x, now.y - lastPressPoint_.y, GetDoubleClickTime(),
            GetSystemMetrics(SM_CXDOUBLECLK), GetSystemMetrics(SM_CYDOUBLECLK));
        Sleep(pause);
    }
    lastPressTick_ = GetTickCount();
    lastPressPoint_ = now;
}

bool UiDriver::bigButtonIndex(const std::string& word, int* index) const {
    if (!number(word, index))
        return false;
    if (*index < 0 || *index > 2)
        return fail("the big buttons are 0, 1 and 2");
    return true;
}

bool UiDriver::moveToBigButton(int index) {
    if (!needMainWindow())
        return false;
    HWND view = contentView();
    if (view == nullptr)
        return fail("the main window has no content view");
    RECT client = {};
    GetClientRect(view, &client);
    const ViewPoint centre = bigButtonCentre(index, client.right);
    std::printf("  pointer to big button %d at (%d, %d) of the view\n", index, centre.x, centre.y);
    return approach(view, centre, "the big button");
}

// A hand arrives in a few moves, and a tooltip follows the moves it sees
// over the button, not the first that reaches it.
bool UiDriver::approach(HWND window, ViewPoint centre, const char* what) {
    for (int step = approachSteps; step >= 0; --step) {
        POINT point = {centre.x - step, centre.y};
        if (!pointAt(window, point, what))
            return false;
    }
    return true;
}

bool UiDriver::hoverBigButton(const Words& words) {
    int index = 0;
    return bigButtonIndex(words[1], &index) && moveToBigButton(index);
}

bool UiDriver::clickBigButton(const Words& words) {
    int index = 0;
    return bigButtonIndex(words[1], &index) && moveToBigButton(index) && pressPointer(true) && pressPointer(false);
}

// The band across the top of the main window: whatever child holds its
// top-left corner.
HWND UiDriver::buttonBar() const {
    POINT corner = {2, 2};
    HWND child = ChildWindowFromPointEx(mainWindow_, corner, CWP_SKIPINVISIBLE);
    return child == mainWindow_ ? nullptr : child;
}

bool UiDriver::barButtonIndex(const std::string& word, int* index) const {
    if (!number(word, index))
        return false;
    if (*index < 0 || *index > 3)
        return fail("the bar's buttons are 0 (Refresh), 1 (Option), 2 (Help) and 3 (Exit)");
    return true;
}

bool UiDriver::moveToBarButton(int index) {
    if (!needMainWindow())
        return false;
    HWND bar = buttonBar();
    if (bar == nullptr)
        return fail("the main window has no button bar");
    RECT client = {};
    GetClientRect(bar, &client);
    const ViewPoint centre = barButtonCentre(index, client.right, client.bottom);
    std::printf("  pointer to bar button %d at (%d, %d) of the bar\n", index, centre.x, centre.y);
    return approach(bar, centre, "the bar button");
}

bool UiDriver::hoverBarButton(const Words& words) {
    int index = 0;
    return barButtonIndex(words[1], &index) && moveToBarButton(index);
}

bool UiDriver::clickBarButton(const Words& words) {
    int index = 0;
    return barButtonIndex(words[1], &index) && moveToBarButton(index) && pressPointer(true) && pressPointer(false);
}

// The caption's colour from the button's pixels: the face is shades of
// blue, so pure yellow or pure white can only be the caption.
bool UiDriver::barCaption(const Words& words) {
    int index = 0;
    if (!barButtonIndex(words[1], &index) || !needMainWindow() || !settle())
        return false;
    const bool wantYellow = words[2] == "yellow";
    if (!wantYellow && words[2] != "white")
        return fail("a bar caption is yellow or white, not \"" + words[2] + "\"");
    HWND bar = buttonBar();
    if (bar == nullptr)
        return fail("the main window has no button bar");
    RECT client = {};
    GetClientRect(bar, &client);
    const ViewPoint centre = barButtonCentre(index, client.right, client.bottom);
    POINT topLeft = {centre.x - BarButtonWidth / 2, centre.y - BarButtonHeight / 2};
    ClientToScreen(bar, &topLeft);
    const RECT area = {topLeft.x, topLeft.y, topLeft.x + BarButtonWidth, topLeft.y + BarButtonHeight};
    std::vector<PixelColour> pixels;
    if (!readScreenPixels(area, &pixels))
        return fail("the screen cannot be read");
    size_t yellow = 0, white = 0;
    for (PixelColour pixel : pixels) {
        yellow += pixel == pixelColour(255, 255, 0);
        white += pixel == pixelColour(255, 255, 255);
    }
    std::printf("  bar button %d: %u yellow and %u white pixels\n", index, static_cast<unsigned>(yellow),
                static_cast<unsigned>(white));
    const bool isYellow = yellow > 0;
    if (wantYellow != isYellow || (!isYellow && white == 0))
        return fail("bar button " + words[1] + "'s caption is " +
                    (isYellow    ? "yellow"
                     : white > 0 ? "white"
                                 : "not to be seen"));
    return true;
}

HWND UiDriver::windowOfAnotherProgram(const std::string& title) const {
    HWND window = FindWindowA(nullptr, title.c_str());
    DWORD owner = 0;
    if (window != nullptr)
        GetWindowThreadProcessId(window, &owner);
    if (window == nullptr || !IsWindowVisible(window) || owner == process_.dwProcessId)
        return nullptr;
    return window;
}

bool UiDriver::otherWindow(const Words& words) {
    for (DWORD waited = 0; waited < timeout_; waited += pollInterval) {
        if (HWND window = windowOfAnotherProgram(words[1])) {
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            std::printf("  window \"%s\" of process %lu\n", words[1].c_str(), static_cast<unsigned long>(owner));
            // Let it paint before anything looks at it.
            Sleep(500);
            return true;
        }
        Sleep(pollInterval);
    }
    return fail("no other program shows a window \"" + words[1] + "\"");
}

bool UiDriver::closeOtherWindow(const Words& words) {
    HWND window = windowOfAnotherProgram(words[1]);
    if (window == nullptr)
        return fail("no other program shows a window \"" + words[1] + "\"");
    PostMessageA(window, WM_CLOSE, 0, 0);
    for (DWORD waited = 0; waited < timeout_; waited += pollInterval) {
        if (!IsWindow(window))
            return true;
        Sleep(pollInterval);
    }
    return fail("the window \"" + words[1] + "\" did not close");
}

bool UiDriver::expectToolTip(const Words& words) {
    std::string seen;
    for (DWORD waited = 0; waited < timeout_; waited += pollInterval) {
        seen.clear();
        for (HWND tip : programWindows(process_.dwProcessId, TOOLTIPS_CLASSA, nullptr)) {
            const std::string text = windowText(tip);
            if (text == words[1]) {
                std::printf("  tooltip \"%s\"\n", text.c_str());
                return true;
            }
            seen += (seen.empty() ? "\"" : ", \"") + text + "\"";
        }
        Sleep(pollInterval);
    }
    if (!seen.empty())
        return fail("the tooltip shows " + seen + ", not \"" + words[1] + "\"");
    std::string hidden;
    for (HWND tip : programWindows(process_.dwProcessId, TOOLTIPS_CLASSA, nullptr, true))
        hidden += (hidden.empty() ? "\"" : ", \"") + windowText(tip) + "\"";
    return fail("no tooltip showed" + (hidden.empty() ? std::string() : " (hidden ones hold " + hidden + ")"));
}

bool UiDriver::currentSplitter(int* splitter) const {
    HWND view = contentView();
    HWND palm = firstControlWithId(mainWindow_, palmListId, WC_LISTVIEWA);
    HWND outlook = firstControlWithId(mainWindow_, outlookListId, WC_LISTVIEWA);
    if (view == nullptr || outlook == nullptr)
        return fail("the content view or its lists are missing");
    const int palmRight = rectInClientOf(palm, view).right;
    const int outlookLeft = rectInClientOf(outlook, view).left;
    std::printf("  the Palm list ends at %d, the Outlook list starts at %d\n", palmRight, outlookLeft);
    if (!splitterFromListEdges(palmRight, outlookLeft, splitter))
        return fail("the lists are not 2 pixels apart");
    return true;
}

bool UiDriver::dragSplitter(const Words& words) {
    int target = 0, splitter = 0;
    if (!number(words[1], &target) || !needMainWindow() || !currentSplitter(&splitter))
        return false;
    HWND view = contentView();
    RECT client = {};
    GetClientRect(view, &client);
    const int y = splitterGrabHeight(client.bottom);
    if (target < 0 || target >= client.right)
        return fail("x " + words[1] + " lies outside the view (0 to " + std::to_string(client.right - 1) + ")");
    // Grab the gap between the lists, then go one pixel at a time, as a hand
    // would, so the program sees every position on the way.
    POINT point = {splitter, y};
    if (!pointAt(view, point, "the splitter") || !pressPointer(true))
        return false;
    while (point.x != target) {
        point.x += point.x < target ? 1 : -1;
        POINT screen = point;
        ClientToScreen(view, &screen);
        if (!movePointerTo(screen))
            return fail("the pointer could not be moved");
        if (!settle())
            return fail("the program does not answer");
    }
    if (!pressPointer(false) || !currentSplitter(&splitter))
        return false;
    std::printf("  splitter at %d\n", splitter);
    return true;
}

bool UiDriver::splitterAt(const Words& words) {
    int expected = 0, splitter = 0;
    if (!number(words[1], &expected) || !needMainWindow() || !settle() || !currentSplitter(&splitter))
        return false;
    if (splitter != expected)
        return fail("the splitter is at " + std::to_string(splitter) + ", not " + words[1]);
    return true;
}

bool UiDriver::pointerTo(const Words& words) {
    int x = 0, y = 0;
    if (!number(words[1], &x) || !number(words[2], &y) || !needMainWindow())
        return false;
    HWND view = contentView();
    if (view == nullptr)
        return fail("the main window has no content view");
    POINT point = {x, y};
    return pointAt(view, point, "the point");
}

bool UiDriver::mouseDown(const Words&) { return pressPointer(true); }

bool UiDriver::mouseUp(const Words&) { return pressPointer(false); }

HWND UiDriver::userCombo() const { return firstControlWithId(mainWindow_, userComboId, "ComboBox"); }

namespace {

// Combo item texts travel through the system's own copying of these
// messages, so a buffer of this process is the right one. The wide form is
// asked for: the ANSI one comes back cut short across processes under Wine.
bool comboItemText(HWND combo, int item, std::string* text) {
    const LRESULT length = SendMessageW(combo, CB_GETLBTEXTLEN, item, 0);
    if (length == CB_ERR || length < 0 || length > 1023)
        return false;
    wchar_t wide[1025] = {};
    if (SendMessageW(combo, CB_GETLBTEXT, item, reinterpret_cast<LPARAM>(wide)) == CB_ERR)
        return false;
    char narrow[2 * 1025] = {};
    if (WideCharToMultiByte(CP_ACP, 0, wide, -1, narrow, sizeof narrow, nullptr, nullptr) == 0)
        return false;
    *text = narrow;
    return true;
}

}  // namespace

bool UiDriver::chooseUser(const Words& words) {
    if (!needMainWindow())
        return false;
    HWND combo = userCombo();
    if (combo == nullptr)
        return fail("the main window has no user combo");
    const int count = static_cast<int>(SendMessageA(combo, CB_GETCOUNT, 0, 0));
    int chosen = -1;
    std::string names;
    for (int item = 0; item < count && chosen < 0; ++item) {
        std::string text;
        if (!comboItemText(combo, item, &text))
            continue;
        names += (names.empty() ? "\"" : ", \"") + text + "\"";
        if (text == words[1])
            chosen = item;
    }
    if (chosen < 0)
        return fail("the combo holds no \"" + words[1] + "\" (it holds " + (names.empty() ? "nothing" : names) + ")");
    SendMessageA(combo, CB_SETCURSEL, chosen, 0);
    // Selecting from outside tells nobody; the parent hears of it as from a user.
    SendNotifyMessageA(GetParent(combo), WM_COMMAND, MAKEWPARAM(userComboId, CBN_SELCHANGE),
                       reinterpret_cast<LPARAM>(combo));
    std::printf("  item %d chosen\n", chosen);
    if (!settle())
        return fail("the program does not answer");
    return true;
}

bool UiDriver::comboShows(const Words& words) {
    if (!needMainWindow())
        return false;
    HWND combo = userCombo();
    if (combo == nullptr)
        return fail("the main window has no user combo");
    const int item = static_cast<int>(SendMessageA(combo, CB_GETCURSEL, 0, 0));
    std::string text;
    if (item != CB_ERR && !comboItemText(combo, item, &text))
        return fail("the combo's selection cannot be read");
    std::printf("  the combo shows %s\n", item == CB_ERR ? "nothing" : ("\"" + text + "\"").c_str());
    if (item == CB_ERR || text != words[1])
        return fail("the combo shows " + (item == CB_ERR ? std::string("nothing") : "\"" + text + "\"") + ", not \"" +
                    words[1] + "\"");
    return true;
}

// ---------------------------------------------------------------------------
// Dialogs of the program

bool UiDriver::dialogOpen() const { return dialog_ != nullptr && IsWindow(dialog_) && IsWindowVisible(dialog_); }

bool UiDriver::dialogControl(const std::string& idWord, HWND* control) const {
    int controlId = 0;
    if (!number(idWord, &controlId))
        return false;
    if (!dialogOpen())
        return fail(dialog_ == nullptr ? "no dialog (dialog \"<title>\" first)" : "the dialog is closed");
    *control = GetDlgItem(dialog_, controlId);
    if (*control == nullptr)
        return fail("the dialog has no control " + idWord);
    return true;
}

bool UiDriver::waitDialog(const Words& words) {
    HWND found = waitForDialog(words[1].c_str());
    if (found == nullptr)
        return fail("no dialog titled \"" + words[1] + "\"");
    dialog_ = found;
    std::printf("  dialog \"%s\" found\n", words[1].c_str());
    // Let it finish its initialisation and painting.
    Sleep(100);
    return settle() || fail("the program does not answer");
}

bool UiDriver::dialogClick(const Words& words) {
    HWND control = nullptr;
    if (!dialogControl(words[1], &control))
        return false;
    std::printf("  pressing %s\n", describeWindow(control).c_str());
    if (!clickByMessage(control))
        return fail("the control could not be pressed");
    if (!settle())
        return fail("the program does not answer");
    return true;
}

bool UiDriver::dialogCheck(const Words& words) {
    HWND control = nullptr;
    bool expected = false;
    if (!dialogControl(words[1], &control))
        return false;
    if (!parseYesNo(words[2], &expected))
        return fail("expected yes or no, not \"" + words[2] + "\"");
    const LRESULT state = SendMessageA(control, BM_GETCHECK, 0, 0);
    std::printf("  %s: %s\n", describeWindow(control).c_str(),
                state == BST_CHECKED     ? "checked"
                : state == BST_UNCHECKED ? "not checked"
                                         : "indeterminate");
    if ((state == BST_CHECKED) != expected || state == BST_INDETERMINATE)
        return fail(std::string("control ") + words[1] + (expected ? " is not checked" : " is checked"));
    return true;
}

bool UiDriver::dialogText(const Words& words) {
    HWND control = nullptr;
    if (!dialogControl(words[1], &control))
        return false;
    const std::string text = windowText(control);
    std::printf("  control %s: \"%s\"\n", words[1].c_str(), text.c_str());
    if (text != words[2])
        return fail("control " + words[1] + " holds \"" + text + "\", not \"" + words[2] + "\"");
    return true;
}

bool UiDriver::dialogSetText(const Words& words) {
    HWND control = nullptr;
    if (!dialogControl(words[1], &control))
        return false;
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(words[2].c_str()), SMTO_NORMAL, timeout_,
                             &result))
        return fail("the program does not answer");
    if (!settle())
        return fail("the program does not answer");
    const std::string text = windowText(control);
    if (text != words[2])
        return fail("control " + words[1] + " took \"" + text + "\"");
    return true;
}

bool UiDriver::dialogSelect(const Words& words) {
    HWND control = nullptr;
    int index = 0;
    if (!dialogControl(words[1], &control) || !number(words[2], &index))
        return false;
    const int controlId = GetDlgCtrlID(control);
    int count = 0;
    if (hasClass(control, "ComboBox"))
        count = static_cast<int>(SendMessageA(control, CB_GETCOUNT, 0, 0));
    else if (hasClass(control, "ListBox"))
        count = static_cast<int>(SendMessageA(control, LB_GETCOUNT, 0, 0));
    else if (hasClass(control, WC_LISTVIEWA))
        count = RemoteListView(process_.hProcess, control).rowCount();
    else
        return fail(describeWindow(control) + " is no combo, list box or list");
    if (index < 0 || index >= count)
        return fail("control " + words[1] + " has " + std::to_string(count) + " items, no item " + words[2]);
    // Selecting from outside tells nobody; the dialog hears of it as from a user.
    if (hasClass(control, "ComboBox")) {
        SendMessageA(control, CB_SETCURSEL, index, 0);
        SendNotifyMessageA(dialog_, WM_COMMAND, MAKEWPARAM(controlId, CBN_SELCHANGE),
                           reinterpret_cast<LPARAM>(control));
    } else if (hasClass(control, "ListBox")) {
        SendMessageA(control, LB_SETCURSEL, index, 0);
        SendNotifyMessageA(dialog_, WM_COMMAND, MAKEWPARAM(controlId, LBN_SELCHANGE),
                           reinterpret_cast<LPARAM>(control));
    } else if (!RemoteListView(process_.hProcess, control).setSelected(index, true)) {
        // The list view sends its own change notice.
        return fail("the list refused the selection");
    }
    std::printf("  item %d of %s selected\n", index, describeWindow(control).c_str());
    if (!settle())
        return fail("the program does not answer");
    return true;
}

bool UiDriver::dialogCloseOk(const Words&) {
    if (!dialogOpen())
        return fail("no open dialog");
    HWND ok = GetDlgItem(dialog_, IDOK);
    const bool pressed = ok != nullptr ? clickByMessage(ok)
                                       : SendNotifyMessageA(dialog_, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0) != 0;
    if (!pressed)
        return fail("OK could not be pressed");
    if (!waitUntilGone(dialog_))
        return fail("the dialog stayed open after OK");
    std::printf("  dialog closed\n");
    return settle() || fail("the program does not answer");
}

bool UiDriver::dialogEscape(const Words&) {
    if (!dialogOpen())
        return fail("no open dialog");
    HWND target = focusOfThread(GetWindowThreadProcessId(dialog_, nullptr));
    if (!isSameOrChild(target, dialog_))
        target = dialog_;
    if (!postKey(target, VK_ESCAPE))
        return fail("the key could not be posted");
    Sleep(100);
    settle();
    Sleep(100);
    std::printf("  the dialog is %s\n", dialogOpen() ? "still open" : "closed");
    return true;
}

bool UiDriver::dialogGone(const Words&) {
    if (dialog_ == nullptr)
        return fail("no dialog (dialog \"<title>\" first)");
    if (!waitUntilGone(dialog_))
        return fail("the dialog \"" + windowText(dialog_) + "\" is still open");
    std::printf("  dialog closed\n");
    return true;
}

bool UiDriver::dialogDump(const Words&) {
    if (!dialogOpen())
        return fail("no open dialog");
    std::printf("  dialog \"%s\"\n", windowText(dialog_).c_str());
    for (HWND control : descendantWindows(dialog_)) {
        if (GetParent(control) != dialog_)
            continue;
        std::string text = windowText(control);
        const LONG_PTR style = GetWindowLongPtrA(control, GWL_STYLE);
        if (hasClass(control, "Static") && ((style & SS_TYPEMASK) == SS_ICON || (style & SS_TYPEMASK) == SS_BITMAP))
            text = "(picture)";
        std::string state;
        if (hasClass(control, "Button")) {
            const LRESULT check = SendMessageA(control, BM_GETCHECK, 0, 0);
            state = check == BST_CHECKED ? " [checked]" : "";
        }
        std::printf("  %6d %-16s \"%s\"%s%s\n", GetDlgCtrlID(control), windowClass(control).c_str(), text.c_str(),
                    state.c_str(), IsWindowVisible(control) ? "" : " (hidden)");
    }
    return true;
}
