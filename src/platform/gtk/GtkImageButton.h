#pragma once

#include <gtk/gtk.h>

#include "../ImageButton.h"
#include "../WindowEvents.h"
#include "../cairo/CairoSurfaceCache.h"
#include "../glib/GObjectPtr.h"

#include <memory>

namespace platform::gtk {

class ControlLayer;

// A drawn push button: its normal picture, the pressed one while held; a release over it
// is a click.
class GtkImageButton final : public ImageButton {
public:
    GtkImageButton(std::shared_ptr<ControlLayer> layer, WindowEvents& events, int id, const Image& normal, const Image& pressed);
    ~GtkImageButton() override;

    int Id() const override { return m_id; }
    void MoveWindow(const Rect& rectInWindow) override;
    Rect GetRect() const override { return m_rect; }
    void SetSize(Size size) override;

private:
    gboolean OnDraw(cairo_t* cr);
    gboolean OnPress(GdkEventButton* event);
    gboolean OnRelease(GdkEventButton* event);

    GObjectPtr<GtkWidget> m_area;
    std::shared_ptr<ControlLayer> m_layer;
    WindowEvents& m_events;
    int m_id;
    cairo::CairoSurfacePtr m_normal;
    cairo::CairoSurfacePtr m_pressed;
    Rect m_rect;
    bool m_held = false;
    SignalConnections m_signals;
};

}  // namespace platform::gtk
