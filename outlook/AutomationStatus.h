#pragma once
#include <cstdint>

// Status codes of automation calls, with the values COM gives them, so a
// status from a real IDispatch and one from the in-memory model compare alike.
// Negative means failure.
struct AutomationStatus {
    static constexpr int32_t Ok = 0;
    // Success without effect (S_FALSE): e.g. a put skipped because there was
    // nothing to put.
    static constexpr int32_t NothingDone = 1;
    static constexpr int32_t Failed = static_cast<int32_t>(0x80004005u);
    static constexpr int32_t NoInterface = static_cast<int32_t>(0x80004002u);
    static constexpr int32_t OutOfMemory = static_cast<int32_t>(0x8007000Eu);
    static constexpr int32_t InvalidArgument = static_cast<int32_t>(0x80070057u);
    static constexpr int32_t MemberNotFound = static_cast<int32_t>(0x80020003u);
    static constexpr int32_t TypeMismatch = static_cast<int32_t>(0x80020005u);
    static constexpr int32_t UnknownName = static_cast<int32_t>(0x80020006u);
    static constexpr int32_t Exception = static_cast<int32_t>(0x80020009u);
    static constexpr int32_t BadParameterCount = static_cast<int32_t>(0x8002000Eu);
    static constexpr int32_t ClassNotRegistered = static_cast<int32_t>(0x80040154u);
    static constexpr int32_t InvalidClassString = static_cast<int32_t>(0x800401F3u);
};

inline bool automationSucceeded(int32_t status) { return status >= 0; }
