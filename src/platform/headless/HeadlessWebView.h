#pragma once

#include <optional>
#include <string>
#include <vector>

#include "../WebView.h"

namespace platform::headless {

class HeadlessWindow;

// A browser in memory. A test plays the pages: it asks for navigations as a page or the
// user would, and finishes loads.
class HeadlessWebView final : public WebView {
public:
    HeadlessWebView(HeadlessWindow& owner, WebViewEvents& events);
    ~HeadlessWebView() override;

    void Navigate(const std::string& url) override;
    void Stop() override { ++m_stopCount; m_pendingUrl.clear(); m_readyState = READYSTATE_COMPLETE; }
    void SetVisible(bool visible) override { m_visible = visible; m_visibilityHistory.push_back(visible); }
    bool IsVisible() const override { return m_visible; }
    void SetSilent(bool silent) override { m_silent = silent; }
    int GetReadyState() const override { return m_readyState; }
    bool HasDocument() const override { return m_hasDocument; }
    std::string GetLocation() const override { return m_location; }
    void MoveWindow(const Rect& rect) override { m_rect = rect; }
    Rect GetRect() const override { return m_rect; }
    void ApplyHostUiPolicy(const HostUiPolicy& policy) override { m_policy = policy; ++m_policyApplications; }
    void Destroy() override { m_destroyed = true; }
    void ExposeExternal(const ExternalObject& external) override { m_external = external; }
    std::string GetTitle() const override { return m_title; }

    // A page (or the user) starts a navigation: true when it went ahead.
    bool RequestNavigation(const std::string& url, NavigationTarget target = NavigationTarget::TopLevel);
    // A page asks for a new window.
    void RequestNewWindow(const std::string& url) { m_events.OnNewWindow(url); }
    // The pending load finishes.
    void FinishLoad();
    void FinishFrameLoad(const std::string& url);
    // The page's title changes (empty: the page has none).
    void SetTitle(const std::string& title) {
        m_title = title;
        m_events.OnTitleChanged(title);
    }
    // A page calls window.external: a constant method answers at once; nullopt when the
    // page finds no such method.
    std::optional<std::string> CallExternal(const std::string& method, const std::string& argument = {});
    // The web process dies.
    void KillWebProcess() { m_location.clear(); m_events.OnWebProcessTerminated(); }
    const ExternalObject& External() const { return m_external; }
    void SetReadyState(int state) { m_readyState = state; }
    void SetHasDocument(bool hasDocument) { m_hasDocument = hasDocument; }
    void Detach() { m_owner = nullptr; }

    const std::vector<std::string>& NavigateCalls() const { return m_navigateCalls; }
    const std::vector<std::string>& StartedRequests() const { return m_startedRequests; }
    const std::vector<bool>& VisibilityHistory() const { return m_visibilityHistory; }
    const std::string& PendingUrl() const { return m_pendingUrl; }
    int StopCount() const { return m_stopCount; }
    bool IsSilent() const { return m_silent; }
    bool IsDestroyed() const { return m_destroyed; }
    const HostUiPolicy& Policy() const { return m_policy; }
    int PolicyApplications() const { return m_policyApplications; }

private:
    HeadlessWindow* m_owner;
    WebViewEvents& m_events;
    std::vector<std::string> m_navigateCalls;
    std::vector<std::string> m_startedRequests;
    std::vector<bool> m_visibilityHistory;
    std::string m_pendingUrl;
    std::string m_location;
    std::string m_title;
    ExternalObject m_external;
    Rect m_rect;
    HostUiPolicy m_policy;
    int m_policyApplications = 0;
    int m_readyState = READYSTATE_COMPLETE;
    int m_stopCount = 0;
    bool m_visible = true;
    bool m_silent = false;
    bool m_hasDocument = false;
    bool m_destroyed = false;
};

}  // namespace platform::headless
