#pragma once
#include <cstdint>

// One record category of a Palm Desktop address file.
class PalmCategory {
public:
    static constexpr uint32_t DirtyFlag = 0x10;
    static constexpr uint32_t MaxNameLength = 15;
    static constexpr uint32_t MaxSafeNameLength = 255;
    static constexpr int32_t NoSlot = -1;
    static constexpr int32_t NoId = -1;

    PalmCategory();
    virtual ~PalmCategory();
    PalmCategory(const PalmCategory&) = default;
    PalmCategory& operator=(const PalmCategory&) = default;

    int32_t getSlot() const { return slot_; }
    int32_t getId() const { return id_; }
    // Clears *capacity bytes of buffer, then copies the text with its
    // terminator and sets *capacity to the text's length. Fails for an empty
    // text or one that does not fit with its terminator.
    bool copyName(char* buffer, uint32_t* capacity) const;
    const char* namePointer() const { return name_; }
    bool copySafeName(char* buffer, uint32_t* capacity) const;
    const char* safeNamePointer() const { return safeName_; }
    uint32_t flags() const { return flags_; }
    bool isDirty() const { return (flags_ & DirtyFlag) != 0; }

    void setSlot(int32_t slot) { slot_ = slot; }
    void setId(int32_t id) { id_ = id; }
    // Null sets the empty name; longer names are cut to MaxNameLength.
    void setName(const char* name);
    void setSafeName(const char* safeName);
    void setDirty(bool dirty);

private:
    int32_t slot_ = NoSlot;
    int32_t id_ = NoId;
    char name_[MaxNameLength + 1] = {};
    char safeName_[MaxSafeNameLength + 1] = {};
    uint32_t flags_ = 0;
};
