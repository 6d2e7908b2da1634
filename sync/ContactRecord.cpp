#include "sync/ContactRecord.h"

void assignRecordValues(ContactRecord& target, const ContactRecord& source) {
    static_cast<ContactValues&>(target) = static_cast<const ContactValues&>(source);
}
