// holdfile [--after-window "<title>"] <path>: opens a file for reading and
// writing without sharing, as a running Palm Desktop holds its address file,
// prints "holding" and keeps it open until it is ended. With --after-window
// it first waits for a top-level window with that title and a second more,
// so a program can read the file before it is taken.
#include <windows.h>

#include <cstdio>
#include <cstring>

int main(int argumentCount, char** arguments) {
    const bool waitForWindow = argumentCount == 4 && std::strcmp(arguments[1], "--after-window") == 0;
    if (argumentCount != 2 && !waitForWindow) {
        std::fprintf(stderr, "usage: holdfile [--after-window \"<title>\"] <path>\n");
        return 2;
    }
    const char* path = arguments[argumentCount - 1];
    if (waitForWindow) {
        while (FindWindowA(nullptr, arguments[2]) == nullptr)
            Sleep(50);
        Sleep(1000);
    }
    HANDLE file =
        CreateFileA(path, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        std::fprintf(stderr, "holdfile: cannot open %s (error %lu)\n", path, GetLastError());
        return 1;
    }
    std::printf("holding\n");
    std::fflush(stdout);
    Sleep(INFINITE);
    CloseHandle(file);
    return 0;
}
