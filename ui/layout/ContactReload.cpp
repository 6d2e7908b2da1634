#include "ui/layout/ContactReload.h"

void reloadContacts(ContactReloadSteps& steps, bool reloadOutlook) {
    steps.emptyRows(ContactSide::Palm);
    steps.emptyRows(ContactSide::Outlook);
    steps.reloadStore(ContactSide::Palm);
    if (reloadOutlook)
        steps.reloadStore(ContactSide::Outlook);
    steps.compareAndFill();
}

void reloadPalmContacts(ContactReloadSteps& steps) {
    steps.emptyRows(ContactSide::Palm);
    steps.reloadStore(ContactSide::Palm);
}
