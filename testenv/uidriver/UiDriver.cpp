#include "testenv/uidriver/UiDriver.h"

#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

const char messageBoxClass[] = "#32770";
const int messageBoxTextId = 0xFFFF;

std::string windowText(HWND window)
{
    char text[1024] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

std::string withoutAccelerators(const std::string& text)
{
    std::string plain;
    for (char c : text) {
        if (c != '&')
            plain += c;
    }
    return plain;
}

struct ProcessWindowSearch {
    DWORD processId;
    const char* className;
    const char* title;
    HWND found;
};

BOOL CALLBACK matchProcessWindow(HWND window, LPARAM parameter)
{
    ProcessWindowSearch* search = reinterpret_cast<ProcessWindowSearch*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search->processId || !IsWindowVisible(window))
        return TRUE;
    char className[64] = {};
    GetClassNameA(window, className, sizeof className);
    if (search->className != nullptr && std::strcmp(className, search->className) != 0)
        return TRUE;
    if (search->title != nullptr && windowText(window) != search->title)
        return TRUE;
    search->found = window;
    return FALSE;
}

struct ButtonSearch {
    std::string caption;
    HWND found;
    std::string all;
};

BOOL CALLBACK matchButton(HWND window, LPARAM parameter)
{
    ButtonSearch* search = reinterpret_cast<ButtonSearch*>(parameter);
    char className[32] = {};
    GetClassNameA(window, className, sizeof className);
    if (lstrcmpiA(className, "Button") != 0)
        return TRUE;
    const std::string caption = withoutAccelerators(windowText(window));
    search->all += (search->all.empty() ? "" : ", ") + caption;
    if (caption == search->caption && search->found == nullptr)
        search->found = window;
    return TRUE;
}

// Enumeration callbacks are stdcall on 32-bit Windows, which lambdas are not.
BOOL CALLBACK matchVisibleEdit(HWND window, LPARAM parameter)
{
    char className[16] = {};
    GetClassNameA(window, className, sizeof className);
    if (lstrcmpiA(className, "Edit") != 0 || !IsWindowVisible(window))
        return TRUE;
    *reinterpret_cast<HWND*>(parameter) = window;
    return FALSE;
}

struct ListSearch {
    int id;
    HWND found;
};

BOOL CALLBACK matchList(HWND window, LPARAM parameter)
{
    ListSearch* wanted = reinterpret_cast<ListSearch*>(parameter);
    char className[32] = {};
    GetClassNameA(window, className, sizeof className);
    if (GetDlgCtrlID(window) == wanted->id && std::strcmp(className, "SysListView32") == 0) {
        wanted->found = window;
        return FALSE;
    }
    return TRUE;
}

bool writeBitmapFile(const std::string& path, int width, int height, const void* pixels, DWORD pixelBytes)
{
    BITMAPFILEHEADER file = {};
    BITMAPINFOHEADER info = {};
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + pixelBytes;
    FILE* out = std::fopen(path.c_str(), "wb");
    if (out == nullptr)
        return false;
    const bool written = std::fwrite(&file, sizeof file, 1, out) == 1 && std::fwrite(&info, sizeof info, 1, out) == 1 &&
                         std::fwrite(pixels, pixelBytes, 1, out) == 1;
    return std::fclose(out) == 0 && written;
}

// Memory in the driven process, for messages whose data must live there.
class RemoteBuffer {
public:
    RemoteBuffer(HANDLE process, SIZE_T size)
        : process_(process), address_(VirtualAllocEx(process, nullptr, size, MEM_COMMIT, PAGE_READWRITE)) {}
    ~RemoteBuffer() {
        if (address_ != nullptr)
            VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
    }
    RemoteBuffer(const RemoteBuffer&) = delete;
    RemoteBuffer& operator=(const RemoteBuffer&) = delete;
    char* address() const { return static_cast<char*>(address_); }
    bool write(SIZE_T offset, const void* data, SIZE_T size) const {
        return WriteProcessMemory(process_, address() + offset, data, size, nullptr) != 0;
    }
    bool read(SIZE_T offset, void* data, SIZE_T size) const {
        return ReadProcessMemory(process_, address() + offset, data, size, nullptr) != 0;
    }

private:
    HANDLE process_;
    void* address_;
};

