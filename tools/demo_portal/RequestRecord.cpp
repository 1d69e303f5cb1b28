#include "RequestRecord.h"

#include "GLibPtr.h"

namespace demo_portal {

namespace {

std::string_view Trim(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return text;
}

// Percent-decoding only: a '+' stays a '+', as the sender wrote it (the client sends
// "GMT+0800" unencoded; reading it as a space would hide what went over the wire).
std::string Decode(std::string_view text) {
    const std::string raw(text);
    GCharPtr decoded(g_uri_unescape_string(raw.c_str(), nullptr));
    return decoded ? std::string(decoded.get()) : raw;
}

}  // namespace

std::optional<std::string> RequestRecord::QueryValue(std::string_view name) const {
    std::string_view rest(query);
    while (!rest.empty()) {
        const size_t amp = rest.find('&');
        const std::string_view pair = rest.substr(0, amp);
        rest = amp == std::string_view::npos ? std::string_view() : rest.substr(amp + 1);
        const size_t eq = pair.find('=');
        const std::string_view key = pair.substr(0, eq);
        if (Decode(key) == name) {
            return eq == std::string_view::npos ? std::string() : Decode(pair.substr(eq + 1));
        }
    }
    return std::nullopt;
}

bool RequestRecord::HasCookie(std::string_view name) const {
    std::string_view rest(cookie);
    while (!rest.empty()) {
        const size_t semi = rest.find(';');
        const std::string_view pair = Trim(rest.substr(0, semi));
        rest = semi == std::string_view::npos ? std::string_view() : rest.substr(semi + 1);
        if (Trim(pair.substr(0, pair.find('='))) == name) return true;
    }
    return false;
}

}  // namespace demo_portal
