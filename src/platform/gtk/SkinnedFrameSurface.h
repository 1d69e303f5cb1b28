#pragma once

#include <gtk/gtk.h>

#include <vector>

#include "../Geometry.h"
#include "../WindowEvents.h"
#include "CairoImages.h"

namespace platform::gtk {

// The off-screen picture a skinned window's frame is painted into, one window-sized
// surface kept between paints, and copied to the window without its client area.
class SkinnedFrameSurface {
public:
    // Paints the frame through the window's handler and copies it onto cr.
    void Paint(cairo_t* cr, Size windowSize, WindowEvents& events);

private:
    CairoSurfacePtr m_surface;
    Size m_size;
};

}  // namespace platform::gtk