int virtualKey(const std::string& name)
{
    if (name.size() >= 2 && (name[0] == 'F' || name[0] == 'f'))
        return VK_F1 + std::atoi(name.c_str() + 1) - 1;
    if (name == "Enter")
        return VK_RETURN;
    if (name == "Escape")
        return VK_ESCAPE;
    return 0;
}

}  // namespace

std::vector<std::string> splitCommandLine(const std::string& line)
{
    std::vector<std::string> words;
    std::string word;
    bool quoted = false, inWord = false;
    for (char c : line) {
        if (c == '"') {
            quoted = !quoted;
            inWord = true;
        } else if ((c == ' ' || c == '\t') && !quoted) {
            if (inWord)
                words.push_back(word);
            word.clear();
            inWord = false;
        } else {
            word += c;
            inWord = true;
        }
    }
    if (inWord)
        words.push_back(word);
    return words;
}

UiDriver::UiDriver() = default;

UiDriver::~UiDriver()
{
    if (process_.hProcess != nullptr) {
        CloseHandle(process_.hThread);
        CloseHandle(process_.hProcess);
    }
}

bool UiDriver::fail(const std::string& what) const
{
    std::printf("FAILED at step \"%s\": %s\n", step_.c_str(), what.c_str());
    std::fflush(stdout);
    return false;
}

bool UiDriver::run(const std::vector<std::string>& words)
{
    if (words.empty() || words[0][0] == '#')
        return true;
    step_.clear();
    for (const std::string& word : words)
        step_ += (step_.empty() ? "" : " ") + word;
    std::printf("step: %s\n", step_.c_str());
    std::fflush(stdout);

    const std::string& verb = words[0];
    const size_t count = words.size();
    if (verb == "start" && count >= 2)
        return start(words);
    if (verb == "wait-window" && count == 2)
        return waitWindow(words[1]);
    if (verb == "answer" && count == 4)
        return answerBox(words[1], words[2], words[3]);
    if (verb == "wait-box" && count == 1)
        return waitBox();
    if (verb == "open-file" && count == 3)
        return answerOpenDialog(words[1], words[2]);
    if (verb == "no-box" && count == 1)
        return expectNoBox();
    if (verb == "command" && count == 2)
        return sendCommand(std::atoi(words[1].c_str()));
    if (verb == "key" && count == 2)
        return sendKey(words[1]);
    if (verb == "close" && count == 1)
        return closeWindow();
    if (verb == "wait-exit" && count == 2)
        return waitExit(words[1]);
    if (verb == "rows" && count == 3)
        return listRows(std::atoi(words[1].c_str()), std::atoi(words[2].c_str()));
    if (verb == "cell" && count == 5)
        return listCell(std::atoi(words[1].c_str()), std::atoi(words[2].c_str()), std::atoi(words[3].c_str()), words[4]);
    if (verb == "dump" && count == 2)
        return listDump(std::atoi(words[1].c_str()));
    if (verb == "screenshot" && count == 2)
        return screenshot(words[1]);
    if (verb == "sleep" && count == 2) {
        Sleep(static_cast<DWORD>(std::atoi(words[1].c_str())));
        return true;
    }
    if (verb == "timeout" && count == 2) {
        timeout_ = static_cast<DWORD>(std::atoi(words[1].c_str()));
        return true;
    }
    return fail("unknown command or wrong number of words");
}

bool UiDriver::start(const std::vector<std::string>& words)
{
    std::string commandLine;
    for (size_t index = 1; index < words.size(); ++index)
        commandLine += (index > 1 ? " \"" : "\"") + words[index] + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process_))
        return fail("the program could not be started");
    WaitForInputIdle(process_.hProcess, 5000);
    return true;
}

