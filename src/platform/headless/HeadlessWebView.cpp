#include "HeadlessWebView.h"

#include "HeadlessWindow.h"

namespace platform::headless {

HeadlessWebView::HeadlessWebView(HeadlessWindow& owner, WebViewEvents& events) : m_owner(&owner), m_events(events) {}

HeadlessWebView::~HeadlessWebView() {
    if (m_owner != nullptr) {
        m_owner->Forget(this);
    }
}

void HeadlessWebView::Navigate(const std::string& url) {
    m_navigateCalls.push_back(url);
    RequestNavigation(url);
}

bool HeadlessWebView::RequestNavigation(const std::string& url, NavigationTarget target) {
    bool cancel = false;
    m_events.OnBeforeNavigate2(url, target, cancel);
    if (cancel) {
        return false;
    }
    m_startedRequests.push_back(url);
    if (target == NavigationTarget::TopLevel) {
        m_pendingUrl = url;
        m_readyState = READYSTATE_LOADING;
    }
    return true;
}

void HeadlessWebView::FinishLoad() {
    if (m_pendingUrl.empty()) {
        return;
    }
    m_location = m_pendingUrl;
    m_pendingUrl.clear();
    m_title.clear();
    m_hasDocument = true;
    m_readyState = READYSTATE_COMPLETE;
    m_events.OnDocumentComplete(m_location, NavigationTarget::TopLevel);
}

std::optional<std::string> HeadlessWebView::CallExternal(const std::string& method, const std::string& argument) {
    for (const auto& [name, value] : m_external.constantMethods) {
        if (name == method) {
            return value;
        }
    }
    for (const std::string& name : m_external.messageMethods) {
        if (name == method) {
            m_events.OnExternalCall(method, argument);
            return std::string();
        }
    }
    return std::nullopt;
}

void HeadlessWebView::FinishFrameLoad(const std::string& url) { m_events.OnDocumentComplete(url, NavigationTarget::Frame); }

}  // namespace platform::headless
