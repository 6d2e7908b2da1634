#pragma once
#include <string>

// A record's text (the Windows code page) as UTF-8.
std::string utf8Of(const char* text);
