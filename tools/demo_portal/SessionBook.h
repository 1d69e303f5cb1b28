#pragma once

#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

namespace demo_portal {

struct PortalSession {
    std::string account;
    std::string serverId;
};

// The signed-in sessions, keyed by the token the session cookie carries.
class SessionBook {
public:
    static constexpr std::string_view kCookieName = "varnholt_session";

    // Opens a session and returns its fresh token.
    std::string Open(PortalSession session);
    std::optional<PortalSession> Find(std::string_view token) const;
    // The session a Cookie header points at, if any.
    std::optional<PortalSession> FindByCookieHeader(std::string_view cookieHeader) const;

    // The value of the session cookie in a Cookie header.
    static std::optional<std::string> TokenFromCookieHeader(std::string_view cookieHeader);

private:
    mutable std::mutex m_mutex;
    std::map<std::string, PortalSession, std::less<>> m_sessions;
};

}  // namespace demo_portal
