#include "GtkTopLevelWindow.h"

#include "ControlLayer.h"

#include <cmath>
#include "GtkImageButton.h"
#include "GtkOverlayLayer.h"
#include "GtkResources.h"
#include "GtkWebView.h"

namespace platform::gtk {

namespace {
constexpr int kApplicationIconId = 7;

Key KeyOf(guint keyval) {
    switch (keyval) {
        case GDK_KEY_Return:
        case GDK_KEY_KP_Enter:
        case GDK_KEY_ISO_Enter: return Key::Enter;
        case GDK_KEY_Escape: return Key::Escape;
        default: return Key::Other;
    }
}

std::optional<GdkWindowEdge> EdgeOf(HitTestCode code) {
    switch (code) {
        case HitTestCode::Left: return GDK_WINDOW_EDGE_WEST;
        case HitTestCode::Right: return GDK_WINDOW_EDGE_EAST;
        case HitTestCode::Top: return GDK_WINDOW_EDGE_NORTH;
        case HitTestCode::Bottom: return GDK_WINDOW_EDGE_SOUTH;
        case HitTestCode::TopLeft: return GDK_WINDOW_EDGE_NORTH_WEST;
        case HitTestCode::TopRight: return GDK_WINDOW_EDGE_NORTH_EAST;
        case HitTestCode::BottomLeft: return GDK_WINDOW_EDGE_SOUTH_WEST;
        case HitTestCode::BottomRight: return GDK_WINDOW_EDGE_SOUTH_EAST;
        default: return std::nullopt;
    }
}
}  // namespace

GtkTopLevelWindow::GtkTopLevelWindow(GtkUserInterface& ui, WebSession& webSession, GtkResources& resources,
                                     const WindowDescription& description, WindowEvents& events)
    : m_ui(ui), m_webSession(webSession), m_resources(resources), m_description(description), m_events(events) {
    m_window = GTK_WINDOW(gtk_window_new(GTK_WINDOW_TOPLEVEL));
    g_object_ref(m_window);  // ours until Destroy, whatever GTK does with the toplevel list
    gtk_window_set_title(m_window, description.title.c_str());
    gtk_window_set_default_size(m_window, description.size.width, description.size.height);
    if (GdkPixbuf* icon = m_resources.Icon(kApplicationIconId)) {
        gtk_window_set_icon(m_window, icon);
    }
    m_controls = std::make_shared<ControlLayer>();
    gtk_container_add(GTK_CONTAINER(m_window), m_controls->Widget());
    gtk_widget_show(m_controls->Widget());

    if (description.style == WindowStyle::Layered) {
        gtk_window_set_decorated(m_window, FALSE);
        gtk_window_set_resizable(m_window, FALSE);
        gtk_widget_set_app_paintable(GTK_WIDGET(m_window), TRUE);
        GdkScreen* screen = gtk_widget_get_screen(GTK_WIDGET(m_window));
        if (GdkVisual* visual = gdk_screen_get_rgba_visual(screen)) {
            gtk_widget_set_visual(GTK_WIDGET(m_window), visual);
        }
    }
    gtk_widget_add_events(GTK_WIDGET(m_window), GDK_BUTTON_PRESS_MASK | GDK_STRUCTURE_MASK);
    if (description.style == WindowStyle::Skinned) {
        gtk_window_set_decorated(m_window, FALSE);
        gtk_widget_set_app_paintable(GTK_WIDGET(m_window), TRUE);
        gtk_window_set_resizable(m_window, description.resizing == Resizing::Resizable ? TRUE : FALSE);
        gtk_widget_add_events(GTK_WIDGET(m_window), GDK_BUTTON_RELEASE_MASK | GDK_POINTER_MOTION_MASK |
                                                        GDK_ENTER_NOTIFY_MASK | GDK_LEAVE_NOTIFY_MASK);
        const Size minimum = m_events.OnGetMinTrackSize({1, 1});
        GdkGeometry hints{};
        hints.min_width = minimum.width;
        hints.min_height = minimum.height;
        gtk_window_set_geometry_hints(m_window, nullptr, &hints, GDK_HINT_MIN_SIZE);
        gtk_window_resize(m_window, description.size.width, description.size.height);
    }
    if (description.style == WindowStyle::Plain) {
        // Maximised or not, it restores to its own size.
        gtk_window_resize(m_window, description.size.width, description.size.height);
    }
    ConnectSignals();
}

GtkTopLevelWindow::~GtkTopLevelWindow() {
    if (m_overlay != nullptr) {
        m_overlay->Detach();
    }
    for (guint source : m_pendingCommands) {
        g_source_remove(source);
    }
    Destroy();
}

void GtkTopLevelWindow::SetOwner(GtkTopLevelWindow& owner) {
    if (m_window != nullptr && owner.m_window != nullptr) {
        gtk_window_set_transient_for(m_window, owner.m_window);
        gtk_window_set_destroy_with_parent(m_window, TRUE);
    }
}

void GtkTopLevelWindow::RepaintFrame() {
    if (m_window == nullptr) {
        return;
    }
    // Only the frame: the page under the controls need not draw again for a hover.
    GtkWidget* widget = GTK_WIDGET(m_window);
    const cairo_rectangle_int_t whole{0, 0, gtk_widget_get_allocated_width(widget),
                                      gtk_widget_get_allocated_height(widget)};
    CairoRegionPtr frame(cairo_region_create_rectangle(&whole));
    for (const Rect& control : m_controls->VisibleControlRects()) {
        const cairo_rectangle_int_t covered{control.left, control.top, control.Width(), control.Height()};
        cairo_region_subtract_rectangle(frame.get(), &covered);
    }
    gtk_widget_queue_draw_region(widget, frame.get());
}

void GtkTopLevelWindow::SetWindowRegion(const Region& region) {
    if (m_window == nullptr) {
        return;
    }
    if (region.empty()) {
        gtk_widget_shape_combine_region(GTK_WIDGET(m_window), nullptr);
        return;
    }
    CairoRegionPtr shape(cairo_region_create());
    for (const Rect& rect : region) {
        const cairo_rectangle_int_t part{rect.left, rect.top, rect.Width(), rect.Height()};
        cairo_region_union_rectangle(shape.get(), &part);
    }
    gtk_widget_shape_combine_region(GTK_WIDGET(m_window), shape.get());
}

void GtkTopLevelWindow::ShowSystemMenu(Point) {
    if (m_window == nullptr) {
        return;
    }
    GdkWindow* window = gtk_widget_get_window(GTK_WIDGET(m_window));
    GdkEvent* event = gtk_get_current_event();
    if (window != nullptr && event != nullptr) {
        gdk_window_show_window_menu(window, event);
    }
    if (event != nullptr) {
        gdk_event_free(event);
    }
}

void GtkTopLevelWindow::PostCommand(int id) {
    struct Posted {
        GtkTopLevelWindow* window;
        int id;
        guint source;
    };
    auto* posted = new Posted{this, id, 0};
    const guint source = g_idle_add_full(
        G_PRIORITY_DEFAULT_IDLE,
        +[](gpointer data) -> gboolean {
            auto* p = static_cast<Posted*>(data);
            std::erase(p->window->m_pendingCommands, p->source);
            p->window->m_events.OnCommand(p->id);
            return G_SOURCE_REMOVE;
        },
        posted, +[](gpointer data) { delete static_cast<Posted*>(data); });
    posted->source = source;
    m_pendingCommands.push_back(source);
}

void GtkTopLevelWindow::ConnectSignals() {
    m_signals.Connect(m_window, "delete-event", +[](GtkWidget*, GdkEvent*, gpointer self) -> gboolean {
        static_cast<GtkTopLevelWindow*>(self)->m_events.OnCloseRequested();
        return TRUE;  // the owner decides whether the window goes
    }, this);
    m_signals.Connect(m_window, "draw", +[](GtkWidget*, cairo_t* cr, gpointer self) -> gboolean {
        return static_cast<GtkTopLevelWindow*>(self)->OnDraw(cr);
    }, this);
    // Events that controls pass up come in their own coordinates and are not the frame's.
    m_signals.Connect(m_window, "button-press-event", +[](GtkWidget*, GdkEventButton* event, gpointer self) -> gboolean {
        auto* window = static_cast<GtkTopLevelWindow*>(self);
        if (!window->IsOwnEvent(event->window)) {
            return FALSE;
        }
        return window->IsSkinned() ? window->OnFrameButtonPress(event) : window->OnButtonPress(event);
    }, this);
    m_signals.Connect(m_window, "button-release-event", +[](GtkWidget*, GdkEventButton* event, gpointer self) -> gboolean {
        auto* window = static_cast<GtkTopLevelWindow*>(self);
        return window->IsSkinned() && window->IsOwnEvent(event->window) ? window->OnFrameButtonRelease(event) : FALSE;
    }, this);
    m_signals.Connect(m_window, "motion-notify-event", +[](GtkWidget*, GdkEventMotion* event, gpointer self) -> gboolean {
        auto* window = static_cast<GtkTopLevelWindow*>(self);
        return window->IsSkinned() ? window->OnFrameMotion(event) : FALSE;
    }, this);
    m_signals.Connect(m_window, "enter-notify-event", +[](GtkWidget*, GdkEventCrossing* event, gpointer self) -> gboolean {
        auto* window = static_cast<GtkTopLevelWindow*>(self);
        if (window->IsSkinned()) {
            window->OnFrameEnter(event);
        }
        return FALSE;
    }, this);
    m_signals.Connect(m_window, "leave-notify-event", +[](GtkWidget*, GdkEventCrossing*, gpointer self) -> gboolean {
        auto* window = static_cast<GtkTopLevelWindow*>(self);
        if (window->IsSkinned()) {
            window->OnFrameLeave();
        }
        return FALSE;
    }, this);
    m_signals.Connect(m_window, "notify::is-active", +[](GtkWindow* native, GParamSpec*, gpointer self) {
        auto* window = static_cast<GtkTopLevelWindow*>(self);
        if (window->IsSkinned()) {
            window->m_events.OnActivate(gtk_window_is_active(native) != FALSE);
        }
    }, this);
    m_signals.Connect(m_window, "key-press-event", +[](GtkWidget*, GdkEventKey* event, gpointer self) -> gboolean {
        return static_cast<GtkTopLevelWindow*>(self)->OnKeyPress(event);
    }, this);
    m_signals.Connect(m_window, "configure-event", +[](GtkWidget*, GdkEventConfigure* event, gpointer self) -> gboolean {
        static_cast<GtkTopLevelWindow*>(self)->OnConfigure(event);
        return FALSE;
    }, this);
    m_signals.Connect(m_window, "window-state-event", +[](GtkWidget*, GdkEventWindowState* event, gpointer self) -> gboolean {
        auto* window = static_cast<GtkTopLevelWindow*>(self);
        const bool iconified = (event->new_window_state & GDK_WINDOW_STATE_ICONIFIED) != 0;
        if (iconified && (event->changed_mask & GDK_WINDOW_STATE_ICONIFIED) != 0) {
            window->m_events.OnSize(SizeType::Minimized, window->GetWindowRect().GetSize());
        } else if ((event->changed_mask & GDK_WINDOW_STATE_MAXIMIZED) != 0 && !iconified) {
            const bool maximized = (event->new_window_state & GDK_WINDOW_STATE_MAXIMIZED) != 0;
            window->m_events.OnSize(maximized ? SizeType::Maximized : SizeType::Restored,
                                    window->GetWindowRect().GetSize());
        }
        return FALSE;
    }, this);
    m_signals.Connect(m_window, "screen-changed", +[](GtkWidget*, GdkScreen*, gpointer self) {
        static_cast<GtkTopLevelWindow*>(self)->ApplyShape();
    }, this);
    m_signals.Connect(m_window, "composited-changed", +[](GtkWidget*, gpointer self) {
        static_cast<GtkTopLevelWindow*>(self)->ApplyShape();
    }, this);
}

int GtkTopLevelWindow::RunModal() {
    if (m_window == nullptr) {
        return -1;
    }
    if (!gtk_widget_get_visible(GTK_WIDGET(m_window))) {
        gtk_widget_show(GTK_WIDGET(m_window));
    }
    gtk_window_present(m_window);
    return m_ui.RunNestedLoop(m_run);
}

void GtkTopLevelWindow::EndModal(int result) { m_ui.End(m_run, result); }

void GtkTopLevelWindow::Destroy() {
    if (m_window == nullptr) {
        return;
    }
    m_signals.DisconnectAll();
    gtk_widget_destroy(GTK_WIDGET(m_window));
    g_object_unref(m_window);
    m_window = nullptr;
}

void GtkTopLevelWindow::SetTitle(const std::string& title) {
    if (m_window != nullptr) {
        gtk_window_set_title(m_window, title.c_str());
    }
}

std::string GtkTopLevelWindow::GetTitle() const {
    const gchar* title = m_window != nullptr ? gtk_window_get_title(m_window) : nullptr;
    return title != nullptr ? title : "";
}

Rect GtkTopLevelWindow::GetWindowRect() const {
    if (m_window == nullptr) {
        return {};
    }
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    gtk_window_get_position(m_window, &x, &y);
    gtk_window_get_size(m_window, &width, &height);
    return Rect::FromPointSize({x, y}, {width, height});
}

void GtkTopLevelWindow::MoveWindow(const Rect& rect) {
    if (m_window == nullptr) {
        return;
    }
    gtk_window_move(m_window, rect.left, rect.top);
    gtk_window_resize(m_window, std::max(1, rect.Width()), std::max(1, rect.Height()));
}

void GtkTopLevelWindow::ShowWindow(ShowCommand command) {
    if (m_window == nullptr) {
        return;
    }
    GtkWidget* widget = GTK_WIDGET(m_window);
    // A hidden window remembers that it was minimised and would map minimised again;
    // anything that shows it deiconifies it first.
    switch (command) {
        case ShowCommand::Show:
            gtk_window_deiconify(m_window);
            gtk_widget_show(widget);
            break;
        case ShowCommand::Hide: gtk_widget_hide(widget); break;
        case ShowCommand::ShowMaximized:
            gtk_window_deiconify(m_window);
            gtk_window_maximize(m_window);
            gtk_widget_show(widget);
            break;
        case ShowCommand::Minimize: gtk_window_iconify(m_window); break;
        case ShowCommand::Maximize: gtk_window_maximize(m_window); break;
        case ShowCommand::Restore:
            gtk_window_deiconify(m_window);
            gtk_window_unmaximize(m_window);
            gtk_widget_show(widget);
            break;
    }
}

bool GtkTopLevelWindow::IsVisible() const { return m_window != nullptr && gtk_widget_get_visible(GTK_WIDGET(m_window)); }

bool GtkTopLevelWindow::IsMaximized() const { return m_window != nullptr && gtk_window_is_maximized(m_window); }

void GtkTopLevelWindow::CenterOnScreen() {
    if (m_window == nullptr) {
        return;
    }
    GdkDisplay* display = gtk_widget_get_display(GTK_WIDGET(m_window));
    GdkMonitor* monitor = gdk_display_get_primary_monitor(display);
    if (monitor == nullptr) {
        monitor = gdk_display_get_monitor(display, 0);
    }
    if (monitor == nullptr) {
        return;
    }
    GdkRectangle area{};
    gdk_monitor_get_workarea(monitor, &area);
    const Rect current = GetWindowRect();
    const Size size = m_picture ? Size{m_picture->Width(), m_picture->Height()} : current.GetSize();
    const int x = area.x + (area.width - size.width) / 2;
    const int y = area.y + (area.height - size.height) / 2;
    gtk_window_move(m_window, x, y);
    m_lastRect = Rect::FromPointSize({x, y}, size);
    m_events.OnMove();
}

void GtkTopLevelWindow::SetForeground() {
    if (m_window != nullptr) {
        gtk_window_present(m_window);
    }
}

void GtkTopLevelWindow::SetLayeredPicture(const Image& premultiplied) {
    if (m_window == nullptr) {
        return;
    }
    m_picture = premultiplied;
    m_pictureSurface = SurfaceFromPremultiplied(premultiplied);
    gtk_widget_set_size_request(GTK_WIDGET(m_window), premultiplied.Width(), premultiplied.Height());
    gtk_window_resize(m_window, std::max(1, premultiplied.Width()), std::max(1, premultiplied.Height()));
    ApplyShape();
    gtk_widget_queue_draw(GTK_WIDGET(m_window));
}

void GtkTopLevelWindow::ApplyShape() {
    if (m_window == nullptr || !m_picture) {
        return;
    }
    GtkWidget* widget = GTK_WIDGET(m_window);
    // Fully transparent pixels are not part of the window: clicks there reach what lies below.
    CairoRegionPtr input = RegionFromAlpha(*m_picture, 1);
    gtk_widget_input_shape_combine_region(widget, input.get());
    if (gdk_screen_is_composited(gtk_widget_get_screen(widget))) {
        gtk_widget_shape_combine_region(widget, nullptr);
    } else {
        // Without a compositor there is no blending: cut the picture's silhouette instead.
        CairoRegionPtr visible = RegionFromAlpha(*m_picture, 128);
        gtk_widget_shape_combine_region(widget, visible.get());
    }
}

gboolean GtkTopLevelWindow::OnDraw(cairo_t* cr) {
    if (IsSkinned()) {
        const Size size{gtk_widget_get_allocated_width(GTK_WIDGET(m_window)),
                        gtk_widget_get_allocated_height(GTK_WIDGET(m_window))};
        m_frameSurface.Paint(cr, size, m_events);
        return FALSE;  // the controls draw themselves over the client area
    }
    if (!m_pictureSurface) {
        return FALSE;
    }
    cairo_save(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_set_source_surface(cr, m_pictureSurface.get(), 0, 0);
    cairo_paint(cr);
    cairo_restore(cr);
    return FALSE;  // the controls draw themselves over the picture
}

gboolean GtkTopLevelWindow::OnButtonPress(GdkEventButton* event) {
    if (event->type != GDK_BUTTON_PRESS || event->button != GDK_BUTTON_PRIMARY) {
        return FALSE;
    }
    const Point point{static_cast<int>(event->x), static_cast<int>(event->y)};
    const HitTestCode code = m_events.OnHitTest(point);
    const int rootX = static_cast<int>(event->x_root);
    const int rootY = static_cast<int>(event->y_root);
    if (code == HitTestCode::Caption) {
        gtk_window_begin_move_drag(m_window, static_cast<gint>(event->button), rootX, rootY, event->time);
        return TRUE;
    }
    if (const auto edge = EdgeOf(code)) {
        gtk_window_begin_resize_drag(m_window, *edge, static_cast<gint>(event->button), rootX, rootY, event->time);
        return TRUE;
    }
    return FALSE;
}

gboolean GtkTopLevelWindow::OnFrameButtonPress(GdkEventButton* event) {
    if (event->button != GDK_BUTTON_PRIMARY) {
        return FALSE;
    }
    const Point point{static_cast<int>(event->x), static_cast<int>(event->y)};
    const HitTestCode code = m_events.OnHitTest(point);
    if (event->type == GDK_2BUTTON_PRESS) {
        m_captionDrag.armed = false;
        if (m_events.OnNcLButtonDblClk(code, point) == NcHandling::DefaultProcessing && code == HitTestCode::Caption) {
            ShowWindow(IsMaximized() ? ShowCommand::Restore : ShowCommand::Maximize);
        }
        return TRUE;
    }
    if (event->type != GDK_BUTTON_PRESS) {
        return TRUE;
    }
    if (m_events.OnNcLButtonDown(code, point) == NcHandling::Handled) {
        return TRUE;
    }
    if (code == HitTestCode::Caption) {
        m_captionDrag = {true, static_cast<int>(event->button), event->x_root, event->y_root};
    } else if (const auto edge = EdgeOf(code)) {
        gtk_window_begin_resize_drag(m_window, *edge, static_cast<gint>(event->button), static_cast<int>(event->x_root),
                                     static_cast<int>(event->y_root), event->time);
    } else if (code == HitTestCode::SystemMenu) {
        ShowSystemMenu(point);
    }
    return TRUE;
}

gboolean GtkTopLevelWindow::OnFrameButtonRelease(GdkEventButton* event) {
    if (event->button != GDK_BUTTON_PRIMARY) {
        return FALSE;
    }
    m_captionDrag.armed = false;
    const Point point{static_cast<int>(event->x), static_cast<int>(event->y)};
    m_events.OnNcLButtonUp(m_events.OnHitTest(point), point);
    return TRUE;
}

gboolean GtkTopLevelWindow::OnFrameMotion(GdkEventMotion* event) {
    if (m_captionDrag.armed) {
        GtkSettings* settings = gtk_widget_get_settings(GTK_WIDGET(m_window));
        int threshold = 8;
        g_object_get(settings, "gtk-dnd-drag-threshold", &threshold, nullptr);
        if (std::abs(event->x_root - m_captionDrag.rootX) > threshold ||
            std::abs(event->y_root - m_captionDrag.rootY) > threshold) {
            m_captionDrag.armed = false;
            gtk_window_begin_move_drag(m_window, m_captionDrag.button, static_cast<int>(m_captionDrag.rootX),
                                       static_cast<int>(m_captionDrag.rootY), event->time);
        }
        return TRUE;
    }
    // Controls pass up the motions they do not handle, in their own coordinates: where the
    // pointer is in the window comes from the screen position.
    FramePointerAt(WindowPointOf(event->x_root, event->y_root));
    return IsOwnEvent(event->window) ? TRUE : FALSE;
}

Point GtkTopLevelWindow::WindowPointOf(double rootX, double rootY) const {
    int originX = 0;
    int originY = 0;
    if (GdkWindow* window = gtk_widget_get_window(GTK_WIDGET(m_window))) {
        gdk_window_get_origin(window, &originX, &originY);
    }
    return {static_cast<int>(rootX) - originX, static_cast<int>(rootY) - originY};
}

void GtkTopLevelWindow::FramePointerAt(Point point) {
    const HitTestCode code = m_events.OnHitTest(point);
    if (code == HitTestCode::Client) {
        OnFrameLeave();  // over the page, not the frame
        return;
    }
    m_pointerInFrame = true;
    SetFrameCursor(code);
    m_events.OnNcMouseMove(code, point);
}

bool GtkTopLevelWindow::IsOwnEvent(GdkWindow* eventWindow) const {
    return m_window != nullptr && eventWindow == gtk_widget_get_window(GTK_WIDGET(m_window));
}

// Coming straight from the page onto a button lights it without waiting for a motion.
void GtkTopLevelWindow::OnFrameEnter(GdkEventCrossing* event) {
    FramePointerAt(WindowPointOf(event->x_root, event->y_root));
}

void GtkTopLevelWindow::OnFrameLeave() {
    if (!m_pointerInFrame) {
        return;
    }
    m_pointerInFrame = false;
    SetFrameCursor(HitTestCode::Nowhere);
    m_events.OnNcMouseLeave();
    RepaintFrame();
}

void GtkTopLevelWindow::SetFrameCursor(HitTestCode code) {
    if (code == m_cursorCode || m_window == nullptr) {
        return;
    }
    m_cursorCode = code;
    const char* name = nullptr;
    switch (code) {
        case HitTestCode::Left:
        case HitTestCode::Right: name = "ew-resize"; break;
        case HitTestCode::Top:
        case HitTestCode::Bottom: name = "ns-resize"; break;
        case HitTestCode::TopLeft:
        case HitTestCode::BottomRight: name = "nwse-resize"; break;
        case HitTestCode::TopRight:
        case HitTestCode::BottomLeft: name = "nesw-resize"; break;
        default: break;
    }
    GdkWindow* window = gtk_widget_get_window(GTK_WIDGET(m_window));
    if (window == nullptr) {
        return;
    }
    GdkCursor* cursor = name != nullptr ? gdk_cursor_new_from_name(gdk_window_get_display(window), name) : nullptr;
    gdk_window_set_cursor(window, cursor);
    if (cursor != nullptr) {
        g_object_unref(cursor);
    }
}

WindowEvents& GtkTopLevelWindow::KeyboardTarget() {
    // Keys typed into a control of the layer belong to the layer's handler.
    if (m_overlay != nullptr) {
        GtkWidget* focus = gtk_window_get_focus(m_window);
        if (m_controls->Contains(focus)) {
            return m_overlay->Events();
        }
    }
    return m_events;
}

gboolean GtkTopLevelWindow::OnKeyPress(GdkEventKey* event) {
    const Key key = KeyOf(event->keyval);
    if (key == Key::Other) {
        return FALSE;
    }
    WindowEvents& target = KeyboardTarget();
    switch (target.PreTranslateKeyDown(key)) {
        case KeyDisposition::Discard: return TRUE;
        case KeyDisposition::DispatchToTarget: return FALSE;  // on to the focused control
        case KeyDisposition::DialogDefault:
            if (key == Key::Enter) {
                target.OnOK();
            } else {
                target.OnCancel();
            }
            return TRUE;
    }
    return FALSE;
}

void GtkTopLevelWindow::OnConfigure(GdkEventConfigure* event) {
    const Rect rect = Rect::FromPointSize({event->x, event->y}, {event->width, event->height});
    const bool moved = !m_lastRect || m_lastRect->TopLeft() != rect.TopLeft();
    const bool resized = !m_lastRect || m_lastRect->GetSize() != rect.GetSize();
    m_lastRect = rect;
    if (moved) {
        m_events.OnMove();
    }
    if (resized) {
        m_events.OnSize(IsMaximized() ? SizeType::Maximized : SizeType::Restored, rect.GetSize());
    }
}

void GtkTopLevelWindow::ForgetOverlay(GtkOverlayLayer* layer) {
    if (m_overlay == layer) {
        m_overlay = nullptr;
    }
}

std::unique_ptr<Window> GtkTopLevelWindow::CreateOverlayLayer(WindowEvents& events) {
    auto layer = std::make_unique<GtkOverlayLayer>(*this, events);
    m_overlay = layer.get();
    return layer;
}

std::unique_ptr<ImageButton> GtkTopLevelWindow::CreateImageButton(int id, const Image& normal, const Image& pressed) {
    if (m_window == nullptr) {
        return nullptr;
    }
    return std::make_unique<GtkImageButton>(m_controls, m_events, id, normal, pressed);
}

std::unique_ptr<WebView> GtkTopLevelWindow::CreateWebView(WebViewEvents& events) {
    if (m_window == nullptr) {
        return nullptr;
    }
    return std::make_unique<GtkWebView>(m_webSession, m_controls, events);
}

}  // namespace platform::gtk
