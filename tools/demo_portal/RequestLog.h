#pragma once

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <functional>
#include <mutex>
#include <optional>
#include <string_view>
#include <vector>

#include "RequestRecord.h"

namespace demo_portal {

// Every request the portal saw, in arrival order. Written by the server thread, read by
// tests on theirs; waiting calls wake up on each new entry.
class RequestLog {
public:
    using Observer = std::function<void(const RequestRecord&)>;

    // Called on the adding thread for each new entry; set it before requests arrive.
    void SetObserver(Observer observer) { m_observer = std::move(observer); }
    void Add(RequestRecord record);
    void Clear();

    std::vector<RequestRecord> All() const;
    // Requests whose path starts with the prefix, by whole segments: "/log" matches
    // "/log" and "/log/x" but not "/login"; "/game/" matches everything below /game.
    std::vector<RequestRecord> Matching(std::string_view pathPrefix) const;
    std::size_t Count(std::string_view pathPrefix) const;

    // True once at least `count` requests match, false when the timeout ran out first.
    bool WaitFor(std::string_view pathPrefix, std::size_t count, std::chrono::milliseconds timeout) const;
    // The first matching request, waiting for it up to the timeout.
    std::optional<RequestRecord> WaitForFirst(std::string_view pathPrefix, std::chrono::milliseconds timeout) const;

private:
    std::size_t CountLocked(std::string_view pathPrefix) const;

    mutable std::mutex m_mutex;
    mutable std::condition_variable m_changed;
    std::vector<RequestRecord> m_records;
    Observer m_observer;
};

}  // namespace demo_portal
