#include "UsersFile.h"

#include <string.h>

/* A piece of the file: [begin, end). */
typedef struct Span {
    const char* begin;
    const char* end;
} Span;

static int isBlank(char c) { return c == ' ' || c == '\t'; }

static Span trim(Span span) {
    while (span.begin < span.end && isBlank(*span.begin)) ++span.begin;
    while (span.end > span.begin && isBlank(span.end[-1])) --span.end;
    return span;
}

static size_t spanLength(Span span) { return (size_t)(span.end - span.begin); }

static const char* findChar(Span span, char c) {
    const char* p;
    for (p = span.begin; p < span.end; ++p) {
        if (*p == c) return p;
    }
    return 0;
}

static int spanEquals(Span span, const char* word) {
    const size_t length = strlen(word);
    return spanLength(span) == length && memcmp(span.begin, word, length) == 0;
}

/* Cut to capacity - 1, always terminated. */
static void copySpan(char* field, size_t capacity, Span span) {
    size_t length = spanLength(span);
    if (length > capacity - 1) length = capacity - 1;
    memcpy(field, span.begin, length);
    memset(field + length, 0, capacity - length);
}

/* Decimal digits only, at most 0xFFFFFFFF. */
static int parseId(Span span, uint32_t* id) {
    const char* p;
    uint32_t value = 0;
    if (span.begin == span.end) return 0;
    for (p = span.begin; p < span.end; ++p) {
        const unsigned digit = (unsigned)(*p - '0');
        if (digit > 9) return 0;
        if (value > (0xFFFFFFFFu - digit) / 10u) return 0;
        value = value * 10u + digit;
    }
    *id = value;
    return 1;
}

/* An optional sign and decimal digits; refused beyond +-1000000000 so that
   no arithmetic on it can overflow. */
static int parseNumber(Span span, long* number) {
    const char* p = span.begin;
    int negative = 0;
    long value = 0;
    if (p < span.end && (*p == '-' || *p == '+')) {
        negative = *p == '-';
        ++p;
    }
    if (p == span.end) return 0;
    for (; p < span.end; ++p) {
        const unsigned digit = (unsigned)(*p - '0');
        if (digit > 9) return 0;
        value = value * 10 + (long)digit;
        if (value > 1000000000L) return 0;
    }
    *number = negative ? -value : value;
    return 1;
}

static void parseUser(StandInUsers* users, Span line, const char* firstBar) {
    Span idSpan, nameSpan, directorySpan, rest;
    const char* secondBar;
    StandInUser* user;
    uint32_t id;

    rest.begin = firstBar + 1;
    rest.end = line.end;
    secondBar = findChar(rest, '|');
    if (secondBar == 0) return;
    directorySpan.begin = secondBar + 1;
    directorySpan.end = line.end;
    if (findChar(directorySpan, '|') != 0) return;

    idSpan.begin = line.begin;
    idSpan.end = firstBar;
    nameSpan.begin = firstBar + 1;
    nameSpan.end = secondBar;
    if (!parseId(trim(idSpan), &id)) return;
    if (users->userCount >= QS_STANDIN_MAX_USERS) return;

    user = &users->users[users->userCount++];
    user->id = id;
    copySpan(user->name, sizeof user->name, trim(nameSpan));
    copySpan(user->directory, sizeof user->directory, trim(directorySpan));
}

static void parseSwitch(StandInUsers* users, Span line, const char* equals) {
    Span key, value;
    long number = 0;
    key.begin = line.begin;
    key.end = equals;
    key = trim(key);
    value.begin = equals + 1;
    value.end = line.end;
    value = trim(value);

    if (spanEquals(key, "root")) {
        users->hasRoot = 1;
        copySpan(users->root, sizeof users->root, value);
        return;
    }
    if (!parseNumber(value, &number)) return;
    if (spanEquals(key, "count")) {
        if (number < -32768) number = -32768;
        if (number > 32767) number = 32767;
        users->hasCount = 1;
        users->count = (short)number;
    } else if (spanEquals(key, "namelength")) {
        if (number >= 0 && number <= QS_STANDIN_MAX_ANSWER_LENGTH) users->nameLength = number;
    } else if (spanEquals(key, "dirlength")) {
        if (number >= 0 && number <= QS_STANDIN_MAX_ANSWER_LENGTH) users->directoryLength = number;
    } else if (spanEquals(key, "rootfails")) {
        users->rootFails = number != 0;
    }
}

static void parseLine(StandInUsers* users, Span line) {
    const char* bar;
    const char* equals;
    if (line.end > line.begin && line.end[-1] == '\r') --line.end;
    line = trim(line);
    if (line.begin == line.end || *line.begin == '#') return;
    bar = findChar(line, '|');
    if (bar != 0) {
        parseUser(users, line, bar);
        return;
    }
    equals = findChar(line, '=');
    if (equals != 0) parseSwitch(users, line, equals);
}

void standInUsersInit(StandInUsers* users) {
    memset(users, 0, sizeof *users);
    users->nameLength = QS_STANDIN_NATURAL_LENGTH;
    users->directoryLength = QS_STANDIN_NATURAL_LENGTH;
}

void standInUsersParse(StandInUsers* users, const char* text, size_t length) {
    Span line;
    const char* end;
    standInUsersInit(users);
    if (text == 0) return;
    if (length > QS_STANDIN_MAX_FILE_SIZE) length = QS_STANDIN_MAX_FILE_SIZE;
    end = text + length;
    line.begin = text;
    while (line.begin < end) {
        Span rest;
        const char* newline;
        rest.begin = line.begin;
        rest.end = end;
        newline = findChar(rest, '\n');
        line.end = newline != 0 ? newline : end;
        parseLine(users, line);
        line.begin = line.end + (newline != 0 ? 1 : 0);
    }
}

short standInUserCount(const StandInUsers* users) {
    return users->hasCount ? users->count : (short)users->userCount;
}

const StandInUser* standInUserAt(const StandInUsers* users, long index) {
    if (index < 0 || index >= users->userCount) return 0;
    return &users->users[index];
}

const StandInUser* standInFindUser(const StandInUsers* users, uint32_t id) {
    int index;
    for (index = 0; index < users->userCount; ++index) {
        if (users->users[index].id == id) return &users->users[index];
    }
    return 0;
}

long standInCopyAnswer(const char* text, long wantedLength, char* buffer, const short* size) {
    size_t textLength, length, capacity, written, i;
    if (buffer == 0 || size == 0 || *size < 1) return -1;
    if (text == 0) text = "";
    textLength = strlen(text);
    if (wantedLength < 0)
        length = textLength;
    else if (wantedLength > QS_STANDIN_MAX_ANSWER_LENGTH)
        length = QS_STANDIN_MAX_ANSWER_LENGTH;
    else
        length = (size_t)wantedLength;

    capacity = (size_t)*size;
    written = length < capacity - 1 ? length : capacity - 1;
    /* Past the text, each position shows its own index modulo 10, so a test
       can tell exactly where an answer was cut. */
    for (i = 0; i < written; ++i) buffer[i] = i < textLength ? text[i] : (char)('0' + i % 10);
    buffer[written] = '\0';
    return written == length ? 0 : -2;
}
