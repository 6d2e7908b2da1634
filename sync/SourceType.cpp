#include "sync/SourceType.h"

static const char* const sourceTypeNames[SourceTypeLast] = {
    "Palm",    "Palm(4.1.2 and aboves)",
    "Outlook", "Windows Address Book",
    "MSN",     "ICQ",
    "Yahoo",   "Google",
    "Domino",  "Endora",
    "CSV",     "XML",
    "VCard",   "Database",
    "Tolcard",
};

const char* sourceTypeName(int32_t sourceType) {
    if (sourceType < 1 || sourceType > SourceTypeLast)
        return nullptr;
    return sourceTypeNames[sourceType - 1];
}
