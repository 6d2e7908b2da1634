#pragma once
#include <cstdio>
#include <string>

// The folder the demo data is meant for, as Windows names it.
extern const char DefaultDemoPalmFolder[];

// Writes outputFolder/users.txt, outputFolder/<user>/address/address.dat for
// each demo user, outputFolder/contacts-<user>.txt and the stand-in Outlook's
// contacts, outputFolder/outlook-contacts.txt, and reads every file back. palmFolder is the Windows path of the Palm Desktop
// folder the data will be installed in; the Palm Desktop 4 file names itself
// below it. Progress lines go to progress (none when null), faults to
// stderr. The name-swap setting of the program's settings file applies, so
// callers point the program's folder at one without that setting.
bool writeDemoData(const std::string& outputFolder, std::string palmFolder, FILE* progress);
