#include "PortalHandlers.h"

#include <array>
#include <cstdio>
#include <sstream>

namespace demo_portal {

namespace {

void SetText(SoupServerMessage* message, guint status, const std::string& text) {
    soup_server_message_set_status(message, status, nullptr);
    soup_server_message_set_response(message, "text/plain; charset=utf-8", SOUP_MEMORY_COPY, text.data(), text.size());
}

// Only C calls and static text: safe inside a catch block that must not throw again.
void AnswerInternalError(SoupServerMessage* message) noexcept {
    static constexpr char kText[] = "portal error\n";
    soup_server_message_set_status(message, SOUP_STATUS_INTERNAL_SERVER_ERROR, nullptr);
    soup_server_message_set_response(message, "text/plain; charset=utf-8", SOUP_MEMORY_STATIC, kText, sizeof(kText) - 1);
}

void NoStore(SoupServerMessage* message) {
    soup_message_headers_replace(soup_server_message_get_response_headers(message), "Cache-Control", "no-store");
}

void Redirect(SoupServerMessage* message, const std::string& location) {
    soup_server_message_set_status(message, SOUP_STATUS_SEE_OTHER, nullptr);
    soup_message_headers_replace(soup_server_message_get_response_headers(message), "Location", location.c_str());
    NoStore(message);
}

std::string Header(SoupServerMessage* message, const char* name) {
    const char* value = soup_message_headers_get_one(soup_server_message_get_request_headers(message), name);
    return value != nullptr ? value : "";
}

std::string JsonString(const std::string& text) {
    std::string out = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20 || c == '<') {
            std::array<char, 8> escaped{};
            std::snprintf(escaped.data(), escaped.size(), "\\u%04x", byte);
            out += escaped.data();
        } else {
            out += c;
        }
    }
    return out + "\"";
}

// Server ids are short names like S1; anything else falls back to the first server.
std::string CleanServerId(const char* value) {
    const std::string id = value != nullptr ? value : "";
    if (id.empty() || id.size() > 16) return "S1";
    for (const char c : id) {
        const bool ok = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
        if (!ok) return "S1";
    }
    return id;
}

bool EtagMatches(const std::string& ifNoneMatch, const std::string& etag) {
    std::stringstream list(ifNoneMatch);
    std::string item;
    while (std::getline(list, item, ',')) {
        const size_t first = item.find_first_not_of(" \t");
        if (first == std::string::npos) continue;
        item = item.substr(first, item.find_last_not_of(" \t") - first + 1);
        if (item == "*" || item == etag || item == "W/" + etag) return true;
    }
    return false;
}

}  // namespace

void PortalHandlers::Dispatch(SoupServer*, SoupServerMessage* message, const char* path, GHashTable*, gpointer self) {
    using Route = void (PortalHandlers::*)(SoupServerMessage*);
    static constexpr std::array<std::pair<std::string_view, Route>, 5> kRoutes{{
        {"/login", &PortalHandlers::Login},
        {"/report", &PortalHandlers::Report},
        {"/log", &PortalHandlers::Log},
        {"/hang", &PortalHandlers::Hang},
        {"/api/status", &PortalHandlers::Status},
    }};
    auto* handlers = static_cast<PortalHandlers*>(self);
    try {
        Route route = &PortalHandlers::ServeStatic;
        for (const auto& [routePath, routeHandler] : kRoutes) {
            if (routePath == path) route = routeHandler;
        }
        (handlers->*route)(message);
    } catch (...) {
        AnswerInternalError(message);
    }
}

PortalHandlers::PortalHandlers(SoupServer* server, const DocumentRoot& root, RequestLog& log, SessionBook& sessions)
    : m_server(server), m_root(root), m_log(log), m_sessions(sessions) {
    m_requestReadHandler = g_signal_connect_data(
        server, "request-read",
        G_CALLBACK(+[](SoupServer*, SoupServerMessage* message, gpointer self) {
            try {
                static_cast<PortalHandlers*>(self)->Record(message);
            } catch (...) {
                // A lost log entry is better than an exception inside libsoup.
            }
        }),
        this, nullptr, GConnectFlags{});
    // One handler for everything: libsoup matches handler paths by plain prefix, so
    // "/login" would also take "/login.html".
    soup_server_add_handler(server, nullptr, &Dispatch, this, nullptr);
}

PortalHandlers::~PortalHandlers() {
    g_signal_handler_disconnect(m_server, m_requestReadHandler);
    soup_server_remove_handler(m_server, nullptr);
    m_held.clear();
}

void PortalHandlers::Record(SoupServerMessage* message) {
    RequestRecord record;
    record.method = soup_server_message_get_method(message);
    GUri* uri = soup_server_message_get_uri(message);
    record.path = g_uri_get_path(uri);
    const char* query = g_uri_get_query(uri);
    record.query = query != nullptr ? query : "";
    record.cookie = Header(message, "Cookie");
    record.userAgent = Header(message, "User-Agent");
    record.host = Header(message, "Host");
    SoupMessageBody* body = soup_server_message_get_request_body(message);
    if (body != nullptr && body->length > 0) {
        GBytesPtr bytes(soup_message_body_flatten(body));
        gsize size = 0;
        const auto* data = static_cast<const char*>(g_bytes_get_data(bytes.get(), &size));
        record.body.assign(data, size);
    }
    GSocketAddress* local = soup_server_message_get_local_address(message);
    if (local != nullptr && G_IS_INET_SOCKET_ADDRESS(local)) {
        record.localPort = g_inet_socket_address_get_port(reinterpret_cast<GInetSocketAddress*>(local));
    }
    record.time = std::chrono::system_clock::now();
    m_log.Add(std::move(record));
}

