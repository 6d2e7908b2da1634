#pragma once
#include <string>

// How a contact is named to the user in the report and in Undo's messages:
// "First Last (Company)", or what it has of them; the first e-mail address
// when it has no name at all. Any argument may be null.
std::string contactNames(const char* firstName, const char* lastName, const char* company, const char* email);
