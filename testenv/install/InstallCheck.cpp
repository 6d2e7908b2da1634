// installcheck: what the install scenario asks of Windows itself, which the
// UI driver does not do: where a Start menu shortcut points, whether a window
// of another program (the help viewer) appeared, a file's version.
//
//   installcheck shortcut-target <file.lnk>
//   installcheck wait-window <class> <milliseconds>
//   installcheck close-windows <class>
//   installcheck file-version <file>
//   installcheck press <title> <button text> <milliseconds>
//       presses a button of a window whose title starts with <title>, in any
//       program (the uninstaller runs as a copy of itself that the UI driver
//       did not start)
#include <windows.h>
#include <objbase.h>
#include <shlobj.h>
#include <tlhelp32.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

// COM for the lifetime of one command.
class ComScope {
public:
    ComScope() : ready_(SUCCEEDED(CoInitialize(nullptr))) {}
    ~ComScope() {
        if (ready_)
            CoUninitialize();
    }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;
    bool ready() const { return ready_; }

private:
    bool ready_;
};

template <typename Interface>
class ComReference {
public:
    ComReference() = default;
    ~ComReference() {
        if (pointer_ != nullptr)
            pointer_->Release();
    }
    ComReference(const ComReference&) = delete;
    ComReference& operator=(const ComReference&) = delete;
    Interface** out() { return &pointer_; }
    Interface* operator->() const { return pointer_; }
    explicit operator bool() const { return pointer_ != nullptr; }

private:
    Interface* pointer_ = nullptr;
};

int shortcutTarget(const char* shortcut) {
    ComScope com;
    if (!com.ready())
        return std::fprintf(stderr, "COM could not be started\n"), 1;
    ComReference<IShellLinkA> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void**>(link.out()))))
        return std::fprintf(stderr, "no shell link object\n"), 1;
    ComReference<IPersistFile> file;
    if (FAILED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(file.out()))))
        return std::fprintf(stderr, "the shell link cannot be loaded\n"), 1;
    wchar_t widePath[MAX_PATH] = {};
    if (MultiByteToWideChar(CP_ACP, 0, shortcut, -1, widePath, MAX_PATH) == 0 ||
        FAILED(file->Load(widePath, STGM_READ)))
        return std::fprintf(stderr, "%s cannot be read as a shortcut\n", shortcut), 1;
    char target[MAX_PATH] = {};
    if (FAILED(link->GetPath(target, MAX_PATH, nullptr, 0)) || target[0] == '\0')
        return std::fprintf(stderr, "%s names no target\n", shortcut), 1;
    std::printf("%s\n", target);
    return 0;
}

std::string processName(DWORD processId) {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return "?";
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    std::string name = "?";
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
        if (entry.th32ProcessID == processId) {
            name = entry.szExeFile;
            break;
        }
    }
    CloseHandle(snapshot);
    return name;
}

struct ClassSearch {
    const char* className;
    std::vector<HWND> found;
};

// Enumeration callbacks are stdcall on 32-bit Windows.
BOOL CALLBACK collectByClass(HWND window, LPARAM parameter) {
    ClassSearch* search = reinterpret_cast<ClassSearch*>(parameter);
    char name[256] = {};
    GetClassNameA(window, name, sizeof name);
    if (lstrcmpiA(name, search->className) == 0 && IsWindowVisible(window))
        search->found.push_back(window);
    return TRUE;
}

