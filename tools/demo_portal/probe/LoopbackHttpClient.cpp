#include "LoopbackHttpClient.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdlib>
#include <strings.h>

namespace demo_portal {

namespace {

bool SameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && ::strncasecmp(a.data(), b.data(), a.size()) == 0;
}

std::string Dechunk(std::string_view body) {
    std::string out;
    while (!body.empty()) {
        const size_t lineEnd = body.find("\r\n");
        if (lineEnd == std::string_view::npos) break;
        const size_t size = std::strtoul(std::string(body.substr(0, lineEnd)).c_str(), nullptr, 16);
        body.remove_prefix(lineEnd + 2);
        if (size == 0 || size > body.size()) break;
        out.append(body.substr(0, size));
        body.remove_prefix(std::min(body.size(), size + 2));
    }
    return out;
}

bool Parse(const std::string& raw, HttpResponse& response) {
    const size_t headerEnd = raw.find("\r\n\r\n");
    if (headerEnd == std::string::npos || raw.compare(0, 5, "HTTP/") != 0) return false;
    const size_t space = raw.find(' ');
    if (space == std::string::npos || space > headerEnd) return false;
    response.status = std::atoi(raw.c_str() + space + 1);
    size_t lineStart = raw.find("\r\n") + 2;
    while (lineStart < headerEnd) {
        const size_t lineEnd = raw.find("\r\n", lineStart);
        const std::string line = raw.substr(lineStart, lineEnd - lineStart);
        lineStart = lineEnd + 2;
        const size_t colon = line.find(':');
        if (colon == std::string::npos) continue;
        const size_t valueStart = line.find_first_not_of(' ', colon + 1);
        response.headers.emplace_back(line.substr(0, colon),
                                      valueStart == std::string::npos ? "" : line.substr(valueStart));
    }
    response.body = raw.substr(headerEnd + 4);
    const auto encoding = response.Header("Transfer-Encoding");
    if (encoding && SameName(*encoding, "chunked")) response.body = Dechunk(response.body);
    return true;
}

}  // namespace

std::optional<std::string> HttpResponse::Header(std::string_view name) const {
    for (const auto& [key, value] : headers) {
        if (SameName(key, name)) return value;
    }
    return std::nullopt;
}

std::vector<std::string> HttpResponse::HeaderValues(std::string_view name) const {
    std::vector<std::string> values;
    for (const auto& [key, value] : headers) {
        if (SameName(key, name)) values.push_back(value);
    }
    return values;
}

namespace {

// Talks over a connected socket; the caller owns and closes it.
HttpExchange Exchange(int fd, const std::string& rawRequest, std::chrono::steady_clock::time_point deadline) {
    HttpExchange exchange;
    size_t sent = 0;
    while (sent < rawRequest.size()) {
        const ssize_t n = ::send(fd, rawRequest.data() + sent, rawRequest.size() - sent, MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            exchange.outcome = HttpOutcome::Closed;
            return exchange;
        }
        sent += static_cast<size_t>(n);
    }
    std::string raw;
    std::array<char, 16384> buffer{};
    for (;;) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            exchange.outcome = HttpOutcome::TimedOut;
            return exchange;
        }
        pollfd waitFor{fd, POLLIN, 0};
        const int ready = ::poll(&waitFor, 1, static_cast<int>(left.count()));
        if (ready <= 0) continue;  // interrupted or not yet: the deadline decides
        const ssize_t n = ::recv(fd, buffer.data(), buffer.size(), 0);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        raw.append(buffer.data(), static_cast<size_t>(n));
    }
    exchange.outcome = Parse(raw, exchange.response) ? HttpOutcome::Answered : HttpOutcome::Closed;
    return exchange;
}

}  // namespace

HttpExchange LoopbackHttpClient::Send(const std::string& rawRequest, std::chrono::milliseconds timeout) const {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return {};
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(m_port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    HttpExchange exchange;  // ConnectFailed unless connected
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) == 0) {
        exchange = Exchange(fd, rawRequest, deadline);
    }
    ::close(fd);
    return exchange;
}

std::string LoopbackHttpClient::Request(std::string_view method, std::string_view target,
                                        const std::vector<std::string>& headerLines) const {
    std::string request = std::string(method) + " " + std::string(target) + " HTTP/1.1\r\n";
    request += "Host: 127.0.0.1:" + std::to_string(m_port) + "\r\n";
    request += "Connection: close\r\n";
    for (const std::string& line : headerLines) request += line + "\r\n";
    return request;
}

HttpExchange LoopbackHttpClient::Get(std::string_view target, const std::vector<std::string>& headerLines,
                                     std::chrono::milliseconds timeout) const {
    return Send(Request("GET", target, headerLines) + "\r\n", timeout);
}

HttpExchange LoopbackHttpClient::Post(std::string_view target, std::string_view contentType, std::string_view body,
                                      const std::vector<std::string>& headerLines,
                                      std::chrono::milliseconds timeout) const {
    std::string request = Request("POST", target, headerLines);
    request += "Content-Type: " + std::string(contentType) + "\r\n";
    request += "Content-Length: " + std::to_string(body.size()) + "\r\n\r\n";
    request += body;
    return Send(request, timeout);
}

}  // namespace demo_portal
