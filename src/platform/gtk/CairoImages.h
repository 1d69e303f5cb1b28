#pragma once

#include <cairo.h>

#include <memory>

#include "../Image.h"
#include "../cairo/CairoSurfaceCache.h"

namespace platform::gtk {

using cairo::CairoSurfacePtr;

struct CairoRegionDestroy {
    void operator()(cairo_region_t* region) const {
        if (region != nullptr) {
            cairo_region_destroy(region);
        }
    }
};
using CairoRegionPtr = std::unique_ptr<cairo_region_t, CairoRegionDestroy>;

// A Cairo image surface with the pixels of a picture that is premultiplied already.
CairoSurfacePtr SurfaceFromPremultiplied(const Image& image);

// The pixels whose alpha is at least minimumAlpha, as a region.
CairoRegionPtr RegionFromAlpha(const Image& image, int minimumAlpha);

}  // namespace platform::gtk
