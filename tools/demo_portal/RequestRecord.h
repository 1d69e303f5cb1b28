#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace demo_portal {

// One request as the portal saw it, once its headers and body were read.
struct RequestRecord {
    std::string method;
    std::string path;       // as sent, still percent-encoded
    std::string query;      // without the '?', empty when there was none
    std::string cookie;     // the Cookie header, empty when absent
    std::string userAgent;  // the User-Agent header, empty when absent
    std::string host;       // the Host header
    std::string body;       // request body (form posts)
    std::uint16_t localPort = 0;  // which listener took it: tells the two origins apart
    std::chrono::system_clock::time_point time;

    // The percent-decoded value of a query parameter (first occurrence; '+' is kept as
    // it is); nullopt when absent.
    std::optional<std::string> QueryValue(std::string_view name) const;
    bool HasCookie(std::string_view name) const;
};

}  // namespace demo_portal
