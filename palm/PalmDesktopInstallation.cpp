#include "palm/PalmDesktopInstallation.h"

#include "platform/FileVersion.h"
#include "platform/ProgramFolder.h"
#include "platform/Registry.h"
#include "platform/SettingsFile.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

// ---- directory and version

static const char kPalmRegistryKey[] = "Software\\U.S. Robotics\\Pilot Desktop\\Core";
static const char kPalmRegistryValue[] = "DesktopPath";
// Bounds the probe that tells a setting that fits from one that was cut.
static const uint32_t kLongestPathSetting = 32768;

static const int kPathSettingEmpty = 1;

// kPalmPathFound when the setting was copied, kPathSettingEmpty, or
// kPalmPathTooLong when it does not fit: a cut path would name another
// directory.
static int readPathSetting(char* buffer, uint32_t size) {
    const uint32_t probeSize = std::min(size, kLongestPathSetting) + 1;
    std::vector<char> probe(probeSize, '\0');
    const std::string iniPath = settingsFilePath();
    const uint32_t length = settingsGetString("Path", "PDPath", "", probe.data(), probeSize, iniPath.c_str());
    if (length == 0)
        return kPathSettingEmpty;
    if (length >= size)
        return kPalmPathTooLong;
    std::memcpy(buffer, probe.data(), length);
    buffer[length] = '\0';
    return kPalmPathFound;
}

int findPalmDesktopPath(char* buffer, uint32_t size) {
    if (buffer == nullptr || size == 0)
        return kPalmPathNoBuffer;
    buffer[0] = '\0';
    const int setting = readPathSetting(buffer, size);
    if (setting != kPathSettingEmpty)
        return setting;

    switch (readCurrentUserString(kPalmRegistryKey, kPalmRegistryValue, buffer, size)) {
    case RegistryReadResult::Found: return kPalmPathFound;
    case RegistryReadResult::TooLong: buffer[0] = '\0'; return kPalmPathTooLong;
    case RegistryReadResult::NotFound: break;
    }
    buffer[0] = '\0';
    return kPalmPathNotFound;
}

int getPalmDesktopVersion() {
    char path[kPalmPathCapacity];
    if (findPalmDesktopPath(path, sizeof path) != kPalmPathFound)
        return -1;
    const std::string program = std::string(path) + "\\palm.exe";
    if (program.size() >= kPalmPathCapacity)
        return -1;

    FileVersion version;
    if (!readFileVersion(program.c_str(), &version))
        return -1;
    const int major = static_cast<int>(version.mostSignificant >> 16);
    const int minor = static_cast<int>(version.mostSignificant & 0xFFFF);
    const int third = static_cast<int>(version.leastSignificant >> 16);
    return major * 10000 + minor * 100 + third;
}

// ---- libraries

static const char* const kConduitManagerEntries[] = {
    "CmGetLibVersion",
    "CmConvertCreatorIDToString",
    "CmConvertStringToCreatorID",
    "CmGetConduitCount",
    "CmGetCreatorIDList",
    "CmGetConduitCreatorID",
    "CmGetConduitByCreator",
    "CmInstallConduit",
    "CmInstallCreator",
    "CmRemoveConduitByCreatorID",
    "CmSetCreatorPriority",
    "CmGetCreatorPriority",
    "CmSetCreatorName",
    "CmGetCreatorName",
    "CmSetCreatorDirectory",
    "CmGetCreatorDirectory",
    "CmSetCreatorRemote",
    "CmGetCreatorRemote",
    "CmSetCreatorUser",
    "CmGetCreatorUser",
    "CmSetCreatorTitle",
    "CmGetCreatorTitle",
    "CmSetCreatorInfo",
    "CmGetCreatorInfo",
    "CmSetCreatorFile",
    "CmGetCreatorFile",
    "CmGetCreatorType",
    "CmSetCreatorIntegrate",
    "CmGetCreatorIntegrate",
    "CmSetCreatorModule",
    "CmGetCreatorModule",
    "CmSetCreatorArgument",
    "CmGetCreatorArgument",
    "CmSetComPort",
    "CmGetComPort",
    "CmSetBackupConduit",
    "CmGetBackupConduit",
    "CmSetNotifierDll",
    "CmGetNotifierDll",
    "CmSetPCIdentifier",
    "CmGetPCIdentifier",
    "CmGetCorePath",
    "CmSetCorePath",
    "CmGetHotSyncExecPath",
    "CmSetHotSyncExecPath",
    "CmSetCreatorValueDword",
    "CmGetCreatorValueDword",
    "CmSetCreatorValueString",
    "CmGetCreatorValueString",
    "CmRestoreHotSyncSettings",
};

