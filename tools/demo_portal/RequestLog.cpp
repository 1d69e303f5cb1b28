#include "RequestLog.h"

#include <algorithm>

namespace demo_portal {

namespace {

// Whole segments only: "/log" takes "/log" and "/log/x" but not "/login"; a prefix
// ending in '/' takes everything below it.
bool StartsWith(const RequestRecord& record, std::string_view prefix) {
    const std::string_view path(record.path);
    if (path.substr(0, prefix.size()) != prefix) return false;
    return path.size() == prefix.size() || prefix.empty() || prefix.back() == '/' || path[prefix.size()] == '/';
}

}  // namespace

void RequestLog::Add(RequestRecord record) {
    if (m_observer) m_observer(record);
    {
        std::lock_guard lock(m_mutex);
        m_records.push_back(std::move(record));
    }
    m_changed.notify_all();
}

void RequestLog::Clear() {
    std::lock_guard lock(m_mutex);
    m_records.clear();
}

std::vector<RequestRecord> RequestLog::All() const {
    std::lock_guard lock(m_mutex);
    return m_records;
}

std::vector<RequestRecord> RequestLog::Matching(std::string_view pathPrefix) const {
    std::lock_guard lock(m_mutex);
    std::vector<RequestRecord> result;
    std::copy_if(m_records.begin(), m_records.end(), std::back_inserter(result),
                 [pathPrefix](const RequestRecord& record) { return StartsWith(record, pathPrefix); });
    return result;
}

std::size_t RequestLog::Count(std::string_view pathPrefix) const {
    std::lock_guard lock(m_mutex);
    return CountLocked(pathPrefix);
}

std::size_t RequestLog::CountLocked(std::string_view pathPrefix) const {
    return static_cast<std::size_t>(std::count_if(
        m_records.begin(), m_records.end(),
        [pathPrefix](const RequestRecord& record) { return StartsWith(record, pathPrefix); }));
}

bool RequestLog::WaitFor(std::string_view pathPrefix, std::size_t count, std::chrono::milliseconds timeout) const {
    std::unique_lock lock(m_mutex);
    return m_changed.wait_for(lock, timeout, [&] { return CountLocked(pathPrefix) >= count; });
}

std::optional<RequestRecord> RequestLog::WaitForFirst(std::string_view pathPrefix,
                                                      std::chrono::milliseconds timeout) const {
    std::unique_lock lock(m_mutex);
    std::optional<RequestRecord> found;
    m_changed.wait_for(lock, timeout, [&] {
        const auto it = std::find_if(m_records.begin(), m_records.end(),
                                     [pathPrefix](const RequestRecord& record) { return StartsWith(record, pathPrefix); });
        if (it != m_records.end()) found = *it;
        return found.has_value();
    });
    return found;
}

}  // namespace demo_portal
