#pragma once
#include <cstdint>
#include <vector>

// One Palm Desktop user as the user library reports it.
struct PalmUserEntry {
    uint32_t id = 0;
    char name[64]{};
    char directory[256]{};
};

using PalmUserList = std::vector<PalmUserEntry>;

// The user count the library gives when its count function is absent.
constexpr short PalmUserCountUnavailable = -100;

// Rebuilds users from the loaded user library, in the library's order. The
// result is the library's count: negative means the users could not be
// listed (users is then empty); 0 is an installation without users.
short readPalmUsers(PalmUserList* users);

// The position of the user whose id is lastUser, else 0; -1 for no users.
int selectedUserIndex(const PalmUserList& users, int32_t lastUser);
