#pragma once
#include <memory>
#include <string>
#include <vector>

#include "testenv/fakeoutlook/FakeAutomationObject.h"

// The rows a table holds and where it stands, shared by the table and its
// Columns collection.
struct FakeTableState {
    std::vector<std::string> columns;
    // The contacts' serials, in the table's order.
    std::vector<uint64_t> rows;
    size_t next = 0;
};

// A folder's Table as Outlook documents it, not as would be convenient:
//  - its rows are the folder's items when it was made, in an order of its
//    own (not that of "Items": here the reverse);
//  - default columns EntryID, Subject, CreationTime, LastModificationTime,
//    MessageClass; "Columns" gives the collection;
//  - "GetArray"(n): a 2-D array (column, row) of at most n rows from the
//    current one, which moves past them; none left: no rows;
//  - a string value is cut to its first 255 characters, the note ("Body")
//    included; a date comes as the item gives it (a column added by its
//    built-in name holds local time); a property without a value is an
//    empty cell, not "" or 0; a distribution list's row is empty in the
//    columns of a contact's own properties;
//  - "GetRowCount", "EndOfTable", "MoveToStart".
class FakeTable : public FakeAutomationObject {
public:
    static constexpr size_t StringCut = 255;

    explicit FakeTable(std::shared_ptr<FakeOutlook> outlook);

protected:
    int32_t answer(const char* name, AutomationCallKind kind, const std::vector<AutomationValue>& arguments,
                   AutomationValue* result) override;

private:
    int32_t getArray(const std::vector<AutomationValue>& arguments, AutomationValue* result);
    AutomationValue cell(const FakeContact& contact, const std::string& column) const;

    std::shared_ptr<FakeTableState> state_;
};

// A table's Columns: "RemoveAll", "Add"(name) and "Count". "Add" refuses,
// with Outlook's error, what a table cannot hold (computed properties such
// as "BodyFormat", body forms other than the plain "Body") and names no
// item has; a property the guard denies is refused with the guard's status.
// Either changes nothing; an "Add" that succeeds moves the table to its
// start.
class FakeTableColumns : public FakeAutomationObject {
public:
    FakeTableColumns(std::shared_ptr<FakeOutlook> outlook, std::shared_ptr<FakeTableState> state);

protected:
    int32_t answer(const char* name, AutomationCallKind kind, const std::vector<AutomationValue>& arguments,
                   AutomationValue* result) override;

private:
    int32_t add(const std::vector<AutomationValue>& arguments, AutomationValue* result);

    std::shared_ptr<FakeTableState> state_;
};
