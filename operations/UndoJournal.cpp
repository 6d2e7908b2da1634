#include "operations/UndoJournal.h"

#include "platform/FileFingerprint.h"

#include <cstdio>
#include <cstring>
#include <sstream>

#include "platform/FileRewrite.h"
#include "platform/FileSystem.h"
#include "platform/ProgramFolder.h"

namespace {

constexpr char header[] = "QuillsetUndo 2";
// Before texts were kept whole: its property lines are image values, undone
// as they are.
constexpr char firstHeader[] = "QuillsetUndo 1";
constexpr char lastLine[] = "end";
// An address file or a journal beyond this is not read.
constexpr uint64_t largestFile = 512u * 1024u * 1024u;

const char hexDigits[] = "0123456789ABCDEF";

std::string hex(const std::string& bytes) {
    std::string out;
    out.reserve(bytes.size() * 2 + 1);
    for (unsigned char c : bytes) {
        out += hexDigits[c >> 4];
        out += hexDigits[c & 15];
    }
    // A marker, so an empty text is still a word of the line.
    return "x" + out;
}

std::string hex(const std::vector<uint8_t>& bytes) { return hex(std::string(bytes.begin(), bytes.end())); }

// UTF-16 units, low byte first.
std::string hex(const std::u16string& text) {
    std::string bytes;
    bytes.reserve(text.size() * 2);
    for (char16_t unit : text) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    return hex(bytes);
}

int hexValue(char c) {
    const char* at = std::strchr(hexDigits, c);
    return c != '\0' && at != nullptr ? static_cast<int>(at - hexDigits) : -1;
}

bool unhex(const std::string& word, std::string* bytes) {

    if (word.empty() || word[0] != 'x' || word.size() % 2 != 1)
        return false;
    bytes->clear();
    for (size_t at = 1; at < word.size(); at += 2) {
        const int high = hexValue(word[at]);
        const int low = hexValue(word[at + 1]);
        if (high < 0 || low < 0)
            return false;
        bytes->push_back(static_cast<char>(high * 16 + low));
    }
    return true;
}

std::string bitsOf(double value) {
    uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    char text[24];
    std::snprintf(text, sizeof text, "%016llX", static_cast<unsigned long long>(bits));
    return text;
}

bool parseNumber(const std::string& word, int base, uint64_t* value) {
    if (word.empty() || word.size() > 20)
        return false;
    uint64_t result = 0;
    for (char c : word) {
        const int digit = hexValue(c);
        if (digit < 0 || digit >= base)
            return false;
        const uint64_t next = result * static_cast<uint64_t>(base) + static_cast<uint64_t>(digit);
        if (next / static_cast<uint64_t>(base) != result)
            return false;
        result = next;
    }
    *value = result;
    return true;
}

bool parseDouble(const std::string& word, double* value) {
    uint64_t bits = 0;
    if (word.size() != 16 || !parseNumber(word, 16, &bits))
        return false;
    std::memcpy(value, &bits, sizeof bits);
    return true;
}

bool parseInt(const std::string& word, int limit, int* value) {
    uint64_t number = 0;
    if (!parseNumber(word, 10, &number) || number > static_cast<uint64_t>(limit))
        return false;
    *value = static_cast<int>(number);
    return true;
}

bool unhexText(const std::string& word, std::u16string* text) {
    std::string bytes;
    // The length is checked before anything is decoded.
    if (word.size() > 1 + 4 * LongestKeptText || !unhex(word, &bytes) || bytes.size() % 2 != 0)
        return false;
    text->clear();
    for (size_t at = 0; at < bytes.size(); at += 2)
        text->push_back(static_cast<char16_t>(static_cast<unsigned char>(bytes[at]) |
                                              static_cast<unsigned char>(bytes[at + 1]) << 8));
    return true;
}

std::vector<std::string> wordsOf(const std::string& line) {
    std::vector<std::string> words;
    std::istringstream stream(line);
    std::string word;
    while (stream >> word)
        words.push_back(word);
    return words;
}

std::string journalPath() { return programFilePath(UndoJournal::fileName); }

}  // namespace

