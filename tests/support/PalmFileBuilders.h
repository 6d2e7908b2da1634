#pragma once
#include <cstddef>
#include <string>
#include <vector>

#include "palm/PalmAddressRecord.h"
#include "palm/PalmAddressRecord4.h"
#include "tests/support/PalmBytes.h"

// Whole address files in the writers' own encoding, so that a save of
// unchanged content gives the same bytes. recordEnds, when given, receives
// the offset just past each record.

// "Business" (id 5) and "Friends" (id 9).
const std::vector<PalmBytes::CategoryEntry>& twoCategories();

PalmBytes olderFormatFile(const std::string& storedName, const std::vector<PalmAddressRecord>& records,
                          const std::vector<PalmBytes::CategoryEntry>& categories = twoCategories(),
                          std::vector<size_t>* recordEnds = nullptr);
PalmBytes format4File(const std::string& storedName, const std::vector<PalmAddressRecord4>& records,
                      const std::vector<PalmBytes::CategoryEntry>& categories = twoCategories(),
                      std::vector<size_t>* recordEnds = nullptr);