static const char* const kUserDataEntries[] = {
    "UmGetLibVersion",
    "UmGetUserCount",
    "UmGetUserID",
    "UmGetUserName",
    "UmGetUserDirectory",
    "UmGetUserPassword",
    "UmIsUserInstalled",
    "UmIsUserProfile",
    "UmSetUserName",
    "UmSetUserDirectory",
    "UmSetUserInstall",
    "UmSetUserPermSyncPreferences",
    "UmSetUserTempSyncPreferences",
    "UmGetUserPermSyncPreferences",
    "UmGetUserTempSyncPreferences",
    "UmRemoveUserTempSyncPreferences",
    "UmDeleteUserPermSyncPreferences",
    "UmDeleteUserTempSyncPreferences",
    "UmAddUser",
    "UmDeleteUser",
    "UmGetRootDirectory",
    "UmIsInstallMaskSet",
    "UmClearInstallMask",
    "UmSetInstallMask",
    "UmGetString",
    "UmSetString",
    "UmGetInteger",
    "UmSetInteger",
    "UmDeleteKey",
    "UmGetIDFromPath",
    "UmGetIDFromName",
    "UmSlotGetExpMgrVersion",
    "UmSlotGetSlotCount",
    "UmSlotGetInfo",
    "UmSlotGetMediaType",
    "UmSlotGetDisplayName",
    "UmSlotGetInstallDirectory",
};

static const char* const kHotSyncApiEntries[] = {
    "HsGetApiVersion", "HsGetSyncStatus",   "HsCheckApiStatus",     "HsDisplayCustomDlg",
    "HsDisplayLog",    "HsDisplayFileLink", "HsResetComm",          "HsSetCommStatus",
    "HsGetCommStatus", "HsSetAppStatus",    "HsRefreshConduitInfo",
};

// "PlmGetLibVesion" is spelled as the library exports it.
static const char* const kInstallAideEntries[] = {
    "PlmGetLibVesion",
    "PltGetUserCount",
    "PltGetUser",
    "PltInstallFile",
    "PltGetFileCount",
    "PltGetFileName",
    "PltGetFileInfo",
    "PltRemoveInstallFile",
    "PltGetPath",
    "PltSetPath",
    "PltGetInstallFileFilter",
    "PltGetFileTypesCount",
    "PltGetFileTypeExtension",
    "PltGetInstallConduitCount",
    "PltGetInstallConduitInfo",
    "PltIsInstallMaskSet",
    "PltResetInstallMask",
    "PltGetInstallCreatorInfo",
    "PltSetInstallRegistry",
    "PltGetRegistryPath",
    "PltGetUserDirectory",
    "PltIsUserProfile",
    "PlmGetUserNameFromID",
    "PlmGetUserIDFromName",
    "PltInstallFileToDest",
    "PltGetInstallFileFilterForUser",
    "PlmSlotGetFileCount",
    "PlmSlotGetFileInfo",
    "PlmSlotInstallFile",
    "PlmSlotRemoveInstallFile",
    "PlmSlotMoveInstallFile",
    "PlmMoveInstallFileToSlot",
    "PlmMoveInstallFileToHandheld",
};

