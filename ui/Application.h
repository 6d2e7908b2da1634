#pragma once
#include <windows.h>

#include "palm/PalmUserList.h"

class MainFrame;

// Process-wide values of the running program.
extern MainFrame* mainFrame;
extern HWND mainWindowHandle;
extern PalmUserList palmUserList;
// A contacts file chosen with File > Open; empty: the selected user's file.
extern char openedFilePath[MAX_PATH];

// The lowest Palm Desktop the program works with (3.5).
constexpr int MinimumPalmDesktopVersion = 30500;

// The start-up sequence up to and including the user list. False ends the
// program (after a message where the user needs one).
bool initialize();
// Rebuilds the user list; a library that cannot list its users is told.
bool loadPalmUsers();
// Releases everything, in order; safe after a failed or partial start.
void shutdown();
