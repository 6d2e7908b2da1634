/* Checks a stand-in Palm Desktop installation the way the program meets it:
   the registry value, palm.exe's version, the four libraries loaded in the
   program's order (stopping at the first that fails) with the names each
   exports, and the answers of the five user functions. Every text call gets
   guard bytes behind its buffer, so a library writing past *size shows.
   Exit code: 0 fine, 1 no Palm Desktop folder, 3 a library wrote past a
   buffer or left it unterminated. */
#include <windows.h>

#include <stdio.h>
#include <string.h>

#include "PalmEntryNames.h"

typedef short(__stdcall* UmGetUserCountFunction)(void);
typedef long(__stdcall* UmGetUserIDFunction)(short index, DWORD* id);
typedef long(__stdcall* UmTextFunction)(DWORD id, char* buffer, short* size);
typedef long(__stdcall* UmGetRootDirectoryFunction)(char* buffer, short* size);

#define AS_TEXT(name) #name,
static const char* const condmgrNames[] = {QS_CONDMGR_NAMES(AS_TEXT)};
static const char* const userDataNames[] = {QS_USERDATA_NAMES(AS_TEXT, AS_TEXT)};
static const char* const hsapiNames[] = {QS_HSAPI_NAMES(AS_TEXT)};
static const char* const instaideNames[] = {QS_INSTAIDE_NAMES(AS_TEXT)};
#undef AS_TEXT

struct Library {
    const char* fileName;
    const char* const* names;
    size_t nameCount;
    HMODULE module;
};

#define LIBRARY(file, names) {file, names, sizeof names / sizeof *names, 0}
static struct Library libraries[] = {
    LIBRARY("condmgr.dll", condmgrNames),
    LIBRARY("UserData.dll", userDataNames),
    LIBRARY("HSAPI.DLL", hsapiNames),
    LIBRARY("instaide.dll", instaideNames),
};
#undef LIBRARY

static int overflowSeen;

#define GUARD_SIZE 16
#define GUARD_BYTE 0x5A

/* A buffer of capacity bytes with guard bytes behind it. */
struct GuardedBuffer {
    char bytes[300 + GUARD_SIZE];
    short capacity;
};

static void prepare(struct GuardedBuffer* buffer, short capacity) {
    memset(buffer->bytes, GUARD_BYTE, sizeof buffer->bytes);
    buffer->capacity = capacity;
}

/* Reports a write past the capacity or a missing terminator. */
static void inspect(const struct GuardedBuffer* buffer, const char* what) {
    int i;
    for (i = 0; i < GUARD_SIZE; ++i) {
        if ((unsigned char)buffer->bytes[buffer->capacity + i] != GUARD_BYTE) {
            printf("  OVERFLOW: %s wrote past its %d-byte buffer\n", what, buffer->capacity);
            overflowSeen = 1;
            return;
        }
    }
    if (memchr(buffer->bytes, '\0', (size_t)buffer->capacity) == 0) {
        printf("  UNTERMINATED: %s left its %d-byte buffer without a terminator\n", what, buffer->capacity);
        overflowSeen = 1;
    }
}

/* The text, or "(no text)" when inspect found none. */
static const char* textOf(const struct GuardedBuffer* buffer) {
    return memchr(buffer->bytes, '\0', (size_t)buffer->capacity) != 0 ? buffer->bytes : "(no text)";
}

static BOOL readDesktopPath(char* path, DWORD capacity) {
    HKEY key;
    DWORD type = 0;
    DWORD size = capacity - 1;
    LONG result = RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\U.S. Robotics\\Pilot Desktop\\Core", 0, KEY_READ, &key);
    if (result != ERROR_SUCCESS) {
        printf("DesktopPath: absent (the key does not open: %ld)\n", result);
        return FALSE;
    }
    result = RegQueryValueExA(key, "DesktopPath", 0, &type, (BYTE*)path, &size);
    RegCloseKey(key);
    if (result != ERROR_SUCCESS || type != REG_SZ) {
        printf("DesktopPath: absent (the value does not read: %ld)\n", result);
        return FALSE;
    }
    path[size < capacity ? size : capacity - 1] = '\0';
    printf("DesktopPath: %s\n", path);
    return TRUE;
}

static void printVersion(const char* folder) {
    char program[MAX_PATH + 16];
    DWORD handle = 0;
    DWORD size;
    static char data[65536];
    VS_FIXEDFILEINFO* info = 0;
    UINT infoSize = 0;
    snprintf(program, sizeof program, "%s\\palm.exe", folder);
    if (GetFileAttributesA(program) == INVALID_FILE_ATTRIBUTES) {
        printf("palm.exe: missing\n");
        return;
    }
    size = GetFileVersionInfoSizeA(program, &handle);
    if (size == 0 || size > sizeof data || !GetFileVersionInfoA(program, 0, size, data) ||
        !VerQueryValueA(data, "\\", (void**)&info, &infoSize) || infoSize < sizeof *info) {
        printf("palm.exe: no version resource (version -1)\n");
        return;
    }
    printf("palm.exe: file version %lu.%lu.%lu.%lu (version %lu)\n", (unsigned long)HIWORD(info->dwFileVersionMS),
           (unsigned long)LOWORD(info->dwFileVersionMS), (unsigned long)HIWORD(info->dwFileVersionLS),
           (unsigned long)LOWORD(info->dwFileVersionLS),
           (unsigned long)(HIWORD(info->dwFileVersionMS) * 10000 + LOWORD(info->dwFileVersionMS) * 100 +
                           HIWORD(info->dwFileVersionLS)));
}