static_assert(sizeof kConduitManagerEntries / sizeof *kConduitManagerEntries == 50, "condmgr.dll entry points");
static_assert(sizeof kUserDataEntries / sizeof *kUserDataEntries == 37, "UserData.dll entry points");
static_assert(sizeof kHotSyncApiEntries / sizeof *kHotSyncApiEntries == 11, "HSAPI.DLL entry points");
static_assert(sizeof kInstallAideEntries / sizeof *kInstallAideEntries == 33, "instaide.dll entry points");

struct PalmLibraryDescription {
    PalmLibrary library;
    const char* fileName;
    const char* const* entryNames;
    size_t entryCount;
};

#define PALM_ENTRIES(names) names, sizeof names / sizeof *names
static const PalmLibraryDescription kPalmLibraries[] = {
    {PalmConduitManager, "condmgr.dll", PALM_ENTRIES(kConduitManagerEntries)},
    {PalmUserData, "UserData.dll", PALM_ENTRIES(kUserDataEntries)},
    {PalmHotSyncApi, "HSAPI.DLL", PALM_ENTRIES(kHotSyncApiEntries)},
    {PalmInstallAide, "instaide.dll", PALM_ENTRIES(kInstallAideEntries)},
};
#undef PALM_ENTRIES
static const size_t kPalmLibraryCount = sizeof kPalmLibraries / sizeof *kPalmLibraries;

// One library's module and its entry points, in the order of its name list.
struct LoadedPalmLibrary {
    std::unique_ptr<PalmModule> module;
    std::vector<LibraryEntryPoint> entries;
};

static LoadedPalmLibrary* loadedPalmLibraries() {
    static LoadedPalmLibrary libraries[kPalmLibraryCount];
    return libraries;
}

class SystemPalmModule : public PalmModule {
public:
    explicit SystemPalmModule(DynamicLibrary library) : library_(std::move(library)) {}
    LibraryEntryPoint entryPoint(const char* name) const override { return library_.entryPoint(name); }

private:
    DynamicLibrary library_;
};

class SystemPalmModuleLoader : public PalmModuleLoader {
public:
    std::unique_ptr<PalmModule> load(const char* path) override {
        DynamicLibrary library;
        if (!library.load(path))
            return nullptr;
        return std::unique_ptr<PalmModule>(new SystemPalmModule(std::move(library)));
    }
};

static PalmModuleLoader* installedLoader = nullptr;

void setPalmModuleLoader(PalmModuleLoader* loader) { installedLoader = loader; }

static PalmModuleLoader& currentLoader() {
    static SystemPalmModuleLoader systemLoader;
    return installedLoader != nullptr ? *installedLoader : systemLoader;
}

static void unloadPalmLibrary(size_t index) {
    LoadedPalmLibrary& loaded = loadedPalmLibraries()[index];
    // Entry points go before the module so none outlives its library.
    loaded.entries.clear();
    loaded.module.reset();
}

static bool loadPalmLibrary(size_t index) {
    unloadPalmLibrary(index);
    char directory[kPalmPathCapacity];
    if (findPalmDesktopPath(directory, sizeof directory) != kPalmPathFound)
        return false;

    const PalmLibraryDescription& description = kPalmLibraries[index];
    const std::string path = std::string(directory) + "\\" + description.fileName;
    std::unique_ptr<PalmModule> module = currentLoader().load(path.c_str());
    if (!module)
        return false;

    LoadedPalmLibrary& loaded = loadedPalmLibraries()[index];
    loaded.entries.resize(description.entryCount);
    for (size_t entry = 0; entry < description.entryCount; ++entry) {
        loaded.entries[entry] = module->entryPoint(description.entryNames[entry]);
    }
    loaded.module = std::move(module);
    return true;
}

bool loadPalmLibraries(PalmLibrarySet set) {
    for (size_t index = 0; index < kPalmLibraryCount; ++index) {
        if ((set & kPalmLibraries[index].library) == 0)
            continue;
        if (!loadPalmLibrary(index))
            return false;
    }
    return true;
}

void unloadPalmLibraries(PalmLibrarySet set) {
    for (size_t index = 0; index < kPalmLibraryCount; ++index) {
        if ((set & kPalmLibraries[index].library) != 0)
            unloadPalmLibrary(index);
    }
}

