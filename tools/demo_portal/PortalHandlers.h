#pragma once

#include <libsoup/soup.h>

#include <cstdint>
#include <string>
#include <vector>

#include "DocumentRoot.h"
#include "GLibPtr.h"
#include "RequestLog.h"
#include "SessionBook.h"

namespace demo_portal {

// The portal's routes on one SoupServer. Lives on the server's thread; unregisters itself
// when it dies so no callback reaches a dead object.
class PortalHandlers {
public:
    PortalHandlers(SoupServer* server, const DocumentRoot& root, RequestLog& log, SessionBook& sessions);
    ~PortalHandlers();
    PortalHandlers(const PortalHandlers&) = delete;
    PortalHandlers& operator=(const PortalHandlers&) = delete;

    // Where the second origin listens; the game page learns it from /api/status.
    void SetFrameOrigin(std::string origin) { m_frameOrigin = std::move(origin); }
    // Lets go of the requests /hang holds; their connections close with the server.
    void ReleaseHeldRequests() { m_held.clear(); }

private:
    void Record(SoupServerMessage* message);
    void ServeStatic(SoupServerMessage* message);
    void Login(SoupServerMessage* message);
    void Report(SoupServerMessage* message);
    void Log(SoupServerMessage* message);
    void Hang(SoupServerMessage* message);
    void Status(SoupServerMessage* message);

    // Picks the route by exact path and turns anything it throws into a 500, so no
    // exception reaches libsoup.
    static void Dispatch(SoupServer*, SoupServerMessage* message, const char* path, GHashTable*, gpointer self);

    SoupServer* m_server;
    const DocumentRoot& m_root;
    RequestLog& m_log;
    SessionBook& m_sessions;
    std::string m_frameOrigin;
    std::vector<GObjectPtr<SoupServerMessage>> m_held;
    gulong m_requestReadHandler = 0;
};

}  // namespace demo_portal
