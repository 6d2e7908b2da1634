// The settings file: every key the program reads gives a terminated text that
// fits its buffer, a shorter buffer gives the same text cut, and a key written
// reads back while the other keys keep their values.
#include "fuzz/FuzzScratchFiles.h"
#include "palm/PalmDesktopInstallation.h"
#include "platform/ProgramFolder.h"
#include "platform/SettingsFile.h"

#include <cstring>
#include <string>
#include <vector>

namespace {

struct Key {
    const char* section;
    const char* key;
};

const Key programKeys[] = {
    {"Quillset", "LastUser"}, {"Quillset", "SwapName"}, {"Quillset", "ShowDiff"},
    {"Path", "PDPath"},       {"OlComm", "EnableLog"},
};

// The key's text through a buffer of each size, checked against the largest.
std::string readText(const Key& key, const std::string& path) {
    std::vector<char> whole(4096, 'z');
    const uint32_t length = settingsGetString(key.section, key.key, "<none>", whole.data(), 4096, path.c_str());
    FUZZ_CHECK(length < 4096 && whole[length] == '\0' && std::strlen(whole.data()) == length);
    const std::string text(whole.data(), length);
    for (uint32_t size : {1u, 2u, 30u, 261u}) {
        std::vector<char> buffer(size + 1, 'z');
        const uint32_t cut = settingsGetString(key.section, key.key, "<none>", buffer.data(), size, path.c_str());
        FUZZ_CHECK(cut < size && buffer[cut] == '\0' && buffer[size] == 'z');
        FUZZ_CHECK(text.compare(0, cut, buffer.data(), cut) == 0 && cut == std::min<size_t>(text.size(), size - 1));
    }
    return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static FuzzScratchFiles files;
    static const std::string path = files.named("tolvane.ini");
    overrideProgramFolder(files.folder());
    FuzzScratchFiles::write(path, data, size);

    std::vector<std::string> before;
    for (const Key& key : programKeys) {
        before.push_back(readText(key, path));
        settingsGetInt(key.section, key.key, -1, path.c_str());
    }
    char palmPath[kPalmPathCapacity];
    const int found = findPalmDesktopPath(palmPath, sizeof palmPath);
    FUZZ_CHECK(found != kPalmPathFound || std::strlen(palmPath) < sizeof palmPath);

    FUZZ_CHECK(settingsWriteString("Quillset", "LastUser", "1234", path.c_str()));
    FUZZ_CHECK(settingsGetInt("Quillset", "LastUser", -1, path.c_str()) == 1234);
    for (size_t index = 1; index < sizeof programKeys / sizeof programKeys[0]; ++index)
        FUZZ_CHECK(readText(programKeys[index], path) == before[index]);
    return 0;
}
