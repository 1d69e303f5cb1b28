#pragma once

#include "../Window.h"
#include "../WindowEvents.h"

namespace platform::gtk {

class GtkTopLevelWindow;

// A transparent layer over a toplevel: its controls live in the toplevel's window, its
// events go to its own handler, and its rectangle is kept equal to the toplevel's.
class GtkOverlayLayer final : public Window {
public:
    GtkOverlayLayer(GtkTopLevelWindow& owner, WindowEvents& events);
    ~GtkOverlayLayer() override;

    int RunModal() override { return -1; }
    void EndModal(int) override {}
    void Destroy() override { m_visible = false; }
    void SetTitle(const std::string& title) override { m_title = title; }
    std::string GetTitle() const override { return m_title; }
    Rect GetWindowRect() const override;
    void MoveWindow(const Rect& rect) override;
    void ShowWindow(ShowCommand command) override;
    bool IsVisible() const override { return m_visible; }
    bool IsMaximized() const override { return false; }
    void CenterOnScreen() override {}
    void SetForeground() override {}
    void SetLayeredPicture(const Image&) override {}
    void RepaintFrame() override {}
    void SetWindowRegion(const Region&) override {}
    void ShowSystemMenu(Point) override {}
    void PostCommand(int id) override { m_events.OnCommand(id); }
    std::unique_ptr<Window> CreateOverlayLayer(WindowEvents&) override { return nullptr; }
    std::unique_ptr<ImageButton> CreateImageButton(int id, const Image& normal, const Image& pressed) override;
    std::unique_ptr<WebView> CreateWebView(WebViewEvents& events) override;

    GtkTopLevelWindow& Owner() const { return *m_owner; }
    WindowEvents& Events() { return m_events; }
    void Detach() { m_owner = nullptr; }

private:
    GtkTopLevelWindow* m_owner;
    WindowEvents& m_events;
    std::string m_title;
    Rect m_rect;
    bool m_visible = false;
};

}  // namespace platform::gtk