static void loadLibraries(const char* folder) {
    size_t index;
    for (index = 0; index < sizeof libraries / sizeof *libraries; ++index) {
        struct Library* library = &libraries[index];
        char path[MAX_PATH + 16];
        size_t name, found = 0;
        snprintf(path, sizeof path, "%s\\%s", folder, library->fileName);
        library->module = LoadLibraryA(path);
        if (library->module == 0) {
            printf("%s: not loaded (error %lu); the libraries after it are not loaded\n", library->fileName,
                   (unsigned long)GetLastError());
            return;
        }
        for (name = 0; name < library->nameCount; ++name) {
            if (GetProcAddress(library->module, library->names[name]) != 0) ++found;
        }
        printf("%s: loaded, %u of %u names found\n", library->fileName, (unsigned)found, (unsigned)library->nameCount);
    }
}

typedef void (*AnyFunction)(void);

/* Through the generic function type, which every function pointer converts to. */
static AnyFunction userFunction(const char* name) {
    return libraries[1].module != 0 ? (AnyFunction)(void (*)(void))GetProcAddress(libraries[1].module, name) : 0;
}

static void checkUsers(void) {
    UmGetUserCountFunction getCount = (UmGetUserCountFunction)userFunction("UmGetUserCount");
    UmGetUserIDFunction getId = (UmGetUserIDFunction)userFunction("UmGetUserID");
    UmTextFunction getName = (UmTextFunction)userFunction("UmGetUserName");
    UmTextFunction getDirectory = (UmTextFunction)userFunction("UmGetUserDirectory");
    UmGetRootDirectoryFunction getRoot = (UmGetRootDirectoryFunction)userFunction("UmGetRootDirectory");
    struct GuardedBuffer root, name, directory, small;
    short count, index, size;
    long result;

    if (getCount == 0) {
        printf("UmGetUserCount: absent (count -100)\n");
        return;
    }
    count = getCount();
    printf("UmGetUserCount: %d\n", count);

    if (getRoot != 0) {
        prepare(&root, 260);
        size = root.capacity;
        result = getRoot(root.bytes, &size);
        inspect(&root, "UmGetRootDirectory");
        printf("UmGetRootDirectory: %ld \"%s\"\n", result, textOf(&root));
    } else {
        prepare(&root, 1);
        root.bytes[0] = '\0';
        printf("UmGetRootDirectory: absent\n");
    }
    if (getId == 0 || getName == 0 || getDirectory == 0) {
        printf("UmGetUserID, UmGetUserName or UmGetUserDirectory: absent\n");
        return;
    }
    /* The program's own buffer sizes: 64 for a name, 256 for a directory. */
    for (index = 0; index < count && index < 100; ++index) {
        DWORD id = 0;
        char file[MAX_PATH * 2];
        result = getId(index, &id);
        prepare(&name, 64);
        size = name.capacity;
        getName(id, name.bytes, &size);
        inspect(&name, "UmGetUserName");
        prepare(&directory, 256);
        size = directory.capacity;
        getDirectory(id, directory.bytes, &size);
        inspect(&directory, "UmGetUserDirectory");
        prepare(&small, 5);
        size = small.capacity;
        getName(id, small.bytes, &size);
        inspect(&small, "UmGetUserName with a 5-byte buffer");
        snprintf(file, sizeof file, "%s%s\\address\\address.dat", textOf(&root), textOf(&directory));
        printf("user %d: UmGetUserID %ld id %lu, name \"%s\" (%u chars; in 5 bytes \"%s\"), directory \"%s\"\n", index,
               result, (unsigned long)id, textOf(&name), (unsigned)strlen(textOf(&name)), textOf(&small),
               textOf(&directory));
        printf("  %s: %s\n", file, GetFileAttributesA(file) != INVALID_FILE_ATTRIBUTES ? "present" : "missing");
    }
}

int main(void) {
    char folder[MAX_PATH];
    size_t index;
    if (!readDesktopPath(folder, sizeof folder)) return 1;
    printVersion(folder);
    loadLibraries(folder);
    checkUsers();
    for (index = 0; index < sizeof libraries / sizeof *libraries; ++index) {
        if (libraries[index].module != 0) FreeLibrary(libraries[index].module);
    }
    return overflowSeen ? 3 : 0;
}
