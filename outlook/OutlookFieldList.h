#pragma once
#include <cstdint>

#include "outlook/OutlookContactImage.h"

// The Outlook fields a custom field can be mapped to, in the order the
// options dialog offers them; the options keep the index. Index 0 is "None".
constexpr int32_t OutlookFieldCount = 78;

// The list text of an index; "" outside 0-77.
const char* outlookFieldText(int32_t index);

// The image field an index addresses, or null: for 0 ("None"), 34 ("Gender")
// and anything outside 1-77. Indexes 2 and 5 address the two date fields.
const ImageRow* outlookFieldRow(int32_t index);
