#include "ui/UnattendedMain.h"

#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <string>
#include <vector>

#include "config/Settings.h"
#include "palm/PalmDesktopInstallation.h"
#include "session/UnattendedRun.h"
#include "ui/Application.h"

namespace {

const char usage[] = "usage: quillset.exe /synchronize-all [/rule palm|outlook|leave] [/user NAME] [/report PATH]";

std::string ansiOf(const wchar_t* wide) {
    const int size = WideCharToMultiByte(CP_ACP, 0, wide, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 1)
        return std::string();
    std::string text(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide, -1, &text[0], size, nullptr, nullptr);
    text.resize(static_cast<size_t>(size - 1));
    return text;
}

// The arguments after the program's own name.
std::vector<std::string> commandLineArguments() {
    std::vector<std::string> arguments;
    int count = 0;
    LPWSTR* words = CommandLineToArgvW(GetCommandLineW(), &count);
    if (words == nullptr)
        return arguments;
    for (int index = 1; index < count; ++index)
        arguments.push_back(ansiOf(words[index]));
    LocalFree(words);
    return arguments;
}

// Where output was sent (a redirection, a pipe), else the console the run
// was started from; a scheduled task has neither, and then only the report
// tells.
void printToParentConsole(const std::string& line) {
    const std::string text = line + "\r\n";
    HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
    DWORD written = 0;
    if (output != nullptr && output != INVALID_HANDLE_VALUE && GetFileType(output) != FILE_TYPE_UNKNOWN &&
        WriteFile(output, text.data(), static_cast<DWORD>(text.size()), &written, nullptr))
        return;
    if (!AttachConsole(ATTACH_PARENT_PROCESS))
        return;
    FILE* console = std::fopen("CONOUT$", "w");
    if (console == nullptr)
        return;
    std::fprintf(console, "%s\n", line.c_str());
    std::fclose(console);
}

int finish(const UnattendedOutcome& outcome, const UnattendedRequest& request, size_t logSizeBefore) {
    std::string line = outcome.summary;
    if (!request.reportPath.empty() && !writeUnattendedReport(request.reportPath, outcome, logSizeBefore))
        line += " (the report could not be written to " + request.reportPath + ")";
    printToParentConsole(line);
    return static_cast<int>(outcome.exit);
}

UnattendedOutcome synchronizeAll(const UnattendedRequest& request) {
    std::string refusal;
    PalmUserList users;
    if (!initialize(&refusal) || !loadPalmUsers(users, &refusal))
        return refusedStart(refusal.empty() ? "Quillset could not start." : refusal);
    // Settings are read for the rule and the last user, never saved.
    Settings settings;
    settings.load();
    ContactSession session(std::move(users), getPalmDesktopVersion(), readSwapNameSetting(), settings);
    return runUnattended(session, request);
}

}  // namespace

bool runFromCommandLine(int* exitCode) {
    UnattendedRequest request;
    std::string problem;
    switch (parseCommandLine(commandLineArguments(), &request, &problem)) {
    case CommandLineKind::Window: return false;
    case CommandLineKind::Bad:
        printToParentConsole("Quillset: " + problem + "\n" + usage);
        *exitCode = static_cast<int>(UnattendedExit::BadArguments);
        return true;
    case CommandLineKind::Unattended: break;
    }
    const size_t logSizeBefore = synchronizationLogSize();
    const UnattendedOutcome outcome = synchronizeAll(request);
    *exitCode = finish(outcome, request, logSizeBefore);
    shutdown();
    return true;
}
