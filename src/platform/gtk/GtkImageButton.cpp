#include "GtkImageButton.h"

#include "ControlLayer.h"

namespace platform::gtk {

GtkImageButton::GtkImageButton(std::shared_ptr<ControlLayer> layer, WindowEvents& events, int id, const Image& normal,
                               const Image& pressed)
    : m_area(RetainObject(gtk_drawing_area_new())),
      m_layer(std::move(layer)),
      m_events(events),
      m_id(id),
      m_normal(cairo::CairoSurfaceCache::Convert(normal)),
      m_pressed(cairo::CairoSurfaceCache::Convert(pressed)) {
    GtkWidget* area = m_area.get();
    gtk_widget_add_events(area, GDK_BUTTON_PRESS_MASK | GDK_BUTTON_RELEASE_MASK);
    gtk_widget_set_can_focus(area, FALSE);
    m_signals.Connect(area, "draw", +[](GtkWidget*, cairo_t* cr, gpointer self) -> gboolean {
        return static_cast<GtkImageButton*>(self)->OnDraw(cr);
    }, this);
    m_signals.Connect(area, "button-press-event", +[](GtkWidget*, GdkEventButton* event, gpointer self) -> gboolean {
        return static_cast<GtkImageButton*>(self)->OnPress(event);
    }, this);
    m_signals.Connect(area, "button-release-event", +[](GtkWidget*, GdkEventButton* event, gpointer self) -> gboolean {
        return static_cast<GtkImageButton*>(self)->OnRelease(event);
    }, this);
    m_signals.Connect(area, "realize", +[](GtkWidget* widget, gpointer) {
        GdkCursor* hand = gdk_cursor_new_from_name(gtk_widget_get_display(widget), "pointer");
        gdk_window_set_cursor(gtk_widget_get_window(widget), hand);
        if (hand != nullptr) {
            g_object_unref(hand);
        }
    }, this);
    m_layer->Put(area, m_rect);
    gtk_widget_show(area);
}

GtkImageButton::~GtkImageButton() {
    m_signals.DisconnectAll();
    m_layer->Remove(m_area.get());
}

void GtkImageButton::MoveWindow(const Rect& rectInWindow) {
    m_rect = rectInWindow;
    m_layer->Move(m_area.get(), rectInWindow);
}

void GtkImageButton::SetSize(Size size) { MoveWindow(Rect::FromPointSize(m_rect.TopLeft(), size)); }

gboolean GtkImageButton::OnDraw(cairo_t* cr) {
    // A face that failed to load draws nothing; the button still works.
    if (cairo_surface_t* face = m_held ? m_pressed.get() : m_normal.get()) {
        cairo_set_source_surface(cr, face, 0, 0);
        cairo_paint(cr);
    }
    return TRUE;
}

gboolean GtkImageButton::OnPress(GdkEventButton* event) {
    if (event->type != GDK_BUTTON_PRESS || event->button != GDK_BUTTON_PRIMARY) {
        return TRUE;
    }
    m_held = true;
    gtk_widget_queue_draw(m_area.get());
    return TRUE;
}

gboolean GtkImageButton::OnRelease(GdkEventButton* event) {
    if (event->button != GDK_BUTTON_PRIMARY || !m_held) {
        return TRUE;
    }
    m_held = false;
    gtk_widget_queue_draw(m_area.get());
    const bool inside = event->x >= 0 && event->y >= 0 && event->x < m_rect.Width() && event->y < m_rect.Height();
    if (inside) {
        m_events.OnCommand(m_id);  // may run a nested loop (a message box); we are done with the event
    }
    return TRUE;
}

}  // namespace platform::gtk
