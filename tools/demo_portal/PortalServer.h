#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <future>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "GLibPtr.h"
#include "RequestLog.h"
#include "SessionBook.h"

namespace demo_portal {

// The demo portal on 127.0.0.1: the document root, sign-in, report, log and hang routes,
// and a request log. It runs on its own thread with its own main context, so the thread
// that owns it may block as long as it likes.
//
// It listens twice: the main origin, and a second port that serves the same routes as a
// different origin, for cross-origin frames.
class PortalServer {
public:
    struct Options {
        std::filesystem::path root;
        std::uint16_t port = 0;       // 0: the system picks one
        std::uint16_t framePort = 0;  // 0: the system picks one
        RequestLog::Observer onRequest = nullptr;  // called on the server thread for each request
    };

    explicit PortalServer(Options options);
    ~PortalServer();
    PortalServer(const PortalServer&) = delete;
    PortalServer& operator=(const PortalServer&) = delete;

    // Listening once this returns; throws std::runtime_error when it cannot.
    void Start();
    // Stops listening and closes every connection, held ones included. Idempotent.
    void Stop();

    std::uint16_t Port() const { return m_port; }
    std::uint16_t FramePort() const { return m_framePort; }
    // "http://127.0.0.1:PORT" + pathAndQuery, which must start with '/'.
    std::string Url(std::string_view pathAndQuery) const;
    std::string FrameUrl(std::string_view pathAndQuery) const;
    // entry.html, set to go on to `target` (any text, "play.htm" included, as hex in its
    // own address) and then `pad` characters of its filler pattern, once it has loaded.
    std::string EntryUrl(std::string_view target, std::size_t pad = 0) const;

    std::vector<RequestRecord> Requests() const { return m_log.All(); }
    std::vector<RequestRecord> RequestsTo(std::string_view pathPrefix) const { return m_log.Matching(pathPrefix); }
    std::size_t CountRequests(std::string_view pathPrefix) const { return m_log.Count(pathPrefix); }
    bool WaitForRequests(std::string_view pathPrefix, std::size_t count, std::chrono::milliseconds timeout) const {
        return m_log.WaitFor(pathPrefix, count, timeout);
    }
    std::optional<RequestRecord> WaitForRequest(std::string_view pathPrefix, std::chrono::milliseconds timeout) const {
        return m_log.WaitForFirst(pathPrefix, timeout);
    }
    void ClearRequests() { m_log.Clear(); }

    const SessionBook& Sessions() const { return m_sessions; }

private:
    void Run(std::promise<void>& ready);

    Options m_options;
    RequestLog m_log;
    SessionBook m_sessions;
    GMainContextPtr m_context;
    GMainLoopPtr m_loop;
    std::thread m_thread;
    std::uint16_t m_port = 0;
    std::uint16_t m_framePort = 0;
};

}  // namespace demo_portal
