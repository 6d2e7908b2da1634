#pragma once
#include <windows.h>

// The class registered under "Outlook.Application" (scripts/install-outlook-standin),
// served in process by the DLL or by the local server program.
static const CLSID CLSID_StandInOutlook = {
    0xac338736, 0xbcdd, 0x4352, {0xaa, 0x18, 0x1e, 0x69, 0xb2, 0x81, 0x49, 0x89}};

// Shared memory the local server keeps the tick count (GetTickCount) of the
// last call it received in, one DWORD: the driver waits for a quiet moment
// before it judges a step done, since a program waiting for an answer from
// another process still answers sent messages.
static const char StandInActivityName[] = "QuillsetStandInOutlookActivity";
