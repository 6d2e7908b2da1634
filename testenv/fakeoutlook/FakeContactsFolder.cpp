#include "testenv/fakeoutlook/FakeContactsFolder.h"

#include "testenv/fakeoutlook/FakeItems.h"

enum FolderMember { FolderName, FolderItems };

static const FakeMember FolderMembers[] = {
    {"Name", AutomationCallKind::PropertyGet},
    {"Items", AutomationCallKind::PropertyGet},
};

FakeContactsFolder::FakeContactsFolder(std::shared_ptr<FakeOutlook> outlook)
    : FakeAutomationObject(std::move(outlook), "Folder") {}

int32_t FakeContactsFolder::answer(const char* name, AutomationCallKind kind,
                                   const std::vector<AutomationValue>& arguments, AutomationValue* result) {
    size_t member = 0;
    int32_t status = findMember(FolderMembers, 2, name, kind, &member);
    if (status == AutomationStatus::Ok) status = expectArguments(arguments, 0);
    if (status != AutomationStatus::Ok) return status;
    if (member == FolderName) {
        *result = AutomationValue::fromText(outlook().folderName());
    } else {
        *result = AutomationValue::fromObject(std::make_shared<FakeItems>(sharedOutlook()));
    }
    return AutomationStatus::Ok;
}
