#include "GtkResources.h"

#include <gio/gio.h>

#include "../Image.h"

namespace platform::gtk {

namespace {
std::string ResourcePath(int id, ResourceKind kind) {
    switch (kind) {
        case ResourceKind::Png: return "/varnholt/png/" + std::to_string(id) + ".png";
        case ResourceKind::Bitmap: return "/varnholt/bitmap/" + std::to_string(id) + ".png";
        case ResourceKind::Icon: return "/varnholt/icon/" + std::to_string(id) + ".png";
        case ResourceKind::SmallIcon: return "/varnholt/icon/" + std::to_string(id) + "-16.png";
    }
    return {};
}
}  // namespace

std::optional<std::vector<std::uint8_t>> GtkResources::Find(int id, ResourceKind kind) {
    GBytesPtr bytes(g_resources_lookup_data(ResourcePath(id, kind).c_str(), G_RESOURCE_LOOKUP_FLAGS_NONE, nullptr));
    if (!bytes) {
        return std::nullopt;
    }
    gsize size = 0;
    const auto* data = static_cast<const std::uint8_t*>(g_bytes_get_data(bytes.get(), &size));
    return std::vector<std::uint8_t>(data, data + size);
}

std::unique_ptr<Image> GtkResources::Decode(const std::vector<std::uint8_t>& bytes) {
    GObjectPtr<GdkPixbufLoader> loader = AdoptObject(gdk_pixbuf_loader_new());
    GError* rawError = nullptr;
    const bool written = gdk_pixbuf_loader_write(loader.get(), bytes.data(), bytes.size(), &rawError) != FALSE;
    GErrorPtr writeError(rawError);
    rawError = nullptr;
    const bool closed = gdk_pixbuf_loader_close(loader.get(), &rawError) != FALSE;
    GErrorPtr closeError(rawError);
    GdkPixbuf* pixbuf = written && closed ? gdk_pixbuf_loader_get_pixbuf(loader.get()) : nullptr;
    if (pixbuf == nullptr || gdk_pixbuf_get_bits_per_sample(pixbuf) != 8 ||
        gdk_pixbuf_get_colorspace(pixbuf) != GDK_COLORSPACE_RGB) {
        return nullptr;
    }
    const int width = gdk_pixbuf_get_width(pixbuf);
    const int height = gdk_pixbuf_get_height(pixbuf);
    const int channels = gdk_pixbuf_get_n_channels(pixbuf);
    const bool hasAlpha = gdk_pixbuf_get_has_alpha(pixbuf) != FALSE;
    if (channels != (hasAlpha ? 4 : 3)) {
        return nullptr;
    }
    const int stride = gdk_pixbuf_get_rowstride(pixbuf);
    const guint8* pixels = gdk_pixbuf_read_pixels(pixbuf);
    auto image = std::make_unique<Image>(width, height, hasAlpha);
    for (int y = 0; y < height; ++y) {
        const guint8* source = pixels + static_cast<std::ptrdiff_t>(y) * stride;
        std::uint8_t* target = image->PixelAt(0, y);
        for (int x = 0; x < width; ++x, source += channels, target += 4) {
            target[0] = source[2];
            target[1] = source[1];
            target[2] = source[0];
            target[3] = hasAlpha ? source[3] : 255;
        }
    }
    return image;
}

GdkPixbuf* GtkResources::Icon(int id) {
    if (const auto found = m_icons.find(id); found != m_icons.end()) {
        return found->second.get();
    }
    GdkPixbuf* icon = gdk_pixbuf_new_from_resource(ResourcePath(id, ResourceKind::Icon).c_str(), nullptr);
    m_icons.emplace(id, GObjectPtr<GdkPixbuf>(icon));
    return icon;
}

}  // namespace platform::gtk
