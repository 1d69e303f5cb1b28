#pragma once

#include <glib-object.h>
#include <glib.h>

#include <memory>
#include <vector>

namespace platform {

struct GObjectUnref {
    void operator()(gpointer object) const {
        if (object != nullptr) {
            g_object_unref(object);
        }
    }
};
struct GFree {
    void operator()(gpointer memory) const { g_free(memory); }
};
struct GErrorFree {
    void operator()(GError* error) const {
        if (error != nullptr) {
            g_error_free(error);
        }
    }
};
struct GBytesUnref {
    void operator()(GBytes* bytes) const {
        if (bytes != nullptr) {
            g_bytes_unref(bytes);
        }
    }
};
struct GMainLoopUnref {
    void operator()(GMainLoop* loop) const {
        if (loop != nullptr) {
            g_main_loop_unref(loop);
        }
    }
};

template <typename T>
using GObjectPtr = std::unique_ptr<T, GObjectUnref>;
using GCharPtr = std::unique_ptr<gchar, GFree>;
using GErrorPtr = std::unique_ptr<GError, GErrorFree>;
using GBytesPtr = std::unique_ptr<GBytes, GBytesUnref>;
using GMainLoopPtr = std::unique_ptr<GMainLoop, GMainLoopUnref>;

// Takes the reference a constructor returned; for floating objects, sinks it first.
template <typename T>
GObjectPtr<T> AdoptObject(T* object) {
    return GObjectPtr<T>(object);
}
template <typename T>
GObjectPtr<T> RetainObject(T* object) {
    return GObjectPtr<T>(object != nullptr ? static_cast<T*>(g_object_ref_sink(object)) : nullptr);
}

// Handlers connected to an instance, disconnected when this goes.
class SignalConnections {
public:
    SignalConnections() = default;
    ~SignalConnections() { DisconnectAll(); }
    SignalConnections(const SignalConnections&) = delete;
    SignalConnections& operator=(const SignalConnections&) = delete;

    template <typename Callback>
    void Connect(gpointer instance, const char* signal, Callback callback, gpointer data) {
        const gulong id = g_signal_connect(instance, signal, reinterpret_cast<GCallback>(+callback), data);
        m_connections.push_back({GObjectPtr<GObject>(G_OBJECT(g_object_ref(instance))), id});
    }
    void DisconnectAll() {
        for (auto& connection : m_connections) {
            if (g_signal_handler_is_connected(connection.instance.get(), connection.id)) {
                g_signal_handler_disconnect(connection.instance.get(), connection.id);
            }
        }
        m_connections.clear();
    }

private:
    struct Connection {
        GObjectPtr<GObject> instance;
        gulong id;
    };
    std::vector<Connection> m_connections;
};

}  // namespace platform
