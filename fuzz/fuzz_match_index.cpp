// The indexed findMatch against the plain walk of the rule: the input is a
// little program of record adds, merges, overwrites and searches on two
// lists; any difference in code, counterpart, position or cursor stops the run.
#include "sync/ContactList.h"
#include "sync/RecordMatching.h"
#include "sync/TextField.h"
#include "tests/sync/ReferenceMatching.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

class Input {
public:
    Input(const uint8_t* data, size_t size) : data_(data), size_(size) {}
    bool done() const { return offset_ >= size_; }
    uint8_t byte() { return offset_ < size_ ? data_[offset_++] : 0; }

    // A short text: one of a few that collide, or up to 7 bytes of input.
    void text(char* field, size_t capacity) {
        static const char* const common[] = {"", "", "Ann", "ann", "1", "2", "a@x", "Lee"};
        const uint8_t choice = byte();
        if (choice < 0xF0) {
            copyText(field, capacity, common[choice % 8]);
            return;
        }
        char raw[8] = {};
        for (int index = 0; index < (choice & 7); ++index)
            raw[index] = static_cast<char>(byte());
        copyText(field, capacity, raw);
    }

private:
    const uint8_t* data_;
    size_t size_;
    size_t offset_ = 0;
};

ContactRecord recordFrom(Input& input) {
    ContactRecord record;
    input.text(record.firstName, sizeof record.firstName);
    input.text(record.lastName, sizeof record.lastName);
    input.text(record.email1, sizeof record.email1);
    input.text(record.homePhone, sizeof record.homePhone);
    input.text(record.workPhone, sizeof record.workPhone);
    input.text(record.mobilePhone, sizeof record.mobilePhone);
    input.text(record.mainPhone, sizeof record.mainPhone);
    input.text(record.company, sizeof record.company);
    return record;
}

void check(ContactList& list, const ContactRecord* probe) {
    const MatchResult indexed = findMatch(&list, probe);
    const int32_t indexedCursor = list.cursorPosition();
    const MatchResult walked = reference::walkForMatch(&list, probe);
    if (indexed.code != walked.code || indexed.record != walked.record || indexed.position != walked.position ||
        indexedCursor != list.cursorPosition())
        std::abort();
}

const ContactRecord* someRecord(ContactList& list, Input& input) {
    return list.count() > 0 ? list.peek(input.byte() % list.count()) : nullptr;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Input input(data, size);
    ContactList lists[2];
    for (int steps = 0; steps < 400 && !input.done(); ++steps) {
        const uint8_t operation = input.byte();
        ContactList& list = lists[operation & 1];
        ContactList& other = lists[(operation & 1) ^ 1];
        switch ((operation >> 1) % 8) {
        case 0: {
            const ContactRecord record = recordFrom(input);
            list.addCopy(&record);
            break;
        }
        case 1:
            if (const ContactRecord* record = someRecord(list, input))
                list.addCopy(record);  // a duplicate within the list
            break;
        case 2: check(list, someRecord(other, input)); break;
        case 3: check(list, someRecord(list, input)); break;
        case 4: {
            const ContactRecord record = recordFrom(input);
            list.mergeAt(list.count() > 0 ? input.byte() % list.count() : 0, &record);
            break;
        }
        case 5:
            if (list.count() > 0) {
                const int32_t position = input.byte() % list.count();
                const ContactRecord record = recordFrom(input);
                assignRecordValues(*list.at(position), record);
                list.noteChanged(position);
            }
            break;
        case 6: {
            // Search, then overwrite the counterpart found, as the stores do.
            const ContactRecord record = recordFrom(input);
            check(list, &record);
            const MatchResult match = findMatch(&list, &record);
            if (match.record != nullptr)
                assignRecordValues(*match.record, record);
            break;
        }
        default:
            if ((operation >> 4) == 0xF)
                list.clear();
            else
                check(list, nullptr);
            break;
        }
    }
    return 0;
}