void PortalHandlers::ServeStatic(SoupServerMessage* message) {
    const char* path = g_uri_get_path(soup_server_message_get_uri(message));
    const std::string method = soup_server_message_get_method(message);
    if (method != "GET" && method != "HEAD") {
        soup_message_headers_replace(soup_server_message_get_response_headers(message), "Allow", "GET, HEAD");
        SetText(message, SOUP_STATUS_METHOD_NOT_ALLOWED, "method not allowed\n");
        return;
    }
    if (std::string_view(path) == "/") {
        Redirect(message, "/login.html?game=varnholt");
        return;
    }
    const auto found = m_root.Lookup(path);
    if (const auto* error = std::get_if<LookupError>(&found)) {
        if (*error == LookupError::Forbidden) {
            SetText(message, SOUP_STATUS_FORBIDDEN, "forbidden\n");
        } else {
            SetText(message, SOUP_STATUS_NOT_FOUND, "not found\n");
        }
        return;
    }
    const auto& file = std::get<StaticFile>(found);
    SoupMessageHeaders* headers = soup_server_message_get_response_headers(message);
    // Cacheable on purpose: a test can tell a page served from the browser cache (no
    // request here at all) from one fetched again.
    soup_message_headers_replace(headers, "Cache-Control", "max-age=3600");
    soup_message_headers_replace(headers, "ETag", file.etag.c_str());
    soup_message_headers_replace(headers, "X-Content-Type-Options", "nosniff");
    if (EtagMatches(Header(message, "If-None-Match"), file.etag)) {
        soup_server_message_set_status(message, SOUP_STATUS_NOT_MODIFIED, nullptr);
        return;
    }
    gchar* raw = nullptr;
    gsize size = 0;
    if (!g_file_get_contents(file.path.c_str(), &raw, &size, nullptr)) {
        SetText(message, SOUP_STATUS_INTERNAL_SERVER_ERROR, "read error\n");
        return;
    }
    const GCharPtr content(raw);
    soup_server_message_set_status(message, SOUP_STATUS_OK, nullptr);
    soup_server_message_set_response(message, file.contentType.c_str(), SOUP_MEMORY_COPY, content.get(), size);
}

void PortalHandlers::Login(SoupServerMessage* message) {
    if (std::string_view(soup_server_message_get_method(message)) != "POST") {
        soup_message_headers_replace(soup_server_message_get_response_headers(message), "Allow", "POST");
        SetText(message, SOUP_STATUS_METHOD_NOT_ALLOWED, "sign in with a form post\n");
        return;
    }
    std::string form;
    SoupMessageBody* body = soup_server_message_get_request_body(message);
    if (body != nullptr && body->length > 0) {
        GBytesPtr bytes(soup_message_body_flatten(body));
        gsize size = 0;
        const auto* data = static_cast<const char*>(g_bytes_get_data(bytes.get(), &size));
        form.assign(data, size);
    }
    GHashTablePtr fields(soup_form_decode(form.c_str()));
    const auto* account = static_cast<const char*>(g_hash_table_lookup(fields.get(), "account"));
    std::string name = account != nullptr ? account : "";
    const size_t first = name.find_first_not_of(" \t");
    name = first == std::string::npos ? "" : name.substr(first, name.find_last_not_of(" \t") - first + 1);
    if (name.empty()) {
        Redirect(message, "/login.html?game=varnholt&error=account");
        return;
    }
    const std::string serverId = CleanServerId(static_cast<const char*>(g_hash_table_lookup(fields.get(), "server_id")));
    const std::string token = m_sessions.Open({name, serverId});
    const std::string cookie = std::string(SessionBook::kCookieName) + "=" + token + "; Path=/; HttpOnly";
    soup_message_headers_append(soup_server_message_get_response_headers(message), "Set-Cookie", cookie.c_str());
    Redirect(message, "/game/play.html?server_id=" + serverId + "&entry=login");
}

void PortalHandlers::Report(SoupServerMessage* message) {
    NoStore(message);
    SetText(message, SOUP_STATUS_OK, "ok\n");
}

void PortalHandlers::Log(SoupServerMessage* message) {
    NoStore(message);
    soup_server_message_set_status(message, SOUP_STATUS_NO_CONTENT, nullptr);
}

void PortalHandlers::Hang(SoupServerMessage* message) {
    // Never answered: the request stays paused until the server goes away.
    m_held.emplace_back(static_cast<SoupServerMessage*>(g_object_ref(message)));
    soup_server_message_pause(message);
}

void PortalHandlers::Status(SoupServerMessage* message) {
    const auto session = m_sessions.FindByCookieHeader(Header(message, "Cookie"));
    std::string json = "{\"signedIn\":";
    json += session ? "true" : "false";
    if (session) {
        json += ",\"account\":" + JsonString(session->account) + ",\"serverId\":" + JsonString(session->serverId);
    }
    json += ",\"frameOrigin\":" + JsonString(m_frameOrigin) + "}";
    NoStore(message);
    soup_server_message_set_status(message, SOUP_STATUS_OK, nullptr);
    soup_server_message_set_response(message, "application/json", SOUP_MEMORY_COPY, json.data(), json.size());
}

}  // namespace demo_portal
