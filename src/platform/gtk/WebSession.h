#pragma once

#include <webkit2/webkit2.h>

#include <string>

#include "../glib/GObjectPtr.h"

namespace platform::gtk {

// The one web context of the process: every view shares its persistent data (cookies,
// cache, storage) under the user's XDG directories, so a sign-in carries into the game
// window and across restarts.
class WebSession {
public:
    WebSession();
    ~WebSession();
    WebSession(const WebSession&) = delete;
    WebSession& operator=(const WebSession&) = delete;

    WebKitWebContext* Context();
    WebKitWebsiteDataManager* DataManager();

private:
    void Create();

    GObjectPtr<WebKitWebsiteDataManager> m_dataManager;
    GObjectPtr<WebKitWebContext> m_context;
};

}  // namespace platform::gtk
