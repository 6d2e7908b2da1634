#pragma once
#include "platform/DynamicLibrary.h"

#include <cstddef>
#include <cstdint>
#include <memory>

// The link to the installed Palm Desktop: its directory, its version, its
// four run-time libraries and the data directories of its users.

// ---- directory and version

// Results of findPalmDesktopPath.
const int kPalmPathFound = 0;
const int kPalmPathNoBuffer = -100;
const int kPalmPathNotFound = -101;
const int kPalmPathTooLong = -102;

// The capacity of every Palm Desktop path buffer, terminator included.
const uint32_t kPalmPathCapacity = 260;

// The "PDPath" setting of section "Path" in the settings file wins; without
// it, the registry value DesktopPath under
// HKEY_CURRENT_USER\Software\U.S. Robotics\Pilot Desktop\Core.
int findPalmDesktopPath(char* buffer, uint32_t size);

// major * 10000 + minor * 100 + third part of palm.exe's file version, so
// 4.1.2 is 40102; -1 when the directory or the version cannot be found.
int getPalmDesktopVersion();

// ---- libraries

enum PalmLibrary : uint32_t {
    PalmConduitManager = 1,  // "condmgr.dll"
    PalmUserData = 2,        // "UserData.dll"
    PalmHotSyncApi = 4,      // "HSAPI.DLL"
    PalmInstallAide = 8,     // "instaide.dll"
};
using PalmLibrarySet = uint32_t;
const PalmLibrarySet kAllPalmLibraries = 15;

// Loads the libraries of set from the Palm Desktop directory in the order 1,
// 2, 4, 8, replacing any already loaded, and looks up all their entry points.
// The first library that fails to load ends the operation: false, and the
// ones after it stay unloaded.
bool loadPalmLibraries(PalmLibrarySet set);
// Frees the libraries of set; all their entry points become absent.
void unloadPalmLibraries(PalmLibrarySet set);

bool isPalmLibraryLoaded(PalmLibrary library);
// The entry point of that name, or null when it is absent (its library is not
// loaded, does not export it, or the name is not one the program looks up).
LibraryEntryPoint findPalmEntryPoint(const char* name);

// Where the libraries come from. The system loader is used unless another is
// installed; tests install one that hands out tables of fake entry points.
class PalmModule {
public:
    virtual ~PalmModule() = default;
    virtual LibraryEntryPoint entryPoint(const char* name) const = 0;
};

class PalmModuleLoader {
public:
    virtual ~PalmModuleLoader() = default;
    // Null when the library at path cannot be loaded.
    virtual std::unique_ptr<PalmModule> load(const char* path) = 0;
};

// The loader is not owned; null restores the system loader. Libraries
// already loaded stay loaded.
void setPalmModuleLoader(PalmModuleLoader* loader);

// ---- the user library

// The user library's functions are stdcall with undecorated names.
#ifdef _WIN32
#define PALM_API __stdcall
#else
#define PALM_API
#endif

typedef short(PALM_API* UmGetUserCountFunction)(void);
typedef int32_t(PALM_API* UmGetUserIDFunction)(short index, uint32_t* id);
typedef int32_t(PALM_API* UmGetUserNameFunction)(uint32_t id, char* buffer, short* size);
typedef int32_t(PALM_API* UmGetUserDirectoryFunction)(uint32_t id, char* buffer, short* size);
typedef int32_t(PALM_API* UmGetRootDirectoryFunction)(char* buffer, short* size);

// Each call first tests that its function is present. The text calls take a
// buffer of *size characters and leave it terminated whatever the library
// wrote; they refuse a null buffer or a size below 1.

// The number of users; negative is failure, -100 when the function is absent.
short palmUserCount();
// False when the function is absent; the library's own result is not examined.
bool palmUserId(short index, uint32_t* id);
bool palmUserName(uint32_t id, char* buffer, short* size);
bool palmUserDirectory(uint32_t id, char* buffer, short* size);
// False when the function is absent or answers 0.
bool palmRootDirectory(char* buffer, short* size);

// The user's data directory: the root directory directly followed by the
// user's directory and a backslash. False when either part is unavailable or
// the path does not fit size (the buffer is then empty).
bool userDirectoryPath(uint32_t userId, char* buffer, uint32_t size);

template <size_t N>
bool userDirectoryPath(uint32_t userId, char (&buffer)[N]) {
    return userDirectoryPath(userId, buffer, static_cast<uint32_t>(N));
}

// The user's address file: the data directory, "address\" and "address.dat".
bool palmAddressFilePath(uint32_t userId, char* buffer, uint32_t size);
