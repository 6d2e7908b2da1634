#pragma once
#include <string>
#include <vector>

#include "sync/ContactRecord.h"

// The records as a CSV file Outlook's own import reads: UTF-8 with a byte
// order mark (so that the import and spreadsheets know the encoding), a
// header row of Outlook's column names, every field quoted, CRLF between rows
// and line breaks kept inside a quoted field. Dates are M/D/YYYY, empty when
// not set; custom fields 1 to 4 go to "User 1" to "User 4".
std::string csvText(const std::vector<const ContactRecord*>& records);
