#pragma once
#include <windows.h>

#include <string>
#include <vector>

// Drives the program from outside, as a person would: it starts it, finds
// its windows, answers its message boxes, sends its commands, reads its
// lists across the process boundary and takes pictures of the screen. Every
// step reports on standard output; a failed expectation names the step and
// what was seen.
class UiDriver {
public:
    UiDriver();
    ~UiDriver();
    UiDriver(const UiDriver&) = delete;
    UiDriver& operator=(const UiDriver&) = delete;

    // Runs one command line (words split as a shell would, with quotes).
    // False stops the script.
    bool run(const std::vector<std::string>& words);

    // How long waits last, in milliseconds.
    void setTimeout(DWORD milliseconds) { timeout_ = milliseconds; }

private:
    bool start(const std::vector<std::string>& words);
    bool waitWindow(const std::string& title);
    bool answerBox(const std::string& caption, const std::string& textPart, const std::string& button);
    bool expectNoBox();
    bool waitBox();
    bool answerOpenDialog(const std::string& title, const std::string& path);
    bool sendCommand(int commandId);
    bool sendKey(const std::string& keyName);
    bool closeWindow();
    bool waitExit(const std::string& expectedCode);
    bool listRows(int controlId, int expectedRows);
    bool listCell(int controlId, int row, int column, const std::string& expected);
    bool listDump(int controlId);
    bool screenshot(const std::string& path);

    HWND findMessageBox() const;
    HWND waitForMessageBox() const;
    HWND waitForDialog(const char* title) const;
    HWND listControl(int controlId) const;
    bool readListCell(HWND list, int row, int column, std::string* text) const;
    bool fail(const std::string& what) const;

    PROCESS_INFORMATION process_{};
    HWND mainWindow_ = nullptr;
    DWORD timeout_ = 15000;
    std::string step_;
};

// Splits a command line into words: blanks separate, double quotes group.
std::vector<std::string> splitCommandLine(const std::string& line);
