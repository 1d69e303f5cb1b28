#pragma once

#include <cairo.h>

#include <memory>

#include "../Image.h"

namespace platform::gtk {

struct CairoSurfaceDestroy {
    void operator()(cairo_surface_t* surface) const {
        if (surface != nullptr) {
            cairo_surface_destroy(surface);
        }
    }
};
struct CairoRegionDestroy {
    void operator()(cairo_region_t* region) const {
        if (region != nullptr) {
            cairo_region_destroy(region);
        }
    }
};
struct CairoDestroy {
    void operator()(cairo_t* cr) const {
        if (cr != nullptr) {
            cairo_destroy(cr);
        }
    }
};
using CairoSurfacePtr = std::unique_ptr<cairo_surface_t, CairoSurfaceDestroy>;
using CairoRegionPtr = std::unique_ptr<cairo_region_t, CairoRegionDestroy>;
using CairoPtr = std::unique_ptr<cairo_t, CairoDestroy>;

enum class AlphaForm { Premultiplied, Straight };

// A Cairo image surface (ARGB32, premultiplied) with the picture's pixels.
CairoSurfacePtr SurfaceFromImage(const Image& image, AlphaForm form);

// The pixels whose alpha is at least minimumAlpha, as a region.
CairoRegionPtr RegionFromAlpha(const Image& image, int minimumAlpha);

}  // namespace platform::gtk
