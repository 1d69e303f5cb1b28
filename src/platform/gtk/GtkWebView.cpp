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
constexpr const char* kMessageHandler = "varnholtExternal";

// Shown in place of a page that could not be reached, instead of the engine's plain text.
constexpr const char* kUnreachablePage = R"page(<!DOCTYPE html>
<html lang="zh-CN"><head><meta charset="utf-8"><title></title>
<style>
html, body { margin: 0; height: 100%; background: #14110f; color: #d9a066;
  font-family: "WenQuanYi Micro Hei", "Noto Sans CJK SC", sans-serif; overflow: hidden; }
main { height: 100%; display: flex; flex-direction: column; align-items: center; justify-content: center; }
h1 { font-size: 20px; font-weight: normal; margin: 0 0 10px; }
p { font-size: 13px; color: #8a7a6a; margin: 0 0 20px; }
button { font: inherit; font-size: 14px; color: #f0c890; background: #2a211b; border: 1px solid #7a5a3a;
  padding: 6px 28px; cursor: pointer; }
button:hover { background: #3a2c22; }
</style></head>
<body><main><h1>无法连接到服务器</h1><p>请检查网络连接后重试</p>
<button onclick="location.reload()">重试</button></main></body></html>)page";

// A JavaScript string literal holding the text, safe inside any script.
std::string ScriptString(const std::string& text) {
    std::string literal = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        switch (c) {
            case '"': literal += "\\\""; break;
            case '\\': literal += "\\\\"; break;
            case '\n': literal += "\\n"; break;
            case '\r': literal += "\\r"; break;
            case '<': literal += "\\x3c"; break;
            default:
                if (byte < 0x20) {
                    char escaped[8];
                    g_snprintf(escaped, sizeof escaped, "\\x%02x", byte);
                    literal += escaped;
                } else {
                    literal += c;
                }
        }
    }
    // U+2028 and U+2029 end lines in older script engines.
    for (const char* separator : {"\xE2\x80\xA8", "\xE2\x80\xA9"}) {
        for (std::size_t at = literal.find(separator); at != std::string::npos; at = literal.find(separator, at)) {
            literal.replace(at, 3, separator[2] == '\xA8' ? "\\u2028" : "\\u2029");
        }
    }
    return literal + "\"";
}

// window.external for every frame: constants answer synchronously; message methods pass
// one string to the host and return nothing.
std::string ExternalScript(const ExternalObject& external) {
    std::string script = "(function () { var external = {};";
    for (const auto& [name, value] : external.constantMethods) {
        script += " external[" + ScriptString(name) + "] = function () { return " + ScriptString(value) + "; };";
    }
    for (const std::string& name : external.messageMethods) {
        script += " external[" + ScriptString(name) + "] = function (text) { try { window.webkit.messageHandlers." +
                  std::string(kMessageHandler) + ".postMessage({method: " + ScriptString(name) +
                  ", argument: String(text)}); } catch (e) {} };";
    }
    script +=
        " Object.freeze(external);"
        " try { Object.defineProperty(window, 'external', {value: external, writable: true, configurable: true}); }"
        " catch (e) { try { window.external = external; } catch (e2) {} } })();";
    return script;
}

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
    m_signals.Connect(view, "load-failed",
                      +[](WebKitWebView* webView, WebKitLoadEvent, gchar* uri, GError* error, gpointer) -> gboolean {
                          // Navigations this client stops on purpose end as cancelled or as a
                          // policy change; a failure to reach the page gets the page.
                          if (error == nullptr || error->domain == WEBKIT_POLICY_ERROR ||
                              g_error_matches(error, WEBKIT_NETWORK_ERROR, WEBKIT_NETWORK_ERROR_CANCELLED) ||
                              g_error_matches(error, G_IO_ERROR, G_IO_ERROR_CANCELLED)) {
                              return FALSE;
                          }
                          webkit_web_view_load_alternate_html(webView, kUnreachablePage, uri, nullptr);
                          return TRUE;
                      }, this);
    m_signals.Connect(view, "web-process-terminated",
                      +[](WebKitWebView*, WebKitWebProcessTerminationReason, gpointer self) {
                          static_cast<GtkWebView*>(self)->m_events.OnWebProcessTerminated();
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
    RebuildUserContent();
}

void GtkWebView::ExposeExternal(const ExternalObject& external) {
    if (!m_hasExternal && !external.messageMethods.empty()) {
        webkit_user_content_manager_register_script_message_handler(m_content.get(), kMessageHandler);
        m_signals.Connect(m_content.get(), (std::string("script-message-received::") + kMessageHandler).c_str(),
                          +[](WebKitUserContentManager*, WebKitJavascriptResult* message, gpointer self) {
                              static_cast<GtkWebView*>(self)->OnScriptMessage(message);
                          }, this);
    }
    m_external = external;
    m_hasExternal = true;
    RebuildUserContent();
}

std::string GtkWebView::GetTitle() const {
    const gchar* title = m_view ? webkit_web_view_get_title(WEBKIT_WEB_VIEW(m_view.get())) : nullptr;
    return title != nullptr ? title : "";
}

void GtkWebView::OnScriptMessage(WebKitJavascriptResult* message) {
    // Pages may post anything: only {method: <known name>, argument: <string>} is taken.
    JSCValue* value = webkit_javascript_result_get_js_value(message);
    if (value == nullptr || !jsc_value_is_object(value)) {
        return;
    }
    GObjectPtr<JSCValue> method = AdoptObject(jsc_value_object_get_property(value, "method"));
    GObjectPtr<JSCValue> argument = AdoptObject(jsc_value_object_get_property(value, "argument"));
    if (!method || !argument || !jsc_value_is_string(method.get()) || !jsc_value_is_string(argument.get())) {
        return;
    }
    GCharPtr methodText(jsc_value_to_string(method.get()));
    GCharPtr argumentText(jsc_value_to_string(argument.get()));
    const std::string name = methodText ? methodText.get() : "";
    for (const std::string& known : m_external.messageMethods) {
        if (known == name) {
            m_events.OnExternalCall(name, argumentText ? argumentText.get() : "");
            return;
        }
    }
}

void GtkWebView::RebuildUserContent() {
    const HostUiPolicy& policy = m_policy;
    webkit_user_content_manager_remove_all_style_sheets(m_content.get());
    webkit_user_content_manager_remove_all_scripts(m_content.get());
    if (!policy.showScrollBars) {
        WebKitUserStyleSheet* sheet = webkit_user_style_sheet_new(
            kNoScrollBarsStyle, WEBKIT_USER_CONTENT_INJECT_ALL_FRAMES, WEBKIT_USER_STYLE_LEVEL_USER, nullptr, nullptr);
        webkit_user_content_manager_add_style_sheet(m_content.get(), sheet);
        webkit_user_style_sheet_unref(sheet);
    }
    if (m_hasExternal) {
        const std::string script = ExternalScript(m_external);
        WebKitUserScript* external =
            webkit_user_script_new(script.c_str(), WEBKIT_USER_CONTENT_INJECT_ALL_FRAMES,
                                   WEBKIT_USER_SCRIPT_INJECT_AT_DOCUMENT_START, nullptr, nullptr);
        webkit_user_content_manager_add_script(m_content.get(), external);
        webkit_user_script_unref(external);
    } else if (!policy.exposeExternal) {
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
