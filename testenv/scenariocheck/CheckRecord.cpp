#include "testenv/scenariocheck/CheckRecord.h"

#include "platform/TextCodec.h"
#include "testenv/fakeoutlook/ContactFile.h"

void CheckRecord::add(const std::string& name, const std::string& value) {
    std::string unique = name;
    for (int occurrence = 2; find(unique) != nullptr; ++occurrence)
        unique = name + " (" + std::to_string(occurrence) + ")";
    fields.push_back({unique, value});
}

const std::string* CheckRecord::find(const std::string& name) const {
    for (const CheckField& field : fields)
        if (field.name == name)
            return &field.value;
    return nullptr;
}

std::string checkTextOfAnsi(const std::string& text) { return encodeContactFileValue(ansiToUtf16(text)); }

std::string personLabel(const std::string& first, const std::string& last) {
    if (first.empty() && last.empty())
        return "(no name)";
    if (first.empty() || last.empty())
        return first + last;
    return first + " " + last;
}

static void appendFields(std::string& out, const std::vector<CheckField>& fields) {
    for (const CheckField& field : fields)
        out.append(field.name).append("=").append(field.value).append("\n");
}

std::string formatCheckFile(const CheckFile& file, const std::string& path) {
    std::string out = "# " + path + ": " + file.description + ", " + std::to_string(file.records.size()) + " " +
                      file.recordNoun + (file.records.size() == 1 ? "" : "s") + "\n";
    if (!file.fileValues.empty()) {
        out.append("[file]\n");
        appendFields(out, file.fileValues);
    }
    for (size_t index = 0; index < file.records.size(); ++index) {
        out.append("[").append(file.recordNoun).append(" ").append(std::to_string(index + 1)).append("]\n");
        appendFields(out, file.records[index].fields);
    }
    return out;
}
