/* The stand-in "UserData.dll": the Palm Desktop user library. The five user
   functions answer from users.txt in the library's own folder (format and
   test switches in UsersFile.h); the root directory is that folder. Built
   with QS_WITHOUT_USER_FUNCTIONS it exports every other name but none of
   the five, as a library whose user functions cannot be found. */
#include <windows.h>

#include "PalmEntryNames.h"
#include "UsersFile.h"

#ifndef QS_WITHOUT_USER_FUNCTIONS

static StandInUsers users;
static int usersRead;
/* The library's folder ending in a backslash; empty when it is unknown. */
static char libraryFolder[MAX_PATH];
static char fileText[QS_STANDIN_MAX_FILE_SIZE];

/* False when the folder is unknown or users.txt would not fit a path. */
static BOOL usersFilePath(char* path, size_t capacity) {
    static const char fileName[] = "users.txt";
    HMODULE self = 0;
    DWORD length;
    char* lastSeparator = 0;
    char* p;
    if (!GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                            (LPCSTR)&users, &self))
        return FALSE;
    length = GetModuleFileNameA(self, path, (DWORD)capacity);
    /* A path that filled the buffer may have been cut. */
    if (length == 0 || length >= capacity) return FALSE;
    for (p = path; *p != '\0'; ++p) {
        if (*p == '\\' || *p == '/') lastSeparator = p;
    }
    if (lastSeparator == 0) return FALSE;
    lastSeparator[1] = '\0';
    memcpy(libraryFolder, path, (size_t)(lastSeparator - path) + 2);
    if ((size_t)(lastSeparator + 1 - path) + sizeof fileName > capacity) return FALSE;
    memcpy(lastSeparator + 1, fileName, sizeof fileName);
    return TRUE;
}

/* Once, at the first call: the program loads the library once and asks it
   a few questions. A missing or unreadable file is a file without users. */
static void readUsers(void) {
    char path[MAX_PATH];
    HANDLE file;
    DWORD total = 0;
    if (usersRead) return;
    usersRead = 1;
    standInUsersInit(&users);
    if (!usersFilePath(path, sizeof path)) return;
    file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, 0, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, 0);
    if (file == INVALID_HANDLE_VALUE) return;
    while (total < sizeof fileText) {
        DWORD got = 0;
        if (!ReadFile(file, fileText + total, (DWORD)sizeof fileText - total, &got, 0) || got == 0) break;
        total += got;
    }
    CloseHandle(file);
    standInUsersParse(&users, fileText, total);
}

/* What the caller finds after a failed call: an empty text, where there is
   room for one. */
static long failText(char* buffer, const short* size) {
    if (buffer != 0 && size != 0 && *size > 0) buffer[0] = '\0';
    return -1;
}

__declspec(dllexport) short __stdcall UmGetUserCount(void);
__declspec(dllexport) long __stdcall UmGetUserID(short index, DWORD* id);
__declspec(dllexport) long __stdcall UmGetUserName(DWORD id, char* buffer, short* size);
__declspec(dllexport) long __stdcall UmGetUserDirectory(DWORD id, char* buffer, short* size);
__declspec(dllexport) long __stdcall UmGetRootDirectory(char* buffer, short* size);

short __stdcall UmGetUserCount(void) {
    readUsers();
    return standInUserCount(&users);
}

long __stdcall UmGetUserID(short index, DWORD* id) {
    const StandInUser* user;
    readUsers();
    user = standInUserAt(&users, index);
    if (user == 0 || id == 0) return -1;
    *id = user->id;
    return 0;
}

long __stdcall UmGetUserName(DWORD id, char* buffer, short* size) {
    const StandInUser* user;
    readUsers();
    user = standInFindUser(&users, id);
    if (user == 0) return failText(buffer, size);
    return standInCopyAnswer(user->name, users.nameLength, buffer, size);
}

long __stdcall UmGetUserDirectory(DWORD id, char* buffer, short* size) {
    const StandInUser* user;
    readUsers();
    user = standInFindUser(&users, id);
    if (user == 0) return failText(buffer, size);
    return standInCopyAnswer(user->directory, users.directoryLength, buffer, size);
}

/* Non-zero is success. A root that does not fit is a failure: cut, it would
   name another folder. */
long __stdcall UmGetRootDirectory(char* buffer, short* size) {
    const char* root;
    readUsers();
    root = users.hasRoot ? users.root : libraryFolder;
    if (users.rootFails || (!users.hasRoot && root[0] == '\0')) {
        failText(buffer, size);
        return 0;
    }
    return standInCopyAnswer(root, QS_STANDIN_NATURAL_LENGTH, buffer, size) == 0 ? 1 : 0;
}

#endif

QS_USERDATA_NAMES(QS_PALM_STUB, QS_PALM_IGNORE)
