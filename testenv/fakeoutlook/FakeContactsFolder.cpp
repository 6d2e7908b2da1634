#include "testenv/fakeoutlook/FakeContactsFolder.h"

#include "testenv/fakeoutlook/FakeItems.h"
#include "testenv/fakeoutlook/FakeTable.h"

enum FolderMember { FolderName, FolderItems, FolderGetTable };

static const FakeMember FolderMembers[] = {
    {"Name", AutomationCallKind::PropertyGet},
    {"Items", AutomationCallKind::PropertyGet},
    {"GetTable", AutomationCallKind::Method},
};

FakeContactsFolder::FakeContactsFolder(std::shared_ptr<FakeOutlook> outlook)
    : FakeAutomationObject(std::move(outlook), "Folder") {}

int32_t FakeContactsFolder::answer(const char* name, AutomationCallKind kind,
                                   const std::vector<AutomationValue>& arguments, AutomationValue* result) {
    size_t member = 0;
    // An Outlook before tables does not know the member at all.
    const size_t known = outlook().offersTables() ? 3 : 2;
    int32_t status = findMember(FolderMembers, known, name, kind, &member);
    if (status != AutomationStatus::Ok)
        return status;
    if (member == FolderGetTable)
        return getTable(arguments, result);
    if ((status = expectArguments(arguments, 0)) != AutomationStatus::Ok)
        return status;
    if (member == FolderName) {
        *result = AutomationValue::fromText(outlook().folderName());
    } else {
        *result = AutomationValue::fromObject(std::make_shared<FakeItems>(sharedOutlook()));
    }
    return AutomationStatus::Ok;
}

int32_t FakeContactsFolder::getTable(const std::vector<AutomationValue>& arguments, AutomationValue* result) {
    // The filter and the table contents, both optional; this one filters
    // nothing and holds the folder's items.
    if (arguments.size() > 2)
        return AutomationStatus::BadParameterCount;
    if (!arguments.empty() && !arguments[0].isText())
        return AutomationStatus::TypeMismatch;
    if (!arguments.empty() && !arguments[0].text().empty())
        return AutomationStatus::Exception;
    *result = AutomationValue::fromObject(std::make_shared<FakeTable>(sharedOutlook()));
    return AutomationStatus::Ok;
}
