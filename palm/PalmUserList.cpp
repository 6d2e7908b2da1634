#include "palm/PalmUserList.h"

#include "palm/PalmDesktopInstallation.h"

#include <new>

short readPalmUsers(PalmUserList* users) {
    users->clear();
    const short count = palmUserCount();
    if (count <= 0)
        return count;
    try {
        users->reserve(static_cast<size_t>(count));
        for (short index = 0; index < count; ++index) {
            PalmUserEntry entry;
            palmUserId(index, &entry.id);
            short size = sizeof entry.name;
            palmUserName(entry.id, entry.name, &size);
            size = sizeof entry.directory;
            palmUserDirectory(entry.id, entry.directory, &size);
            users->push_back(entry);
        }
    } catch (const std::bad_alloc&) {
        // The users listed so far stay; a user list is never worth a crash.
    }
    return count;
}

int selectedUserIndex(const PalmUserList& users, int32_t lastUser) {
    if (users.empty())
        return -1;
    for (size_t index = 0; index < users.size(); ++index) {
        if (static_cast<int32_t>(users[index].id) == lastUser)
            return static_cast<int>(index);
    }
    return 0;
}
