#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace demo_portal {

struct HttpResponse {
    int status = 0;
    std::vector<std::pair<std::string, std::string>> headers;
    std::string body;

    // First header of that name (case-insensitive).
    std::optional<std::string> Header(std::string_view name) const;
    std::vector<std::string> HeaderValues(std::string_view name) const;
};

enum class HttpOutcome {
    Answered,       // a full response arrived and the server closed the connection
    TimedOut,       // nothing complete before the deadline
    Closed,         // the connection closed without a response
    ConnectFailed,  // nobody listening
};

struct HttpExchange {
    HttpOutcome outcome = HttpOutcome::ConnectFailed;
    HttpResponse response;
};

// A deliberately dumb HTTP/1.1 client on 127.0.0.1: it sends the bytes it is given, so
// tests can send what a browser would refuse to (dot segments, odd encodings), and it
// never caches, follows redirects or keeps cookies.
class LoopbackHttpClient {
public:
    explicit LoopbackHttpClient(std::uint16_t port) : m_port(port) {}

    // Sends a complete request and reads until the server closes the connection.
    HttpExchange Send(const std::string& rawRequest, std::chrono::milliseconds timeout) const;

    // GET with "Connection: close"; extra header lines go as given ("Name: value").
    HttpExchange Get(std::string_view target, const std::vector<std::string>& headerLines = {},
                     std::chrono::milliseconds timeout = std::chrono::seconds(5)) const;
    HttpExchange Post(std::string_view target, std::string_view contentType, std::string_view body,
                      const std::vector<std::string>& headerLines = {},
                      std::chrono::milliseconds timeout = std::chrono::seconds(5)) const;

private:
    std::string Request(std::string_view method, std::string_view target,
                        const std::vector<std::string>& headerLines) const;

    std::uint16_t m_port;
};

}  // namespace demo_portal
