#include "GtkWebView.h"

#include "ControlLayer.h"
#include "WebSession.h"

namespace platform::gtk {

namespace {
// The host asks for pages without scroll bars; scrolling by wheel and keys still works.
constexpr const char* kNoScrollBarsStyle =
    "::-webkit-scrollbar { display: none !important; } html { scrollbar-width: none !important; }";
// The host offers pages no external object.
constexpr const char* kNoExternalScript =
    "try { Object.defineProperty(window, 'external', {value: null, writable: false, configurable: false}); }"
    " catch (e) {}";
}  // namespace

GtkWebView::GtkWebView(WebSession& session, std::shared_ptr<ControlLayer> layer, WebViewEvents& events)
    : m_events(events), m_layer(std::move(layer)), m_content(AdoptObject(webkit_user_content_manager_new())) {
    WebKitSettings* settings = webkit_settings_new();
    webkit_settings_set_enable_developer_extras(settings, FALSE);
    webkit_settings_set_allow_file_access_from_file_urls(settings, FALSE);
    webkit_settings_set_allow_universal_access_from_file_urls(settings, FALSE);
    webkit_settings_set_javascript_can_open_windows_automatically(settings, FALSE);
    m_view = RetainObject(GTK_WIDGET(g_object_new(WEBKIT_TYPE_WEB_VIEW, "web-context", session.Context(),
                                                  "user-content-manager", m_content.get(), "settings", settings,
                                                  nullptr)));
    g_object_unref(settings);

    GtkWidget* view = m_view.get();
    m_signals.Connect(view, "decide-policy",
                      +[](WebKitWebView*, WebKitPolicyDecision* decision, WebKitPolicyDecisionType type,
                          gpointer self) -> gboolean {
                          return static_cast<GtkWebView*>(self)->OnDecidePolicy(decision, type);
                      }, this);
    m_signals.Connect(view, "load-changed", +[](WebKitWebView*, WebKitLoadEvent event, gpointer self) {
        static_cast<GtkWebView*>(self)->OnLoadChanged(event);
    }, this);
    m_signals.Connect(view, "notify::title", +[](WebKitWebView* webView, GParamSpec*, gpointer self) {
        const gchar* title = webkit_web_view_get_title(webView);
        static_cast<GtkWebView*>(self)->m_events.OnTitleChanged(title != nullptr ? title : "");
    }, this);
    m_signals.Connect(view, "context-menu",
                      +[](WebKitWebView*, WebKitContextMenu*, GdkEvent*, WebKitHitTestResult*, gpointer self) -> gboolean {
                          return static_cast<GtkWebView*>(self)->m_policy.showContextMenu ? FALSE : TRUE;
                      }, this);
    m_signals.Connect(view, "script-dialog", +[](WebKitWebView*, WebKitScriptDialog*, gpointer self) -> gboolean {
        return static_cast<GtkWebView*>(self)->m_silent ? TRUE : FALSE;
    }, this);
    // New windows are never created here; the request was already decided as a navigation.
    m_signals.Connect(view, "create", +[](WebKitWebView*, WebKitNavigationAction*, gpointer) -> GtkWidget* {
        return nullptr;
    }, this);

    m_layer->Put(view, m_rect);
    gtk_widget_show(view);
}

GtkWebView::~GtkWebView() { Destroy(); }

void GtkWebView::Destroy() {
    if (!m_view) {
        return;
    }
    m_signals.DisconnectAll();
    GtkWidget* view = m_view.get();
    webkit_web_view_stop_loading(WEBKIT_WEB_VIEW(view));
    m_layer->Remove(view);
    m_view.reset();
}

void GtkWebView::Navigate(const std::string& url) {
    if (m_view) {
        webkit_web_view_load_uri(WEBKIT_WEB_VIEW(m_view.get()), url.c_str());
    }
}

void GtkWebView::Stop() {
    if (m_view) {
        webkit_web_view_stop_loading(WEBKIT_WEB_VIEW(m_view.get()));
    }
}

void GtkWebView::SetVisible(bool visible) {
    if (m_view) {
        gtk_widget_set_visible(m_view.get(), visible ? TRUE : FALSE);
    }
}

bool GtkWebView::IsVisible() const { return m_view && gtk_widget_get_visible(m_view.get()); }

int GtkWebView::GetReadyState() const {
    if (!m_view) {
        return READYSTATE_UNINITIALIZED;
    }
    return webkit_web_view_is_loading(WEBKIT_WEB_VIEW(m_view.get())) ? READYSTATE_LOADING : READYSTATE_COMPLETE;
}

std::string GtkWebView::GetLocation() const {
    const gchar* uri = m_view ? webkit_web_view_get_uri(WEBKIT_WEB_VIEW(m_view.get())) : nullptr;
    return uri != nullptr ? uri : "";
}

void GtkWebView::MoveWindow(const Rect& rectInWindow) {
    m_rect = rectInWindow;
    if (!m_view) {
        return;
    }
    m_layer->Move(m_view.get(), rectInWindow);
}

void GtkWebView::ApplyHostUiPolicy(const HostUiPolicy& policy) {
    m_policy = policy;
    webkit_user_content_manager_remove_all_style_sheets(m_content.get());
    webkit_user_content_manager_remove_all_scripts(m_content.get());
    if (!policy.showScrollBars) {
        WebKitUserStyleSheet* sheet = webkit_user_style_sheet_new(
            kNoScrollBarsStyle, WEBKIT_USER_CONTENT_INJECT_ALL_FRAMES, WEBKIT_USER_STYLE_LEVEL_USER, nullptr, nullptr);
        webkit_user_content_manager_add_style_sheet(m_content.get(), sheet);
        webkit_user_style_sheet_unref(sheet);
    }
    if (!policy.exposeExternal) {
        WebKitUserScript* script =
            webkit_user_script_new(kNoExternalScript, WEBKIT_USER_CONTENT_INJECT_ALL_FRAMES,
                                   WEBKIT_USER_SCRIPT_INJECT_AT_DOCUMENT_START, nullptr, nullptr);
        webkit_user_content_manager_add_script(m_content.get(), script);
        webkit_user_script_unref(script);
    }
}

gboolean GtkWebView::OnDecidePolicy(WebKitPolicyDecision* decision, WebKitPolicyDecisionType type) {
    if (type != WEBKIT_POLICY_DECISION_TYPE_NAVIGATION_ACTION && type != WEBKIT_POLICY_DECISION_TYPE_NEW_WINDOW_ACTION) {
        return FALSE;
    }
    WebKitNavigationAction* action =
        webkit_navigation_policy_decision_get_navigation_action(WEBKIT_NAVIGATION_POLICY_DECISION(decision));
    WebKitURIRequest* request = webkit_navigation_action_get_request(action);
    const gchar* uri = request != nullptr ? webkit_uri_request_get_uri(request) : nullptr;
    const std::string address = uri != nullptr ? uri : "";
    // Keep the decision alive: the handlers below may run nested loops.
    GObjectPtr<WebKitPolicyDecision> hold(WEBKIT_POLICY_DECISION(g_object_ref(decision)));
    if (type == WEBKIT_POLICY_DECISION_TYPE_NEW_WINDOW_ACTION) {
        webkit_policy_decision_ignore(decision);
        m_events.OnNewWindow(address);
        return TRUE;
    }
    bool cancel = false;
    m_events.OnBeforeNavigate2(address, NavigationTarget::TopLevel, cancel);
    if (cancel) {
        webkit_policy_decision_ignore(decision);
    } else {
        webkit_policy_decision_use(decision);
    }
    return TRUE;
}

void GtkWebView::OnLoadChanged(WebKitLoadEvent event) {
    if (event == WEBKIT_LOAD_COMMITTED) {
        m_hasDocument = true;
    } else if (event == WEBKIT_LOAD_FINISHED) {
        m_hasDocument = true;
        m_events.OnDocumentComplete(GetLocation(), NavigationTarget::TopLevel);
    }
}

}  // namespace platform::gtk
