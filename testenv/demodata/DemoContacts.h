#pragma once
#include "sync/ContactRecord.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// The invented contacts of the two demo users. Texts are Windows-1252, as the
// address files hold them. Everything is fixed: the same contacts, in the
// same order, on every run.

struct DemoUser {
    uint32_t id;
    const char* name;
    const char* directory;
    // Older address file, or the Palm Desktop 4 file.
    bool format4;
};

const DemoUser* demoUsers(size_t* count);

// Category ids and names of the demo address files. Unfiled (0) is never
// stored in a file: every reader puts it in slot 0 by itself.
enum DemoCategory : int32_t { DemoUnfiled = 0, DemoBusiness = 1, DemoPersonal = 2, DemoQuickList = 3 };
const char* demoCategoryName(int32_t category);

struct DemoContact {
    ContactRecord record;
    int32_t category;
};

// The contacts of one user as the program should read them back: what a
// format holds no place for (the home and other addresses of the older
// file) is left out.
std::vector<DemoContact> demoContacts(const DemoUser& user);
