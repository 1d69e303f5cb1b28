#pragma once

#include <webkit2/webkit2.h>

#include "../WebView.h"
#include "../glib/GObjectPtr.h"

#include <memory>

namespace platform::gtk {

class WebSession;
class ControlLayer;

// A WebKitWebView at a pixel place in its window. Navigation policy decisions are the
// BeforeNavigate2 events; a finished load is DocumentComplete.
class GtkWebView final : public WebView {
public:
    GtkWebView(WebSession& session, std::shared_ptr<ControlLayer> layer, WebViewEvents& events);
    ~GtkWebView() override;

    void Navigate(const std::string& url) override;
    void Stop() override;
    void SetVisible(bool visible) override;
    bool IsVisible() const override;
    void SetSilent(bool silent) override { m_silent = silent; }
    int GetReadyState() const override;
    bool HasDocument() const override { return m_hasDocument; }
    std::string GetLocation() const override;
    void MoveWindow(const Rect& rectInWindow) override;
    Rect GetRect() const override { return m_rect; }
    void ApplyHostUiPolicy(const HostUiPolicy& policy) override;
    void ExposeExternal(const ExternalObject& external) override;
    std::string GetTitle() const override;
    void Destroy() override;

private:
    gboolean OnDecidePolicy(WebKitPolicyDecision* decision, WebKitPolicyDecisionType type);
    void OnLoadChanged(WebKitLoadEvent event);
    void OnScriptMessage(WebKitJavascriptResult* message);
    void RebuildUserContent();

    WebViewEvents& m_events;
    GObjectPtr<GtkWidget> m_view;
    std::shared_ptr<ControlLayer> m_layer;
    GObjectPtr<WebKitUserContentManager> m_content;
    SignalConnections m_signals;
    Rect m_rect;
    HostUiPolicy m_policy;
    ExternalObject m_external;
    bool m_hasExternal = false;
    bool m_silent = false;
    bool m_hasDocument = false;
};

}  // namespace platform::gtk
