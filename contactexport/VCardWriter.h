#pragma once
#include <string>
#include <vector>

#include "sync/ContactRecord.h"

// The records as one vCard 3.0 file: UTF-8, CRLF line ends, lines folded at
// 75 octets. Every value the record holds that vCard has a property for is
// written; the nine custom fields as X-QUILLSET-CUSTOM1 to 9. Empty values
// and dates not set are left out.
std::string vCardText(const std::vector<const ContactRecord*>& records);
