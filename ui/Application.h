#pragma once
#include <windows.h>

#include "palm/PalmUserList.h"

// The lowest Palm Desktop the program works with (3.5).
constexpr int MinimumPalmDesktopVersion = 30500;

// The start-up sequence up to the main window. False ends the program
// (after a message where the user needs one).
bool initialize();
// Reads Palm Desktop's users; a library that cannot list them is told.
bool loadPalmUsers(PalmUserList& users);
// Releases everything, in order; safe after a failed or partial start.
void shutdown();
