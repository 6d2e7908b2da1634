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
    static constexpr int32_t AccessDenied = static_cast<int32_t>(0x80070005u);

    // Outlook busy: the call may be made again in a moment.
    static constexpr int32_t CallRejected = static_cast<int32_t>(0x80010001u);
    static constexpr int32_t ServerCallRetryLater = static_cast<int32_t>(0x8001010Au);

    // Outlook closed or crashed: no later call through these objects can work.
    static constexpr int32_t ServerUnavailable = static_cast<int32_t>(0x800706BAu);
    static constexpr int32_t CallFailed = static_cast<int32_t>(0x800706BEu);
    static constexpr int32_t CallFailedDidNotExecute = static_cast<int32_t>(0x800706BFu);
    static constexpr int32_t Disconnected = static_cast<int32_t>(0x80010108u);
    static constexpr int32_t ServerFault = static_cast<int32_t>(0x80010105u);
    static constexpr int32_t ObjectNotConnected = static_cast<int32_t>(0x800401FDu);
    static constexpr int32_t ServerDied = static_cast<int32_t>(0x80010007u);
    static constexpr int32_t ServerDiedDidNotExecute = static_cast<int32_t>(0x80010012u);
    static constexpr int32_t ServerNotAvailable = static_cast<int32_t>(0x800401FEu);
};

inline bool automationSucceeded(int32_t status) { return status >= 0; }

inline bool isOutlookBusyStatus(int32_t status) {
    return status == AutomationStatus::CallRejected || status == AutomationStatus::ServerCallRetryLater;
}

// The server's process ended or its objects were cut off from this one.
inline bool isOutlookGoneStatus(int32_t status) {
    switch (status) {
    case AutomationStatus::ServerUnavailable:
    case AutomationStatus::CallFailed:
    case AutomationStatus::CallFailedDidNotExecute:
    case AutomationStatus::Disconnected:
    case AutomationStatus::ServerFault:
    case AutomationStatus::ObjectNotConnected:
    case AutomationStatus::ServerDied:
    case AutomationStatus::ServerDiedDidNotExecute:
    case AutomationStatus::ServerNotAvailable: return true;
    default: return false;
    }
}
