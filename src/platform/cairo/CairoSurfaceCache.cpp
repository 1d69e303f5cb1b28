#include "CairoSurfaceCache.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace platform::cairo {

namespace {

std::uint32_t Premultiply(std::uint32_t channel, std::uint32_t alpha) {
    return alpha == 255 ? channel : (channel * alpha + 127) / 255;
}

}  // namespace

CairoSurfaceCache::CairoSurfaceCache(std::size_t capacity) : m_capacity(std::max<std::size_t>(capacity, 1)) {
    m_entries.reserve(m_capacity);
}

cairo_surface_t* CairoSurfaceCache::SurfaceFor(const Image& image) {
    if (image.IsNull()) {
        return nullptr;
    }
    ++m_clock;
    const std::uint64_t serial = image.Serial();
    for (Entry& entry : m_entries) {
        if (entry.serial == serial) {
            entry.lastUse = m_clock;
            return entry.surface.get();
        }
    }
    CairoSurfacePtr surface = Convert(image);
    if (!surface) {
        return nullptr;
    }
    ++m_conversions;
    if (m_entries.size() >= m_capacity) {
        const auto oldest = std::min_element(m_entries.begin(), m_entries.end(),
                                             [](const Entry& a, const Entry& b) { return a.lastUse < b.lastUse; });
        m_entries.erase(oldest);
    }
    m_entries.push_back(Entry{serial, m_clock, std::move(surface)});
    return m_entries.back().surface.get();
}

CairoSurfaceCache& CairoSurfaceCache::ForThisThread() {
    thread_local CairoSurfaceCache cache;
    return cache;
}

CairoSurfacePtr CairoSurfaceCache::Convert(const Image& image) {
    // A moved-from picture keeps its size but has no pixels.
    if (image.IsNull() || image.Pixels() == nullptr) {
        return nullptr;
    }
    const cairo_format_t format = image.HasAlpha() ? CAIRO_FORMAT_ARGB32 : CAIRO_FORMAT_RGB24;
    CairoSurfacePtr surface(cairo_image_surface_create(format, image.Width(), image.Height()));
    if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS) {
        return nullptr;
    }
    cairo_surface_flush(surface.get());
    unsigned char* data = cairo_image_surface_get_data(surface.get());
    const int stride = cairo_image_surface_get_stride(surface.get());
    const std::size_t rowBytes = static_cast<std::size_t>(image.Width()) * 4;
    for (int y = 0; y < image.Height(); ++y) {
        unsigned char* row = data + static_cast<std::ptrdiff_t>(y) * stride;
        const std::uint8_t* source = image.PixelAt(0, y);
        // Cairo's pixels are native-endian 32-bit words 0xAARRGGBB: on little-endian
        // machines, the picture's own byte order. RGB24 ignores the alpha byte.
        if (!image.HasAlpha() && std::endian::native == std::endian::little) {
            std::memcpy(row, source, rowBytes);
            continue;
        }
        for (std::ptrdiff_t x = 0; x < image.Width(); ++x) {
            const std::uint8_t* in = source + x * 4;
            const std::uint32_t alpha = image.HasAlpha() ? in[3] : 255;
            const std::uint32_t pixel = alpha == 0 ? 0
                                                   : (alpha << 24) | (Premultiply(in[2], alpha) << 16) |
                                                         (Premultiply(in[1], alpha) << 8) | Premultiply(in[0], alpha);
            std::memcpy(row + x * 4, &pixel, 4);
        }
    }
    cairo_surface_mark_dirty(surface.get());
    return surface;
}

}  // namespace platform::cairo
