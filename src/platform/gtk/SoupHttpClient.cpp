#include "SoupHttpClient.h"

namespace platform::gtk {

namespace {
struct PendingFetch {
    GObjectPtr<SoupSession> session;
    std::function<void()> onFinished;
    guint timeoutSource = 0;
    GObjectPtr<GCancellable> cancellable;
};

void Finish(PendingFetch* fetch) {
    if (fetch->timeoutSource != 0) {
        g_source_remove(fetch->timeoutSource);
        fetch->timeoutSource = 0;
    }
    auto callback = std::move(fetch->onFinished);
    delete fetch;
    if (callback) {
        callback();
    }
}
}  // namespace

SoupHttpClient::SoupHttpClient() = default;

SoupHttpClient::~SoupHttpClient() = default;

void SoupHttpClient::FetchAsync(const std::string& address, const std::string& userAgent,
                                std::chrono::milliseconds timeout, std::function<void()> onFinished) {
    GError* rawError = nullptr;
    GUri* uri = g_uri_parse(address.c_str(), static_cast<GUriFlags>(SOUP_HTTP_URI_FLAGS), &rawError);
    GErrorPtr parseError(rawError);
    if (uri == nullptr) {
        if (onFinished) {
            onFinished();
        }
        return;
    }
    SoupMessage* message = soup_message_new_from_uri("GET", uri);
    g_uri_unref(uri);
    if (message == nullptr) {
        if (onFinished) {
            onFinished();
        }
        return;
    }
    GObjectPtr<SoupMessage> messageOwner(message);

    auto* fetch = new PendingFetch;
    // The session's default proxy resolver follows the system's proxy settings.
    fetch->session = AdoptObject(soup_session_new_with_options("user-agent", userAgent.c_str(), "timeout",
                                                               static_cast<guint>(timeout.count() / 1000),
                                                               "idle-timeout", 1u, nullptr));
    fetch->onFinished = std::move(onFinished);
    fetch->cancellable = AdoptObject(g_cancellable_new());
    // libsoup's own timeout covers each I/O step; this one bounds the whole request.
    fetch->timeoutSource = g_timeout_add(static_cast<guint>(timeout.count()), +[](gpointer data) -> gboolean {
        auto* pending = static_cast<PendingFetch*>(data);
        pending->timeoutSource = 0;
        g_cancellable_cancel(pending->cancellable.get());
        return G_SOURCE_REMOVE;
    }, fetch);

    soup_session_send_and_read_async(
        fetch->session.get(), message, G_PRIORITY_DEFAULT, fetch->cancellable.get(),
        +[](GObject* source, GAsyncResult* result, gpointer data) {
            GError* error = nullptr;
            GBytes* body = soup_session_send_and_read_finish(SOUP_SESSION(source), result, &error);
            GBytesPtr bodyOwner(body);
            GErrorPtr errorOwner(error);
            Finish(static_cast<PendingFetch*>(data));
        },
        fetch);
}

}  // namespace platform::gtk
