#pragma once
#include <string>
#include <vector>

#include "sync/ContactRecord.h"

// One compared field that two records hold differently.
struct FieldDifference {
    // The field's name as the lists' headers show it.
    std::string name;
    std::string before;
    std::string after;
};

// The fields of the difference test (the ones sameComparedFields looks at)
// in which from and to differ, in record order: before is from's text, after
// is to's. Empty exactly when sameComparedFields(from, to).
std::vector<FieldDifference> differingFields(const ContactRecord& from, const ContactRecord& to);
