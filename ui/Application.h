#pragma once
#include <windows.h>

#include <string>

#include "palm/PalmUserList.h"

// The lowest Palm Desktop the program works with (3.5).
constexpr int MinimumPalmDesktopVersion = 30500;

// The start-up sequence up to the main window. False ends the program
// (after a message where the user needs one). refusal: where that message
// goes instead of a box, for a run without a window.
bool initialize(std::string* refusal = nullptr);
// Reads Palm Desktop's users; a library that cannot list them is told, in a
// box or in refusal.
bool loadPalmUsers(PalmUserList& users, std::string* refusal = nullptr);
// Releases everything, in order; safe after a failed or partial start.
void shutdown();
