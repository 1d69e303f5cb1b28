#pragma once

#include <cairo.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "../Image.h"

namespace platform::cairo {

struct CairoSurfaceDestroy {
    void operator()(cairo_surface_t* surface) const {
        if (surface != nullptr) {
            cairo_surface_destroy(surface);
        }
    }
};
using CairoSurfacePtr = std::unique_ptr<cairo_surface_t, CairoSurfaceDestroy>;

// Cairo image surfaces made from pictures, keyed by the picture's serial, so that a
// picture painted on every frame is converted once. Holds the most recently used ones.
class CairoSurfaceCache {
public:
    static constexpr std::size_t kDefaultCapacity = 64;

    explicit CairoSurfaceCache(std::size_t capacity = kDefaultCapacity);
    CairoSurfaceCache(const CairoSurfaceCache&) = delete;
    CairoSurfaceCache& operator=(const CairoSurfaceCache&) = delete;

    // Null for a null picture. The cache keeps the reference: the surface stays valid
    // until a later call evicts it or the cache is cleared.
    cairo_surface_t* SurfaceFor(const Image& image);

    std::size_t Count() const { return m_entries.size(); }
    std::size_t Capacity() const { return m_capacity; }
    // Pictures converted so far, hits excluded.
    std::uint64_t Conversions() const { return m_conversions; }
    void Clear() { m_entries.clear(); }

    // The cache painters use when they are given none; one a thread, as Cairo surfaces
    // are not meant to be shared between threads without care.
    static CairoSurfaceCache& ForThisThread();

    // Premultiplied ARGB32 for pictures with alpha, RGB24 for opaque ones (Cairo then
    // copies instead of blending). Null for a null picture.
    static CairoSurfacePtr Convert(const Image& image);

private:
    struct Entry {
        std::uint64_t serial = 0;
        std::uint64_t lastUse = 0;
        CairoSurfacePtr surface;
    };

    std::size_t m_capacity;
    std::uint64_t m_clock = 0;
    std::uint64_t m_conversions = 0;
    // Few entries: a linear scan beats hashing here.
    std::vector<Entry> m_entries;
};

}  // namespace platform::cairo
