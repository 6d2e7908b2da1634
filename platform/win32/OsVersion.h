#pragma once

// The Windows version as a small code: 0-2 the 9x family (95, 98, Me),
// 3 NT 4, 4 Windows 2000, 5 XP, 6 anything from 5.2 on; -1 otherwise.
// Computed once.
int osVersionClass();

// The four parts of a file's version; all 0 and false without one.
bool getFileVersion(const char* path, int* major, int* minor, int* third, int* fourth);
