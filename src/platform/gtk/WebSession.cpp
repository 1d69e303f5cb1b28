#include "WebSession.h"

#include <cstdlib>

namespace platform::gtk {

namespace {
constexpr const char* kDataFolder = "varnholt";

std::string UnderDirectory(const gchar* base, const char* leaf) {
    GCharPtr path(g_build_filename(base, kDataFolder, leaf, nullptr));
    return path.get();
}
}  // namespace

WebSession::WebSession() = default;

WebSession::~WebSession() = default;

void WebSession::Create() {
    const std::string dataDirectory = UnderDirectory(g_get_user_data_dir(), "web");
    GCharPtr ownFolder(g_build_filename(g_get_user_data_dir(), kDataFolder, nullptr));
    g_mkdir_with_parents(ownFolder.get(), 0700);
    const std::string cacheDirectory = UnderDirectory(g_get_user_cache_dir(), "web");
    m_dataManager = AdoptObject(webkit_website_data_manager_new("base-data-directory", dataDirectory.c_str(),
                                                                "base-cache-directory", cacheDirectory.c_str(),
                                                                nullptr));
    m_context = AdoptObject(webkit_web_context_new_with_website_data_manager(m_dataManager.get()));

    // The web process is confined unless the machine cannot run the confinement at all
    // (some containers forbid user namespaces); VARNHOLT_WEB_SANDBOX=0 says so.
    const char* sandbox = std::getenv("VARNHOLT_WEB_SANDBOX");
    const bool sandboxed = sandbox == nullptr || std::string(sandbox) != "0";
    webkit_web_context_set_sandbox_enabled(m_context.get(), sandboxed ? TRUE : FALSE);
    webkit_web_context_set_cache_model(m_context.get(), WEBKIT_CACHE_MODEL_WEB_BROWSER);

    WebKitCookieManager* cookies = webkit_website_data_manager_get_cookie_manager(m_dataManager.get());
    const std::string cookieFile = UnderDirectory(g_get_user_data_dir(), "cookies.sqlite");
    webkit_cookie_manager_set_persistent_storage(cookies, cookieFile.c_str(), WEBKIT_COOKIE_PERSISTENT_STORAGE_SQLITE);
    webkit_cookie_manager_set_accept_policy(cookies, WEBKIT_COOKIE_POLICY_ACCEPT_NO_THIRD_PARTY);
}

WebKitWebContext* WebSession::Context() {
    if (!m_context) {
        Create();
    }
    return m_context.get();
}

WebKitWebsiteDataManager* WebSession::DataManager() {
    if (!m_context) {
        Create();
    }
    return m_dataManager.get();
}

}  // namespace platform::gtk
