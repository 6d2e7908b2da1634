#include "testenv/fakeoutlook/FakeTable.h"

#include "platform/TextCodec.h"
#include "testenv/fakeoutlook/FakeContactProperties.h"
#include "testenv/fakeoutlook/MemberName.h"

namespace {

enum TableMember { TableColumns, TableGetArray, TableGetRowCount, TableEndOfTable, TableMoveToStart };

const FakeMember TableMembers[] = {
    {"Columns", AutomationCallKind::PropertyGet}, {"GetArray", AutomationCallKind::Method},
    {"GetRowCount", AutomationCallKind::Method},  {"EndOfTable", AutomationCallKind::PropertyGet},
    {"MoveToStart", AutomationCallKind::Method},
};

enum ColumnsMember { ColumnsAdd, ColumnsRemoveAll, ColumnsCount };

const FakeMember ColumnsMembers[] = {
    {"Add", AutomationCallKind::Method},
    {"RemoveAll", AutomationCallKind::Method},
    {"Count", AutomationCallKind::PropertyGet},
};

// What a table cannot hold, whatever the item has.
bool refusedByTables(const char* name) {
    static const char* const refused[] = {"HTMLBody",  "RTFBody",       "BodyFormat", "AutoResolvedWinner",
                                          "Conflicts", "DownloadState", "IsConflict", "Links"};
    for (const char* property : refused) {
        if (sameMemberName(property, name))
            return true;
    }
    return false;
}

}  // namespace

FakeTable::FakeTable(std::shared_ptr<FakeOutlook> outlook)
    : FakeAutomationObject(std::move(outlook), "Table"), state_(std::make_shared<FakeTableState>()) {
    state_->columns = {"EntryID", "Subject", "CreationTime", "LastModificationTime", "MessageClass"};
    for (size_t index = this->outlook().contactCount(); index > 0; --index)
        state_->rows.push_back(this->outlook().contact(index - 1)->serial());
}

int32_t FakeTable::answer(const char* name, AutomationCallKind kind, const std::vector<AutomationValue>& arguments,
                          AutomationValue* result) {
    size_t member = 0;
    int32_t status = findMember(TableMembers, sizeof TableMembers / sizeof TableMembers[0], name, kind, &member);
    if (status != AutomationStatus::Ok)
        return status;
    if (member == TableGetArray)
        return getArray(arguments, result);
    if ((status = expectArguments(arguments, 0)) != AutomationStatus::Ok)
        return status;
    switch (member) {
    case TableColumns:
        *result = AutomationValue::fromObject(std::make_shared<FakeTableColumns>(sharedOutlook(), state_));
        break;
    case TableGetRowCount: *result = AutomationValue::fromInt(static_cast<int32_t>(state_->rows.size())); break;
    case TableEndOfTable: *result = AutomationValue::fromInt(state_->next >= state_->rows.size() ? -1 : 0); break;
    default: state_->next = 0; break;
    }
    return AutomationStatus::Ok;
}

int32_t FakeTable::getArray(const std::vector<AutomationValue>& arguments, AutomationValue* result) {
    int32_t status = expectArguments(arguments, 1);
    if (status != AutomationStatus::Ok)
        return status;
    if (!arguments[0].isInt())
        return AutomationStatus::TypeMismatch;
    // "One or more parameter values are not valid."
    if (arguments[0].integer() <= 0)
        return AutomationStatus::Exception;
    std::vector<const FakeContact*> rows;
    while (state_->next < state_->rows.size() && rows.size() < static_cast<size_t>(arguments[0].integer())) {
        size_t index = 0;
        // A contact deleted since the table was made has no row any more.
        if (outlook().findContact(state_->rows[state_->next++], &index))
            rows.push_back(outlook().contact(index));
    }
    auto block = std::make_shared<AutomationArray>(state_->columns.size(), rows.size());
    for (size_t row = 0; row < rows.size(); ++row) {
        for (size_t column = 0; column < state_->columns.size(); ++column)
            block->set(column, row, cell(*rows[row], state_->columns[column]));
    }
    *result = AutomationValue::fromArray(block);
    return AutomationStatus::Ok;
}

AutomationValue FakeTable::cell(const FakeContact& contact, const std::string& column) const {
    AutomationValue value;
    if (!automationSucceeded(contact.getProperty(column.c_str(), &value)))
        return AutomationValue();
    if (value.isText()) {
        if (value.text().empty())
            return AutomationValue();
        if (value.text().size() > StringCut)
            return AutomationValue::fromText(value.text().substr(0, StringCut));
    }
    if (value.isDate() && value.date() == 0.0)
        return AutomationValue();
    return value;
}

FakeTableColumns::FakeTableColumns(std::shared_ptr<FakeOutlook> outlook, std::shared_ptr<FakeTableState> state)
    : FakeAutomationObject(std::move(outlook), "Columns"), state_(std::move(state)) {}

int32_t FakeTableColumns::answer(const char* name, AutomationCallKind kind,
                                 const std::vector<AutomationValue>& arguments, AutomationValue* result) {
    size_t member = 0;
    int32_t status = findMember(ColumnsMembers, sizeof ColumnsMembers / sizeof ColumnsMembers[0], name, kind, &member);
    if (status != AutomationStatus::Ok)
        return status;
    if (member == ColumnsAdd)
        return add(arguments, result);
    if ((status = expectArguments(arguments, 0)) != AutomationStatus::Ok)
        return status;
    if (member == ColumnsRemoveAll) {
        state_->columns.clear();
        state_->next = 0;
    } else {
        *result = AutomationValue::fromInt(static_cast<int32_t>(state_->columns.size()));
    }
    return AutomationStatus::Ok;
}

int32_t FakeTableColumns::add(const std::vector<AutomationValue>& arguments, AutomationValue* result) {
    int32_t status = expectArguments(arguments, 1);
    if (status != AutomationStatus::Ok)
        return status;
    if (!arguments[0].isText())
        return AutomationStatus::TypeMismatch;
    const std::string name = utf16ToAnsi(arguments[0].text());
    // The guard refuses the column as it refuses the read.
    status = outlook().injectedFailure(name.c_str(), AutomationCallKind::PropertyGet);
    if (!automationSucceeded(status))
        return status;
    if (refusedByTables(name.c_str()) || findFakeContactProperty(name.c_str()) < 0)
        return AutomationStatus::Exception;
    state_->columns.push_back(name);
    state_->next = 0;
    // The Column object; nothing here asks more of it.
    *result = AutomationValue::fromObject(nullptr);
    return AutomationStatus::Ok;
}
