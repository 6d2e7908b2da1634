#pragma once
#include <cstddef>
#include <memory>
#include <new>
#include <vector>

// The records of an address file in file order. Each record lives at a fixed
// address from the moment it is read or added until the list is cleared, so
// callers may hold on to them.
template <typename Record>
class PalmRecordList {
public:
    void clearRecords() {
        records_.clear();
        iteration_ = 0;
    }
    size_t recordCount() const { return records_.size(); }

    // Iteration in list order; null past the end.
    Record* firstRecord() {
        iteration_ = 0;
        return recordAt(0);
    }
    Record* nextRecord() {
        if (iteration_ < records_.size())
            ++iteration_;
        return recordAt(iteration_);
    }

    // Null for an index past the end.
    Record* recordAt(size_t index) { return index < records_.size() ? records_[index].get() : nullptr; }
    const Record* recordAt(size_t index) const { return index < records_.size() ? records_[index].get() : nullptr; }

    // Appends a copy (blobs included); false when memory runs out.
    bool addRecord(const Record& record) {
        try {
            records_.push_back(std::unique_ptr<Record>(new Record(record)));
        } catch (const std::bad_alloc&) {
            return false;
        }
        return true;
    }

protected:
    std::vector<std::unique_ptr<Record>> records_;

private:
    size_t iteration_ = 0;
};
