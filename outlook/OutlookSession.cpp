#include "outlook/OutlookSession.h"

#include <utility>

#include "outlook/AutomationCalls.h"

namespace {

struct SessionState {
    bool sessionStarted = false;
    int32_t sessionRefCount = 0;
    AutomationObjectRef application;
    AutomationObjectRef nameSpace;
    std::shared_ptr<AutomationStarter> createdObject;
    std::unique_ptr<ConnectorLog> log;
    ConnectorLog::Clock logClock;
};

SessionState& sessionState() {
    static SessionState state;
    return state;
}

void logEntry(const char* message) {
    SessionState& state = sessionState();
    // A log that cannot be written never stops the start.
    if (state.log)
        state.log->writeEntry(message);
}

void logRaw(const char* text) {
    SessionState& state = sessionState();
    if (state.log)
        state.log->writeRaw(text);
}

AutomationObjectRef mapiNamespace(AutomationObject* application) {
    return ofKind(callForObject(application, "GetNameSpace", {AutomationValue::fromText(u"MAPI")}), "NameSpace");
}

}  // namespace

OutlookSession::OutlookSession() { init(); }

OutlookSession::~OutlookSession() { shutdown(); }

bool OutlookSession::load() {
    clear();
    return true;
}

void OutlookSession::clear() {}

bool OutlookSession::init() { return open(); }

void OutlookSession::shutdown() {
    clear();
    close();
}

bool OutlookSession::open() {
    SessionState& state = sessionState();
    ++state.sessionRefCount;
    ++heldReferences_;
    if (state.sessionStarted) {
        application_ = state.application;
        nameSpace_ = state.nameSpace;
        createdObject_ = state.createdObject;
        return true;
    }
    if (start())
        return true;
    close();
    return false;
}

// Each step logs only once it has succeeded, so after a failed start the last
// line names the last step that worked.
bool OutlookSession::start() {
    SessionState& state = sessionState();
    if (!state.log)
        state.log.reset(new ConnectorLog(state.logClock ? state.logClock : currentLocalTime));
    logRaw("\r\n");
    logEntry("Outlook Automation Start:");

    std::shared_ptr<AutomationStarter> starter(createAutomationStarter());
    if (!starter->lookUpClass(OutlookProgramId))
        return false;
    logEntry("Get Outlook.Application CLSID succeeded.");
    if (!starter->createObject())
        return false;
    logEntry("CoCreateInstance succeeded.");
    if (!starter->runObject())
        return false;
    logEntry("Microsoft Outlook started successfully.");
    AutomationObjectRef application = starter->queryDispatch();
    if (!application)
        return false;
    logEntry("Got Outlook IDispatch interface successfully.");
    AutomationObjectRef nameSpace = mapiNamespace(application.get());
    if (!nameSpace)
        return false;
    logEntry("Get Outlook MAPI namespace object successfully.");

    state.application = application_ = std::move(application);
    state.nameSpace = nameSpace_ = std::move(nameSpace);
    state.createdObject = createdObject_ = std::move(starter);
    state.sessionStarted = true;
    logEntry("Outlook Automation Succeeded.");
    logRaw("\r\n");
    return true;
}

void OutlookSession::close() {
    if (heldReferences_ == 0)
        return;
    --heldReferences_;
    SessionState& state = sessionState();
    const int32_t before = state.sessionRefCount--;
    if (heldReferences_ == 0)
        releaseReferences();
    if (before >= 2)
        return;

    state.sessionStarted = false;
    state.sessionRefCount = 0;
    state.nameSpace.reset();
    state.application.reset();
    state.createdObject.reset();
    state.log.reset();
}

void OutlookSession::releaseReferences() {
    nameSpace_.reset();
    application_.reset();
    createdObject_.reset();
}

bool OutlookSession::sessionStarted() { return sessionState().sessionStarted; }

int32_t OutlookSession::sessionRefCount() { return sessionState().sessionRefCount; }

void OutlookSession::setLogClock(ConnectorLog::Clock clock) { sessionState().logClock = std::move(clock); }
