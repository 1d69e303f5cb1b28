#include "ControlLayer.h"

#include <algorithm>

namespace platform::gtk {

ControlLayer::ControlLayer() : m_overlay(RetainObject(GTK_OVERLAY(gtk_overlay_new()))) {
    // An empty, windowless base child: presses outside every control reach the toplevel.
    GtkWidget* base = gtk_fixed_new();
    gtk_container_add(GTK_CONTAINER(m_overlay.get()), base);
    gtk_widget_show(base);
    m_signals.Connect(m_overlay.get(), "get-child-position",
                      +[](GtkOverlay*, GtkWidget* child, GdkRectangle* allocation, gpointer self) -> gboolean {
                          return static_cast<ControlLayer*>(self)->PlaceChild(child, allocation);
                      }, this);
}

ControlLayer::~ControlLayer() { m_signals.DisconnectAll(); }

void ControlLayer::Put(GtkWidget* control, const Rect& rect) {
    m_places[control] = rect;
    gtk_overlay_add_overlay(m_overlay.get(), control);
}

void ControlLayer::Move(GtkWidget* control, const Rect& rect) {
    const auto found = m_places.find(control);
    if (found == m_places.end() || found->second == rect) {
        return;
    }
    found->second = rect;
    gtk_widget_queue_resize(Widget());
}

void ControlLayer::Remove(GtkWidget* control) {
    if (m_places.erase(control) == 0) {
        return;
    }
    if (gtk_widget_get_parent(control) == Widget()) {
        gtk_container_remove(GTK_CONTAINER(m_overlay.get()), control);
    }
}

bool ControlLayer::Contains(GtkWidget* widget) const {
    return widget != nullptr && gtk_widget_is_ancestor(widget, Widget());
}

std::vector<Rect> ControlLayer::VisibleControlRects() const {
    std::vector<Rect> rects;
    for (const auto& [control, rect] : m_places) {
        if (gtk_widget_get_visible(control)) {
            rects.push_back(rect);
        }
    }
    return rects;
}

gboolean ControlLayer::PlaceChild(GtkWidget* child, GdkRectangle* allocation) const {
    const auto found = m_places.find(child);
    if (found == m_places.end()) {
        return FALSE;
    }
    const Rect& rect = found->second;
    // GTK warns about allocations below a widget's minimum; ask for it, then give the place.
    int minimumWidth = 0;
    int minimumHeight = 0;
    gtk_widget_get_preferred_width(child, &minimumWidth, nullptr);
    gtk_widget_get_preferred_height(child, &minimumHeight, nullptr);
    allocation->x = rect.left;
    allocation->y = rect.top;
    allocation->width = std::max({1, rect.Width(), minimumWidth});
    allocation->height = std::max({1, rect.Height(), minimumHeight});
    return TRUE;
}

}  // namespace platform::gtk
