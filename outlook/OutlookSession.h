#pragma once
#include <cstdint>
#include <memory>

#include "outlook/AutomationObject.h"
#include "outlook/AutomationStarter.h"
#include "outlook/ConnectorLog.h"

// The automation session with Outlook, shared by every object in the
// process: the first open starts Outlook (logging each step), later opens
// join it, and the last close lets it go. Each object keeps its own
// references to the application, the MAPI namespace and the created object.
//
// The virtual operations are the connector's slots. Construction runs init
// and destruction runs shutdown; while the base part is being built or torn
// down those calls reach this class's own versions, so a derived object
// joins the session once as a plain session and once as itself.
class OutlookSession {
public:
    OutlookSession();
    virtual ~OutlookSession();
    OutlookSession(const OutlookSession&) = delete;
    OutlookSession& operator=(const OutlookSession&) = delete;

    // clear; true.
    virtual bool load();
    // Nothing here.
    virtual void clear();
    // open.
    virtual bool init();
    // clear, then close.
    virtual void shutdown();
    // Joins the running session or starts one. False when Outlook could not
    // be started; the reference taken is then given back.
    virtual bool open();
    // Gives back one reference this object holds; the last one in the
    // process ends the session.
    virtual void close();

    // The process-wide state, for the main window and tests.
    static bool sessionStarted();
    static int32_t sessionRefCount();
    // The clock the log of the next session start stamps its entries with;
    // an empty clock is the local time.
    static void setLogClock(ConnectorLog::Clock clock);

protected:
    const AutomationObjectRef& application() const { return application_; }
    const AutomationObjectRef& nameSpace() const { return nameSpace_; }
    // Opens of this object not yet closed.
    int32_t heldReferences() const { return heldReferences_; }

private:
    bool start();
    void releaseReferences();

    AutomationObjectRef application_;
    AutomationObjectRef nameSpace_;
    // The created object lives in its starter, which releases it.
    std::shared_ptr<AutomationStarter> createdObject_;
    // Opens of this object not yet closed. A failed open has already given
    // its reference back, so a later close must not give back another's.
    int32_t heldReferences_ = 0;
};
