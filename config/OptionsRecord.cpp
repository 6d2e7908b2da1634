#include "config/OptionsRecord.h"

#include <cstring>

namespace {

const char defaultProfileKey[] = "QS_DEFAULT_PROFILE";
const char defaultProfileName[] = "Default Quillset Profile";

static_assert(sizeof(defaultProfileKey) <= sizeof(OptionsRecord::profileKey), "default key fits");
static_assert(sizeof(defaultProfileName) <= sizeof(OptionsRecord::profileName), "default name fits");

}  // namespace

int32_t OptionsRecord::customMapAt(int index) const {
    if (index < 0 || index >= customMapCount)
        return 0;
    if (index < customMapFirstHalfCount)
        return customMap1To4[index];
    return customMap5To9[index - customMapFirstHalfCount];
}

bool OptionsRecord::setCustomMapAt(int index, int32_t value) {
    if (index < 0 || index >= customMapCount)
        return false;
    if (index < customMapFirstHalfCount)
        customMap1To4[index] = value;
    else
        customMap5To9[index - customMapFirstHalfCount] = value;
    return true;
}

void OptionsRecord::setDefaults() {
    std::memset(this, 0, sizeof(*this));
    std::memcpy(profileKey, defaultProfileKey, sizeof(defaultProfileKey));
    std::memcpy(profileName, defaultProfileName, sizeof(defaultProfileName));
    syncAction = storedSyncAction(SyncAction::AskUser);
}
