#include "PortalServer.h"

#include <libsoup/soup.h>

#include <future>
#include <stdexcept>

#include "DocumentRoot.h"
#include "PortalHandlers.h"

namespace demo_portal {

namespace {

constexpr const char* kLoopback = "127.0.0.1";

std::uint16_t Listen(SoupServer* server, std::uint16_t port) {
    GObjectPtr<GSocketAddress> address(g_inet_socket_address_new_from_string(kLoopback, port));
    GSList* before = soup_server_get_listeners(server);
    GError* raw = nullptr;
    const gboolean ok = soup_server_listen(server, address.get(), SoupServerListenOptions{}, &raw);
    GErrorPtr error(raw);
    if (!ok) {
        g_slist_free(before);
        throw std::runtime_error("cannot listen on " + std::string(kLoopback) + ":" + std::to_string(port) + ": " +
                                 (error ? error->message : "unknown error"));
    }
    // The listener this call added is the one not listed before it.
    GSList* listeners = soup_server_get_listeners(server);
    std::uint16_t bound = 0;
    for (GSList* item = listeners; item != nullptr && bound == 0; item = item->next) {
        auto* socket = static_cast<GSocket*>(item->data);
        if (g_slist_find(before, socket) != nullptr) continue;
        GObjectPtr<GSocketAddress> local(g_socket_get_local_address(socket, nullptr));
        if (local && G_IS_INET_SOCKET_ADDRESS(local.get())) {
            bound = g_inet_socket_address_get_port(reinterpret_cast<GInetSocketAddress*>(local.get()));
        }
    }
    g_slist_free(listeners);
    g_slist_free(before);
    if (bound == 0) throw std::runtime_error("cannot read the bound port");
    return bound;
}

}  // namespace

PortalServer::PortalServer(Options options) : m_options(std::move(options)) {
    m_log.SetObserver(m_options.onRequest);
}

PortalServer::~PortalServer() { Stop(); }

std::string PortalServer::Url(std::string_view pathAndQuery) const {
    return "http://" + std::string(kLoopback) + ":" + std::to_string(m_port) + std::string(pathAndQuery);
}

std::string PortalServer::FrameUrl(std::string_view pathAndQuery) const {
    return "http://" + std::string(kLoopback) + ":" + std::to_string(m_framePort) + std::string(pathAndQuery);
}

std::string PortalServer::EntryUrl(std::string_view target, std::size_t pad) const {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string hex;
    for (const char c : target) {
        const auto byte = static_cast<unsigned char>(c);
        hex += kDigits[byte >> 4];
        hex += kDigits[byte & 0xf];
    }
    return Url("/entry.html?to=" + hex + (pad > 0 ? "&pad=" + std::to_string(pad) : ""));
}

void PortalServer::Start() {
    if (m_thread.joinable()) return;
    // Checked here too, so a bad root fails in the caller's thread with a clear message.
    const DocumentRoot check(m_options.root);
    m_context.reset(g_main_context_new());
    m_loop.reset(g_main_loop_new(m_context.get(), FALSE));
    std::promise<void> ready;
    std::future<void> started = ready.get_future();
    m_thread = std::thread([this, &ready] { Run(ready); });
    try {
        started.get();
    } catch (...) {
        m_thread.join();
        m_loop.reset();
        m_context.reset();
        throw;
    }
}

void PortalServer::Stop() {
    if (!m_thread.joinable()) return;
    // Quit from inside the loop: a quit sent before the loop runs would be lost.
    GSource* source = g_idle_source_new();
    g_source_set_callback(
        source,
        +[](gpointer loop) -> gboolean {
            g_main_loop_quit(static_cast<GMainLoop*>(loop));
            return G_SOURCE_REMOVE;
        },
        m_loop.get(), nullptr);
    g_source_attach(source, m_context.get());
    g_source_unref(source);
    m_thread.join();
    m_loop.reset();
    m_context.reset();
}

void PortalServer::Run(std::promise<void>& ready) {
    g_main_context_push_thread_default(m_context.get());
    bool announced = false;
    try {
        const DocumentRoot root(m_options.root);
        // Created with this thread's context as default, so all its sources land there.
        GObjectPtr<SoupServer> server(soup_server_new("server-header", "varnholt-demo-portal ", nullptr));
        {
            PortalHandlers handlers(server.get(), root, m_log, m_sessions);
            m_port = Listen(server.get(), m_options.port);
            m_framePort = Listen(server.get(), m_options.framePort);
            handlers.SetFrameOrigin("http://" + std::string(kLoopback) + ":" + std::to_string(m_framePort));
            announced = true;
            ready.set_value();
            g_main_loop_run(m_loop.get());
            soup_server_disconnect(server.get());
            handlers.ReleaseHeldRequests();
        }
        server.reset();
    } catch (...) {
        if (!announced) ready.set_exception(std::current_exception());
    }
    // Let closing connections finish their last callbacks on this context.
    while (g_main_context_iteration(m_context.get(), FALSE)) {
    }
    g_main_context_pop_thread_default(m_context.get());
}

}  // namespace demo_portal
