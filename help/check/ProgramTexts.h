#pragma once
#include <string>
#include <vector>

// The texts the program shows, read from its own sources: the string
// literals of the C++ files and the menus, dialogs and string tables of the
// resource script.

struct SourceText {
    std::string text;  // escapes decoded; adjacent literals joined
    int line = 0;      // where it starts
};

// Every narrow string literal outside comments and #include lines.
// Literals separated only by blanks and comments are one text, as the
// compiler joins them.
std::vector<SourceText> stringLiterals(const std::string& cppSource);

// A sentence a person reads: at least three words and a final full stop,
// question mark or exclamation mark. Labels, names, paths and format
// fragments are not.
bool looksLikeMessage(const std::string& text);

// Whether `pageText` (blanks collapsed) holds the message, with any %d, %s
// and similar conversion standing for a word the help writes in its place
// (a "n", a name). Blanks in the message are collapsed, its ends trimmed.
bool containsMessage(const std::string& pageText, const std::string& message);

struct ResourceText {
    enum class Kind { Menu, DialogCaption, Control, String };
    Kind kind = Kind::Control;
    std::string text;    // as the user sees it: no '&', no "\tF1", no outer blanks
    std::string dialog;  // the dialog's resource name for captions and controls
    int line = 0;
};

std::vector<ResourceText> resourceTexts(const std::string& rcSource);

// "&Refresh\tF5" -> "Refresh"; "  Choose Action " -> "Choose Action".
std::string plainResourceText(const std::string& raw);