std::vector<HWND> windowsOfClass(const char* className) {
    ClassSearch search{className, {}};
    EnumWindows(collectByClass, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

int waitWindow(const char* className, const char* milliseconds) {
    const DWORD limit = static_cast<DWORD>(std::strtoul(milliseconds, nullptr, 10));
    const DWORD poll = 100;
    for (DWORD waited = 0; waited <= limit; waited += poll) {
        const std::vector<HWND> found = windowsOfClass(className);
        if (!found.empty()) {
            char title[512] = {};
            GetWindowTextA(found.front(), title, sizeof title);
            DWORD processId = 0;
            GetWindowThreadProcessId(found.front(), &processId);
            std::printf("window \"%s\" of %s\n", title, processName(processId).c_str());
            return 0;
        }
        Sleep(poll);
    }
    std::fprintf(stderr, "no window of class \"%s\" within %lu ms\n", className, static_cast<unsigned long>(limit));
    return 1;
}

int closeWindows(const char* className) {
    const std::vector<HWND> found = windowsOfClass(className);
    for (HWND window : found)
        PostMessageA(window, WM_CLOSE, 0, 0);
    std::printf("%u window(s) closed\n", static_cast<unsigned>(found.size()));
    return 0;
}

int fileVersion(const char* path) {
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(path, &ignored);
    if (size == 0)
        return std::fprintf(stderr, "%s has no version\n", path), 1;
    std::vector<char> block(size);
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (!GetFileVersionInfoA(path, 0, size, block.data()) ||
        !VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length) || length < sizeof *fixed)
        return std::fprintf(stderr, "%s: the version cannot be read\n", path), 1;
    std::printf("%lu.%lu.%lu.%lu\n", static_cast<unsigned long>(HIWORD(fixed->dwFileVersionMS)),
                static_cast<unsigned long>(LOWORD(fixed->dwFileVersionMS)),
                static_cast<unsigned long>(HIWORD(fixed->dwFileVersionLS)),
                static_cast<unsigned long>(LOWORD(fixed->dwFileVersionLS)));
    return 0;
}

std::string withoutAccelerators(const std::string& text) {
    std::string plain;
    for (char c : text) {
        if (c != '&')
            plain += c;
    }
    return plain;
}

struct ButtonSearch {
    std::string text;
    HWND found = nullptr;
};

BOOL CALLBACK findButton(HWND window, LPARAM parameter) {
    ButtonSearch* search = reinterpret_cast<ButtonSearch*>(parameter);
    char className[64] = {}, text[256] = {};
    GetClassNameA(window, className, sizeof className);
    GetWindowTextA(window, text, sizeof text);
    if (lstrcmpiA(className, "Button") == 0 && withoutAccelerators(text) == search->text && IsWindowVisible(window) &&
        IsWindowEnabled(window)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

struct TitledButtonSearch {
    std::string title;
    ButtonSearch button;
};

BOOL CALLBACK findTitledButton(HWND window, LPARAM parameter) {
    TitledButtonSearch* search = reinterpret_cast<TitledButtonSearch*>(parameter);
    char title[512] = {};
    GetWindowTextA(window, title, sizeof title);
    if (!IsWindowVisible(window) || std::string(title).compare(0, search->title.size(), search->title) != 0)
        return TRUE;
    EnumChildWindows(window, findButton, reinterpret_cast<LPARAM>(&search->button));
    return search->button.found == nullptr;
}

int press(const char* title, const char* buttonText, const char* milliseconds) {
    const DWORD limit = static_cast<DWORD>(std::strtoul(milliseconds, nullptr, 10));
    const DWORD poll = 100;
    for (DWORD waited = 0; waited <= limit; waited += poll) {
        TitledButtonSearch search;
        search.title = title;
        search.button.text = buttonText;
        EnumWindows(findTitledButton, reinterpret_cast<LPARAM>(&search));
        if (search.button.found != nullptr) {
            PostMessageA(search.button.found, BM_CLICK, 0, 0);
            std::printf("pressed \"%s\" in \"%s\"\n", buttonText, title);
            return 0;
        }
        Sleep(poll);
    }
    std::fprintf(stderr, "no button \"%s\" in a window \"%s\" within %lu ms\n", buttonText, title,
                 static_cast<unsigned long>(limit));
    return 1;
}

}  // namespace

int main(int argumentCount, char** arguments) {
    const std::string verb = argumentCount > 1 ? arguments[1] : "";
    if (verb == "shortcut-target" && argumentCount == 3)
        return shortcutTarget(arguments[2]);
    if (verb == "wait-window" && argumentCount == 4)
        return waitWindow(arguments[2], arguments[3]);
    if (verb == "close-windows" && argumentCount == 3)
        return closeWindows(arguments[2]);
    if (verb == "file-version" && argumentCount == 3)
        return fileVersion(arguments[2]);
    if (verb == "press" && argumentCount == 5)
        return press(arguments[2], arguments[3], arguments[4]);
    std::fprintf(stderr, "usage: installcheck shortcut-target <file.lnk> | wait-window <class> <ms> | "
                         "close-windows <class> | file-version <file> | press <title> <button> <ms>\n");
    return 2;
}
