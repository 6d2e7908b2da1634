#pragma once
#include <string>

// Single-byte ANSI text <-> UTF-16. On Windows the system's ANSI code page;
// elsewhere Windows-1252. Text that fits the code page survives a round trip.
std::u16string ansiToUtf16(const std::string& text);
// Characters the code page cannot hold become '?'.
std::string utf16ToAnsi(const std::u16string& text);