void UndoJournal::keepPalmSideOf(const UndoJournal& other) {
    addressFile = other.addressFile;
    backupFile = other.backupFile;
    fileSize = other.fileSize;
    fileDigest = other.fileDigest;
    palmNames = other.palmNames;
}

std::string UndoJournal::headText() const {
    char stamp[64];
    std::snprintf(stamp, sizeof stamp, "when %d %d %d %d %d %d\n", when.year, when.month, when.day, when.hour,
                  when.minute, when.second);
    return std::string(header) + "\n" + "operation " + hex(operation) + "\n" + stamp;
}

std::string UndoJournal::palmText() const {
    if (!hasPalmSide())
        return std::string();
    char numbers[64];
    std::snprintf(numbers, sizeof numbers, " %llu %016llX", static_cast<unsigned long long>(fileSize),
                  static_cast<unsigned long long>(fileDigest));
    std::string out = "palm " + hex(addressFile) + " " + hex(backupFile) + numbers + "\n";
    for (const std::string& names : palmNames)
        out += "palm-record " + hex(names) + "\n";
    return out;
}

std::string UndoJournal::changeText(const OutlookContactChange& change) {
    const char* kind = change.kind == OutlookContactChange::Kind::Added ? "added" : "overwritten";
    // Without its id or time only the names are kept: nothing to restore by.
    if (!change.reachable)
        return std::string("outlook ") + kind + " unreachable " + hex(change.names) + "\n";
    std::string out = std::string("outlook ") + kind + " " + hex(change.entryId) + " " + bitsOf(change.modifiedAfter) +
                      " " + hex(change.names) + "\n";
    for (const OutlookPropertyValue& value : change.previous)
        out += (value.whole ? "text " : "property ") + std::to_string(value.row) + " " +
               (value.whole ? hex(value.text) : hex(value.bytes)) + "\n";
    return out;
}

std::string UndoJournal::endText() { return std::string(lastLine) + "\n"; }

std::string UndoJournal::text() const {
    std::string out = headText();
    for (const OutlookContactChange& change : outlook)
        out += changeText(change);
    // A run ended half-way stays one when what is left of it is kept.
    return out + palmText() + (interrupted ? std::string() : endText());
}

bool UndoJournal::parse(const std::string& text) {
    // Nothing of a journal that cannot be read whole is used.
    if (parseLines(text)) {
        std::vector<OutlookContactChange> changes = std::move(outlook);
        outlook.clear();
        for (OutlookContactChange& change : changes)
            noteContactChange(outlook, std::move(change));
        return true;
    }
    *this = UndoJournal();
    return false;
}

