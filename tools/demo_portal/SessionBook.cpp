#include "SessionBook.h"

#include "GLibPtr.h"

namespace demo_portal {

std::string SessionBook::Open(PortalSession session) {
    GCharPtr uuid(g_uuid_string_random());
    std::string token;
    for (const char* c = uuid.get(); *c != '\0'; ++c) {
        if (*c != '-') token += *c;
    }
    std::lock_guard lock(m_mutex);
    m_sessions[token] = std::move(session);
    return token;
}

std::optional<PortalSession> SessionBook::Find(std::string_view token) const {
    std::lock_guard lock(m_mutex);
    const auto it = m_sessions.find(token);
    if (it == m_sessions.end()) return std::nullopt;
    return it->second;
}

std::optional<PortalSession> SessionBook::FindByCookieHeader(std::string_view cookieHeader) const {
    const auto token = TokenFromCookieHeader(cookieHeader);
    return token ? Find(*token) : std::nullopt;
}

std::optional<std::string> SessionBook::TokenFromCookieHeader(std::string_view cookieHeader) {
    std::string_view rest = cookieHeader;
    while (!rest.empty()) {
        const size_t semi = rest.find(';');
        std::string_view pair = rest.substr(0, semi);
        rest = semi == std::string_view::npos ? std::string_view() : rest.substr(semi + 1);
        while (!pair.empty() && pair.front() == ' ') pair.remove_prefix(1);
        const size_t eq = pair.find('=');
        if (eq != std::string_view::npos && pair.substr(0, eq) == kCookieName) {
            return std::string(pair.substr(eq + 1));
        }
    }
    return std::nullopt;
}

}  // namespace demo_portal