bool isPalmLibraryLoaded(PalmLibrary library) {
    for (size_t index = 0; index < kPalmLibraryCount; ++index) {
        if (kPalmLibraries[index].library == library)
            return loadedPalmLibraries()[index].module != nullptr;
    }
    return false;
}

LibraryEntryPoint findPalmEntryPoint(const char* name) {
    if (name == nullptr)
        return nullptr;
    for (size_t index = 0; index < kPalmLibraryCount; ++index) {
        const LoadedPalmLibrary& loaded = loadedPalmLibraries()[index];
        for (size_t entry = 0; entry < loaded.entries.size(); ++entry) {
            if (std::strcmp(kPalmLibraries[index].entryNames[entry], name) == 0)
                return loaded.entries[entry];
        }
    }
    return nullptr;
}

// ---- the user library

template <typename Function>
static Function userFunction(const char* name) {
    return reinterpret_cast<Function>(findPalmEntryPoint(name));
}

static bool usableTextBuffer(const char* buffer, const short* size) {
    return buffer != nullptr && size != nullptr && *size > 0;
}

short palmUserCount() {
    const UmGetUserCountFunction function = userFunction<UmGetUserCountFunction>("UmGetUserCount");
    return function != nullptr ? function() : static_cast<short>(-100);
}

bool palmUserId(short index, uint32_t* id) {
    const UmGetUserIDFunction function = userFunction<UmGetUserIDFunction>("UmGetUserID");
    if (function == nullptr || id == nullptr)
        return false;
    function(index, id);
    return true;
}

bool palmUserName(uint32_t id, char* buffer, short* size) {
    const UmGetUserNameFunction function = userFunction<UmGetUserNameFunction>("UmGetUserName");
    if (function == nullptr || !usableTextBuffer(buffer, size))
        return false;
    const short capacity = *size;
    function(id, buffer, size);
    buffer[capacity - 1] = '\0';
    return true;
}

bool palmUserDirectory(uint32_t id, char* buffer, short* size) {
    const UmGetUserDirectoryFunction function = userFunction<UmGetUserDirectoryFunction>("UmGetUserDirectory");
    if (function == nullptr || !usableTextBuffer(buffer, size))
        return false;
    const short capacity = *size;
    function(id, buffer, size);
    buffer[capacity - 1] = '\0';
    return true;
}

bool palmRootDirectory(char* buffer, short* size) {
    const UmGetRootDirectoryFunction function = userFunction<UmGetRootDirectoryFunction>("UmGetRootDirectory");
    if (function == nullptr || !usableTextBuffer(buffer, size))
        return false;
    const short capacity = *size;
    const int32_t result = function(buffer, size);
    buffer[capacity - 1] = '\0';
    return result != 0;
}

bool userDirectoryPath(uint32_t userId, char* buffer, uint32_t size) {
    if (buffer == nullptr || size == 0)
        return false;
    buffer[0] = '\0';
    char root[kPalmPathCapacity] = {};
    char user[kPalmPathCapacity] = {};
    short length = static_cast<short>(kPalmPathCapacity);
    if (!palmRootDirectory(root, &length))
        return false;
    length = static_cast<short>(kPalmPathCapacity);
    if (!palmUserDirectory(userId, user, &length))
        return false;

    const int written = std::snprintf(buffer, size, "%s%s\\", root, user);
    if (written < 0 || static_cast<uint32_t>(written) >= size) {
        buffer[0] = '\0';
        return false;
    }
    return true;
}

bool palmAddressFilePath(uint32_t userId, char* buffer, uint32_t size) {
    if (!userDirectoryPath(userId, buffer, size))
        return false;
    const size_t used = std::strlen(buffer);
    const int written = std::snprintf(buffer + used, size - used, "address\\address.dat");
    if (written < 0 || static_cast<uint32_t>(written) >= size - used) {
        buffer[0] = '\0';
        return false;
    }
    return true;
}
