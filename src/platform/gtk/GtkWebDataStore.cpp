#include "GtkWebDataStore.h"

#include "../glib/GObjectPtr.h"
#include "WebSession.h"

namespace platform::gtk {

void GtkWebDataStore::ClearAllExceptCookies(std::function<void()> onDone) {
    const auto types = static_cast<WebKitWebsiteDataTypes>(WEBKIT_WEBSITE_DATA_ALL & ~WEBKIT_WEBSITE_DATA_COOKIES);
    auto* callback = new std::function<void()>(std::move(onDone));
    // A timespan of 0 means all data, whatever its age.
    webkit_website_data_manager_clear(
        m_session.DataManager(), types, 0, nullptr,
        +[](GObject* manager, GAsyncResult* result, gpointer data) {
            GError* error = nullptr;
            webkit_website_data_manager_clear_finish(WEBKIT_WEBSITE_DATA_MANAGER(manager), result, &error);
            GErrorPtr errorOwner(error);
            std::unique_ptr<std::function<void()>> done(static_cast<std::function<void()>*>(data));
            if (*done) {
                (*done)();
            }
        },
        callback);
}

}  // namespace platform::gtk
