#include "sync/ContactNames.h"

namespace {

bool hasText(const char* text) { return text != nullptr && *text != '\0'; }

}  // namespace

std::string contactNames(const char* firstName, const char* lastName, const char* company, const char* email) {
    std::string names;
    for (const char* part : {firstName, lastName}) {
        if (!hasText(part))
            continue;
        if (!names.empty())
            names += ' ';
        names += part;
    }
    if (hasText(company))
        names = names.empty() ? std::string(company) : names + " (" + company + ")";
    if (names.empty())
        names = hasText(email) ? email : "(no name)";
    return names;
}
