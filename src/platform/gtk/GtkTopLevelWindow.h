#pragma once

#include <gtk/gtk.h>

#include <memory>
#include <optional>

#include "../Window.h"
#include "../WindowEvents.h"
#include "CairoImages.h"
#include "../glib/GObjectPtr.h"
#include "GtkUserInterface.h"
#include "SkinnedFrameSurface.h"

namespace platform::gtk {

class ControlLayer;
class GtkOverlayLayer;
class GtkResources;
class WebSession;

// A toplevel GtkWindow. Controls sit at exact pixel places; a layered window is
// undecorated, painted from its picture and shaped by its alpha.
class GtkTopLevelWindow final : public Window {
public:
    GtkTopLevelWindow(GtkUserInterface& ui, WebSession& webSession, GtkResources& resources,
                      const WindowDescription& description, WindowEvents& events);
    ~GtkTopLevelWindow() override;

    int RunModal() override;
    void EndModal(int result) override;
    void Destroy() override;
    void SetTitle(const std::string& title) override;
    std::string GetTitle() const override;
    Rect GetWindowRect() const override;
    void MoveWindow(const Rect& rect) override;
    void ShowWindow(ShowCommand command) override;
    bool IsVisible() const override;
    bool IsMaximized() const override;
    void CenterOnScreen() override;
    void SetForeground() override;
    void SetLayeredPicture(const Image& premultiplied) override;
    void RepaintFrame() override;
    void SetWindowRegion(const Region& region) override;
    void ShowSystemMenu(Point windowPoint) override;
    void PostCommand(int id) override;
    void SetOwner(GtkTopLevelWindow& owner);
    std::unique_ptr<Window> CreateOverlayLayer(WindowEvents& events) override;
    std::unique_ptr<ImageButton> CreateImageButton(int id, const Image& normal, const Image& pressed) override;
    std::unique_ptr<WebView> CreateWebView(WebViewEvents& events) override;

    GtkWindow* NativeWindow() const { return m_window; }
    const std::shared_ptr<ControlLayer>& Controls() const { return m_controls; }
    WebSession& Session() { return m_webSession; }
    GtkResources& ResourcesOfApp() { return m_resources; }
    void ForgetOverlay(GtkOverlayLayer* layer);

private:
    void ConnectSignals();
    void ApplyShape();
    gboolean OnDraw(cairo_t* cr);
    gboolean OnButtonPress(GdkEventButton* event);
    gboolean OnFrameButtonPress(GdkEventButton* event);
    gboolean OnFrameButtonRelease(GdkEventButton* event);
    gboolean OnFrameMotion(GdkEventMotion* event);
    void OnFrameEnter(GdkEventCrossing* event);
    void FramePointerAt(Point point);
    Point WindowPointOf(double rootX, double rootY) const;
    void OnFrameLeave();
    bool IsOwnEvent(GdkWindow* eventWindow) const;
    void SetFrameCursor(HitTestCode code);
    bool IsSkinned() const { return m_description.style == WindowStyle::Skinned; }
    gboolean OnKeyPress(GdkEventKey* event);
    void OnConfigure(GdkEventConfigure* event);
    WindowEvents& KeyboardTarget();

    GtkUserInterface& m_ui;
    WebSession& m_webSession;
    GtkResources& m_resources;
    WindowDescription m_description;
    WindowEvents& m_events;
    GtkWindow* m_window = nullptr;  // owned by GTK's toplevel list until Destroy
    std::shared_ptr<ControlLayer> m_controls;
    GtkOverlayLayer* m_overlay = nullptr;
    SignalConnections m_signals;
    GtkUserInterface::ModalRun m_run;
    std::optional<Image> m_picture;
    CairoSurfacePtr m_pictureSurface;
    std::optional<Rect> m_lastRect;
    std::vector<guint> m_pendingCommands;
    SkinnedFrameSurface m_frameSurface;
    // A press on the caption moves the window once the pointer really moves, so that a
    // double-click still reaches the frame.
    struct CaptionDrag {
        bool armed = false;
        int button = 0;
        double rootX = 0;
        double rootY = 0;
    } m_captionDrag;
    HitTestCode m_cursorCode = HitTestCode::Nowhere;
    bool m_pointerInFrame = false;
};

}  // namespace platform::gtk
