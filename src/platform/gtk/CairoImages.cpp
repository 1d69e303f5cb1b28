#include "CairoImages.h"

#include <cstring>

namespace platform::gtk {

CairoSurfacePtr SurfaceFromPremultiplied(const Image& image) {
    if (image.IsNull()) {
        return CairoSurfacePtr(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 1, 1));
    }
    CairoSurfacePtr surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, image.Width(), image.Height()));
    if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS) {
        return surface;
    }
    cairo_surface_flush(surface.get());
    unsigned char* data = cairo_image_surface_get_data(surface.get());
    const int stride = cairo_image_surface_get_stride(surface.get());
    for (int y = 0; y < image.Height(); ++y) {
        std::memcpy(data + static_cast<std::ptrdiff_t>(y) * stride, image.PixelAt(0, y),
                    static_cast<std::size_t>(image.Width()) * 4);
    }
    cairo_surface_mark_dirty(surface.get());
    return surface;
}

CairoRegionPtr RegionFromAlpha(const Image& image, int minimumAlpha) {
    CairoRegionPtr region(cairo_region_create());
    for (int y = 0; y < image.Height(); ++y) {
        const std::uint8_t* row = image.PixelAt(0, y);
        int runStart = -1;
        for (int x = 0; x <= image.Width(); ++x) {
            const bool inside = x < image.Width() && row[x * 4 + 3] >= minimumAlpha;
            if (inside && runStart < 0) {
                runStart = x;
            } else if (!inside && runStart >= 0) {
                const cairo_rectangle_int_t run{runStart, y, x - runStart, 1};
                cairo_region_union_rectangle(region.get(), &run);
                runStart = -1;
            }
        }
    }
    return region;
}

}  // namespace platform::gtk
