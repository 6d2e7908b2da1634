#pragma once
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <string>
#include <vector>

// The words of one scenario line and the numbers and answers in them. No
// platform headers: the native tests read these too.

// Splits a line into words: blanks separate, double quotes group, and "" is
// an empty word.
inline std::vector<std::string> splitCommandLine(const std::string& line) {
    std::vector<std::string> words;
    std::string word;
    bool quoted = false, inWord = false;
    for (char c : line) {
        if (c == '"') {
            quoted = !quoted;
            inWord = true;
        } else if ((c == ' ' || c == '\t') && !quoted) {
            if (inWord)
                words.push_back(word);
            word.clear();
            inWord = false;
        } else {
            word += c;
            inWord = true;
        }
    }
    if (inWord)
        words.push_back(word);
    return words;
}

// A line that is blank or whose first word starts with '#'. A '#' later in
// a line is text: colours are written #rrggbb.
inline bool isCommentOrBlank(const std::vector<std::string>& words) {
    return words.empty() || (!words[0].empty() && words[0][0] == '#');
}

// A whole decimal number in int range, optionally negative; "12x", "" and
// "99999999999" are not numbers.
inline bool parseNumber(const std::string& word, int* value) {
    if (word.empty() || word.size() > 12)
        return false;
    char* end = nullptr;
    errno = 0;
    const long parsed = std::strtol(word.c_str(), &end, 10);
    if (end == nullptr || *end != '\0' || errno == ERANGE || parsed < INT_MIN || parsed > INT_MAX)
        return false;
    if (word[0] == '+' || word[0] == ' ')
        return false;
    *value = static_cast<int>(parsed);
    return true;
}

// "yes" or "no", as expectations write a state.
inline bool parseYesNo(const std::string& word, bool* value) {
    if (word == "yes") {
        *value = true;
        return true;
    }
    if (word == "no") {
        *value = false;
        return true;
    }
    return false;
}
