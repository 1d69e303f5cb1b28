#pragma once

#include <gtk/gtk.h>

#include <map>
#include <memory>
#include <vector>

#include "../Geometry.h"
#include "../glib/GObjectPtr.h"

namespace platform::gtk {

// The controls of a window at exact pixel places. They sit in a GtkOverlay whose size
// they never influence, so a window can shrink below its controls' rectangles and the core
// lays them out again on every size change.
class ControlLayer {
public:
    ControlLayer();
    ~ControlLayer();
    ControlLayer(const ControlLayer&) = delete;
    ControlLayer& operator=(const ControlLayer&) = delete;

    GtkWidget* Widget() const { return GTK_WIDGET(m_overlay.get()); }
    void Put(GtkWidget* control, const Rect& rect);
    void Move(GtkWidget* control, const Rect& rect);
    void Remove(GtkWidget* control);
    bool Contains(GtkWidget* widget) const;
    // Where the shown controls are, in window coordinates.
    std::vector<Rect> VisibleControlRects() const;

private:
    gboolean PlaceChild(GtkWidget* child, GdkRectangle* allocation) const;

    GObjectPtr<GtkOverlay> m_overlay;
    std::map<GtkWidget*, Rect> m_places;
    SignalConnections m_signals;
};

}  // namespace platform::gtk
