#pragma once

#include <glib-object.h>
#include <glib.h>

#include <memory>

namespace demo_portal {

// Owning pointers for the GLib family: every object we create is released by its owner,
// also on early returns.
struct GObjectUnref {
    void operator()(gpointer object) const { if (object != nullptr) g_object_unref(object); }
};
struct GFree {
    void operator()(gpointer memory) const { g_free(memory); }
};
struct GErrorFree {
    void operator()(GError* error) const { if (error != nullptr) g_error_free(error); }
};
struct GMainContextUnref {
    void operator()(GMainContext* context) const { if (context != nullptr) g_main_context_unref(context); }
};
struct GMainLoopUnref {
    void operator()(GMainLoop* loop) const { if (loop != nullptr) g_main_loop_unref(loop); }
};
struct GBytesUnref {
    void operator()(GBytes* bytes) const { if (bytes != nullptr) g_bytes_unref(bytes); }
};
struct GHashTableUnref {
    void operator()(GHashTable* table) const { if (table != nullptr) g_hash_table_unref(table); }
};

template <typename T>
using GObjectPtr = std::unique_ptr<T, GObjectUnref>;
using GCharPtr = std::unique_ptr<gchar, GFree>;
using GErrorPtr = std::unique_ptr<GError, GErrorFree>;
using GMainContextPtr = std::unique_ptr<GMainContext, GMainContextUnref>;
using GMainLoopPtr = std::unique_ptr<GMainLoop, GMainLoopUnref>;
using GBytesPtr = std::unique_ptr<GBytes, GBytesUnref>;
using GHashTablePtr = std::unique_ptr<GHashTable, GHashTableUnref>;

}  // namespace demo_portal