bool UndoJournal::parseLines(const std::string& text) {
    *this = UndoJournal();
    std::istringstream lines(text);
    std::string line;
    if (!std::getline(lines, line) || (line != header && line != firstHeader))
        return false;
    const bool wholeTexts = line == header;
    // An interrupted run ends after a whole line; one cut inside a line is
    // damaged.
    if (text.empty() || text.back() != '\n')
        return false;
    bool ended = false;
    bool timed = false;
    while (std::getline(lines, line)) {
        const std::vector<std::string> words = wordsOf(line);
        if (ended || words.empty())
            return false;
        const std::string& key = words[0];
        std::string first;
        if (key == lastLine && words.size() == 1) {
            ended = true;
        } else if (key == "operation" && words.size() == 2) {
            if (!unhex(words[1], &operation))
                return false;
        } else if (key == "when" && words.size() == 7) {
            timed = true;
            int* parts[] = {&when.year, &when.month, &when.day, &when.hour, &when.minute, &when.second};
            for (size_t index = 0; index < 6; ++index) {
                if (!parseInt(words[index + 1], 9999, parts[index]))
                    return false;
            }
        } else if (key == "palm" && words.size() == 5 && !hasPalmSide()) {
            if (!unhex(words[1], &addressFile) || !unhex(words[2], &backupFile) || addressFile.empty() ||
                backupFile.empty() || !parseNumber(words[3], 10, &fileSize) || words[4].size() != 16 ||
                !parseNumber(words[4], 16, &fileDigest))
                return false;
        } else if (key == "palm-record" && words.size() == 2 && hasPalmSide()) {
            if (!unhex(words[1], &first))
                return false;
            palmNames.push_back(first);
        } else if (key == "outlook" && words.size() == 5 && (words[1] == "added" || words[1] == "overwritten")) {
            OutlookContactChange change;
            change.kind =
                words[1] == "added" ? OutlookContactChange::Kind::Added : OutlookContactChange::Kind::Overwritten;
            if (!unhex(words[2], &change.entryId) || !parseDouble(words[3], &change.modifiedAfter) ||
                !unhex(words[4], &change.names))
                return false;
            outlook.push_back(std::move(change));
        } else if (key == "outlook" && words.size() == 4 && words[2] == "unreachable" &&
                   (words[1] == "added" || words[1] == "overwritten")) {
            OutlookContactChange change;
            change.kind =
                words[1] == "added" ? OutlookContactChange::Kind::Added : OutlookContactChange::Kind::Overwritten;
            change.reachable = false;
            if (!unhex(words[3], &change.names))
                return false;
            outlook.push_back(std::move(change));
        } else if (key == "property" && words.size() == 3 && !outlook.empty() &&
                   outlook.back().kind == OutlookContactChange::Kind::Overwritten && outlook.back().reachable) {
            int row = 0;
            if (!parseInt(words[1], ContactImageRowCount - 1, &row) || !unhex(words[2], &first))
                return false;
            OutlookPropertyValue value;
            value.row = static_cast<uint16_t>(row);
            value.bytes.assign(first.begin(), first.end());
            if (!fitsItsRow(value))
                return false;
            outlook.back().previous.push_back(std::move(value));
        } else if (key == "text" && wholeTexts && words.size() == 3 && !outlook.empty() &&
                   outlook.back().kind == OutlookContactChange::Kind::Overwritten && outlook.back().reachable) {
            int row = 0;
            std::u16string text;
            OutlookPropertyValue value;
            if (!parseInt(words[1], ContactImageRowCount - 1, &row) || !unhexText(words[2], &text) ||
                !wholeText(static_cast<uint16_t>(row), text, &value))
                return false;
            outlook.back().previous.push_back(std::move(value));
        } else {
            return false;
        }
    }
    // The head is what a run writes first; cut before it nothing is known.
    if (!ended && (operation.empty() || !timed))
        return false;
    interrupted = !ended;
    return true;
}

bool UndoJournal::save() const {
    const std::string content = text();
    return rewriteWholeFile(journalPath(), FileRewrite::Target::MayBeNew, content.data(),
                            static_cast<uint32_t>(content.size()));
}

bool UndoJournal::load() {
    *this = UndoJournal();
    std::string content;
    if (!isPlainFile(journalPath()) || !readWholeFileInto(journalPath(), content, largestFile))
        return false;
    return parse(content);
}

bool UndoJournal::remove() { return !isPlainFile(journalPath()) || removeFile(journalPath()); }

bool UndoJournal::canBeWritten() {
    const std::string trial = FileRewrite::temporaryPathFor(journalPath());
    PlatformFile file;
    if (!file.open(trial.c_str(), PlatformFile::Access::Write, PlatformFile::Disposition::CreateAlways))
        return false;
    // A byte too, for a full disk.
    const bool written = file.write("\n", 1);
    file.close();
    removeFile(trial);
    return written;
}

bool UndoJournal::available() {
    UndoJournal journal;
    return journal.load() && !journal.empty();
}

bool fileFingerprint(const std::string& path, uint64_t* size, uint64_t* digest) {
    std::string bytes;
    if (!readWholeFileInto(path, bytes, largestFile))
        return false;
    *size = bytes.size();
    *digest = digestOfBytes(bytes);
    return true;
}