bool UiDriver::waitWindow(const std::string& title)
{
    for (DWORD waited = 0; waited < timeout_; waited += 20) {
        ProcessWindowSearch search = {process_.dwProcessId, nullptr, title.c_str(), nullptr};
        EnumWindows(&matchProcessWindow, reinterpret_cast<LPARAM>(&search));
        if (search.found != nullptr) {
            mainWindow_ = search.found;
            std::printf("  window \"%s\" found\n", title.c_str());
            return true;
        }
        if (WaitForSingleObject(process_.hProcess, 0) == WAIT_OBJECT_0)
            return fail("the program ended before its window appeared");
        Sleep(20);
    }
    return fail("no window titled \"" + title + "\"");
}

HWND UiDriver::findMessageBox() const
{
    ProcessWindowSearch search = {process_.dwProcessId, messageBoxClass, nullptr, nullptr};
    EnumWindows(&matchProcessWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND UiDriver::waitForMessageBox() const
{
    HWND box = nullptr;
    for (DWORD waited = 0; waited < timeout_ && box == nullptr; waited += 20) {
        box = findMessageBox();
        if (box == nullptr)
            Sleep(20);
    }
    return box;
}

HWND UiDriver::waitForDialog(const char* title) const
{
    for (DWORD waited = 0; waited < timeout_; waited += 20) {
        ProcessWindowSearch search = {process_.dwProcessId, messageBoxClass, title, nullptr};
        EnumWindows(&matchProcessWindow, reinterpret_cast<LPARAM>(&search));
        if (search.found != nullptr)
            return search.found;
        Sleep(20);
    }
    return nullptr;
}

bool UiDriver::answerOpenDialog(const std::string& title, const std::string& path)
{
    HWND dialog = waitForDialog(title.c_str());
    if (dialog == nullptr)
        return fail("no dialog titled \"" + title + "\"");
    Sleep(300);
    // The file name box is the dialog's first visible edit control.
    HWND edit = nullptr;
    EnumChildWindows(dialog, &matchVisibleEdit, reinterpret_cast<LPARAM>(&edit));
    if (edit == nullptr)
        return fail("the dialog has no file name box");
    SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
    PostMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
    for (DWORD waited = 0; waited < timeout_ && IsWindow(dialog); waited += 20)
        Sleep(20);
    if (IsWindow(dialog))
        return fail("the dialog stayed open after \"" + path + "\"");
    return true;
}

bool UiDriver::waitBox()
{
    if (waitForMessageBox() == nullptr)
        return fail("no message box appeared");
    // Let it finish painting before anything looks at it.
    Sleep(200);
    return true;
}

bool UiDriver::answerBox(const std::string& caption, const std::string& textPart, const std::string& button)
{
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
    ButtonSearch search = {button, nullptr, ""};
    EnumChildWindows(box, &matchButton, reinterpret_cast<LPARAM>(&search));
    if (search.found == nullptr)
        return fail("the box has no button \"" + button + "\" (it has: " + search.all + ")");
    PostMessageA(search.found, BM_CLICK, 0, 0);
    for (DWORD waited = 0; waited < timeout_ && IsWindow(box); waited += 20)
        Sleep(20);
    return true;
}

bool UiDriver::expectNoBox()
{
    HWND box = findMessageBox();
    if (box != nullptr)
        return fail("a box is open: \"" + windowText(box) + "\": \"" + windowText(GetDlgItem(box, messageBoxTextId)) + "\"");
    return true;
}

bool UiDriver::sendCommand(int commandId)
{
    if (mainWindow_ == nullptr)
        return fail("no main window");
    // Posted: a command that opens a modal box would block a sent message.
    PostMessageA(mainWindow_, WM_COMMAND, MAKEWPARAM(commandId, 0), 0);
    Sleep(200);
    return true;
}

bool UiDriver::sendKey(const std::string& keyName)
{
    const int key = virtualKey(keyName);
    if (mainWindow_ == nullptr || key == 0)
        return fail("no main window or unknown key");
    PostMessageA(mainWindow_, WM_KEYDOWN, key, 1);
    PostMessageA(mainWindow_, WM_KEYUP, key, 0xC0000001);
    Sleep(200);
    return true;
}

bool UiDriver::closeWindow()
{
    if (mainWindow_ == nullptr)
        return fail("no main window");
    PostMessageA(mainWindow_, WM_CLOSE, 0, 0);
    return true;
}

bool UiDriver::waitExit(const std::string& expectedCode)
{
    if (process_.hProcess == nullptr)
        return fail("no program was started");
    if (WaitForSingleObject(process_.hProcess, timeout_) != WAIT_OBJECT_0)
        return fail("the program did not end");
    DWORD code = 0;
    GetExitCodeProcess(process_.hProcess, &code);
    const int seen = static_cast<int>(code);
    std::printf("  exit code %d\n", seen);
    if (expectedCode != "any" && seen != std::atoi(expectedCode.c_str()))
        return fail("the exit code is " + std::to_string(seen) + ", not " + expectedCode);
    return true;
}

HWND UiDriver::listControl(int controlId) const
{
    ListSearch search = {controlId, nullptr};
    EnumChildWindows(mainWindow_, &matchList, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool UiDriver::readListCell(HWND list, int row, int column, std::string* text) const
{
    const SIZE_T textCapacity = 1024;
    RemoteBuffer remote(process_.hProcess, sizeof(LVITEMA) + textCapacity);
    if (remote.address() == nullptr)
        return false;
    LVITEMA item = {};
    item.iSubItem = column;
    item.pszText = remote.address() + sizeof(LVITEMA);
    item.cchTextMax = static_cast<int>(textCapacity);
    if (!remote.write(0, &item, sizeof item))
        return false;
    SendMessageA(list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(remote.address()));
    char buffer[1024] = {};
    if (!remote.read(sizeof(LVITEMA), buffer, sizeof buffer - 1))
        return false;
    *text = buffer;
    return true;
}

bool UiDriver::listRows(int controlId, int expectedRows)
{
    HWND list = listControl(controlId);
    if (list == nullptr)
        return fail("no list " + std::to_string(controlId));
    const int rows = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    std::printf("  list %d has %d rows\n", controlId, rows);
    if (rows != expectedRows)
        return fail("list " + std::to_string(controlId) + " has " + std::to_string(rows) + " rows, not " +
                    std::to_string(expectedRows));
    return true;
}

bool UiDriver::listCell(int controlId, int row, int column, const std::string& expected)
{
    HWND list = listControl(controlId);
    std::string text;
    if (list == nullptr || !readListCell(list, row, column, &text))
        return fail("list " + std::to_string(controlId) + " cannot be read");
    std::printf("  row %d column %d: \"%s\"\n", row, column, text.c_str());
    if (text != expected)
        return fail("the cell holds \"" + text + "\", not \"" + expected + "\"");
    return true;
}

bool UiDriver::listDump(int controlId)
{
    HWND list = listControl(controlId);
    if (list == nullptr)
        return fail("no list " + std::to_string(controlId));
    const int rows = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    for (int row = 0; row < rows; ++row) {
        std::string line;
        for (int column = 0; column < 8; ++column) {
            std::string text;
            readListCell(list, row, column, &text);
            line += (column ? " | " : "") + text;
        }
        std::printf("  %3d: %s\n", row, line.c_str());
    }
    return true;
}

bool UiDriver::screenshot(const std::string& path)
{
    Sleep(300);
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    void* pixels = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
    bool written = false;
    if (bitmap != nullptr) {
        HGDIOBJ previous = SelectObject(memory, bitmap);
        BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY);
        GdiFlush();
        const DWORD stride = ((width * 3 + 3) / 4) * 4;
        written = writeBitmapFile(path, width, height, pixels, stride * height);
        SelectObject(memory, previous);
        DeleteObject(bitmap);
    }
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    if (!written)
        return fail("the screenshot could not be written to " + path);
    std::printf("  screenshot %s\n", path.c_str());
    return true;
}
