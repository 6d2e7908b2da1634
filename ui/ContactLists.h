#pragma once
#include <windows.h>
#include <commctrl.h>

class ContactList;
struct ContactRecord;
class UxListView;

// How both lists show their records: the eight contact columns, rows in
// reverse record order, and the row colours by comparison status.

void addContactColumns(UxListView& list);
void removeAllColumns(UxListView& list);
// Every row new, in reverse record order, each box empty; with showDiff
// ("ShowDiff") on, only records missing or differing on the other side.
void fillContactList(UxListView& list, ContactList* records, int showDiff);
// The custom-draw answer that colours a row by its record's status.
LRESULT drawContactRow(NMLVCUSTOMDRAW* draw);
// The record a row shows; null without one.
ContactRecord* contactAt(const UxListView& list, int row);
// Ticks or clears every row.
void setAllChecked(UxListView& list, bool checked);
