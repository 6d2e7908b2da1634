#pragma once
#include <cstdint>
#include <string>

#include "sync/FieldTable.h"
#include "ui/geometry/ColorMath.h"

// What the two contact lists show, apart from the list controls themselves.

constexpr int ContactColumnCount = 8;

// The field ids of the eight columns, in column order.
int32_t contactColumnField(int column);

// A column's header and width (4 pixels per character of the field's
// length). False when the field table has no such field or its width is 0.
bool contactColumnHeading(int column, FieldSlot* slot, int* pixelWidth);

// With "ShowDiff" on, only records missing or differing on the other side
// get a row.
bool recordShownInList(int32_t compareStatus, int showDiff);

// Green for a record missing on the other side, blue for one that differs.
UxColor rowTextColor(int32_t compareStatus);

// The status line with the rows each list shows.
std::string recordCountLine(int palmRows, int outlookRows);
