// The demo data generator of the stand-ins: users.txt, each demo user's
// address\address.dat and a plain list of each user's contacts for the
// stand-in Palm Desktop, and outlook-contacts.txt for the stand-in Outlook.
#include "platform/ProgramFolder.h"
#include "testenv/demodata/DemoDataWriter.h"

#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

namespace {

void usage(FILE* out) {
    std::fprintf(out,
                 "usage: quillset_demodata [--palm-folder WINDOWS-PATH] OUTPUT-FOLDER\n"
                 "Writes OUTPUT-FOLDER/users.txt, OUTPUT-FOLDER/<user>/address/address.dat for each demo\n"
                 "user, OUTPUT-FOLDER/contacts-<user>.txt and the stand-in Outlook's contacts,\n"
                 "OUTPUT-FOLDER/outlook-contacts.txt, then reads every file back.\n"
                 "--palm-folder: the Palm Desktop folder the data will be installed in, which the\n"
                 "Palm Desktop 4 file names in its header (default %s).\n",
                 DefaultDemoPalmFolder);
}

}  // namespace

int main(int argc, char** argv) {
    std::string palmFolder = DefaultDemoPalmFolder;
    const char* output = nullptr;
    for (int index = 1; index < argc; ++index) {
        const std::string argument = argv[index];
        if (argument == "--help" || argument == "-h") {
            usage(stdout);
            return 0;
        }
        if (argument == "--palm-folder" && index + 1 < argc) {
            palmFolder = argv[++index];
        } else if (argument[0] != '-' && output == nullptr) {
            output = argv[index];
        } else {
            usage(stderr);
            return 2;
        }
    }
    if (output == nullptr) {
        usage(stderr);
        return 2;
    }
    // The address file objects take the name-swap setting from the program's
    // settings file; the demo data's own folder has none.
    std::error_code error;
    std::filesystem::create_directories(output, error);
    overrideProgramFolder((std::filesystem::absolute(output) / "").string());
    return writeDemoData(output, palmFolder, stdout) ? 0 : 1;
}
