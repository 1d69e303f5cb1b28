#pragma once

#include <memory>
#include <string>
#include <vector>

#include "Geometry.h"

namespace platform {

class Image;
class WindowEvents;
class ImageButton;
class WebView;
class WebViewEvents;

enum class ShowCommand { Show, Hide, ShowMaximized, Minimize, Maximize, Restore };

enum class WindowStyle {
    Plain,    // an ordinary decorated window
    Layered,  // undecorated, shaped and painted from a picture with per-pixel alpha
    Skinned,  // undecorated; the owner paints caption and edges and answers their hit tests
};

enum class Resizing { Fixed, Resizable };

struct WindowDescription {
    std::string title;
    Size size;
    WindowStyle style = WindowStyle::Plain;
    Resizing resizing = Resizing::Resizable;
};

// A window's shape: the union of its rectangles (window coordinates); empty means the
// whole window.
using Region = std::vector<Rect>;

class Window {
public:
    virtual ~Window() = default;

    // Shows the window and runs a nested loop until EndModal or a quit request (-1).
    virtual int RunModal() = 0;
    virtual void EndModal(int result) = 0;
    virtual void Destroy() = 0;

    virtual void SetTitle(const std::string& title) = 0;
    virtual std::string GetTitle() const = 0;
    virtual Rect GetWindowRect() const = 0;  // screen coordinates
    virtual void MoveWindow(const Rect& rect) = 0;
    virtual void ShowWindow(ShowCommand command) = 0;
    virtual bool IsVisible() const = 0;
    virtual bool IsMaximized() const = 0;
    virtual void CenterOnScreen() = 0;
    virtual void SetForeground() = 0;

    // The window takes the picture's size; transparent pixels are not part of it.
    // The pixels are premultiplied BGRA, 4 bytes each.
    virtual void SetLayeredPicture(const Image& premultiplied) = 0;

    // Skinned windows: paint the frame now, shape the window, open the window menu, and
    // deliver a command to OnCommand once the current event is over.
    virtual void RepaintFrame() = 0;
    virtual void SetWindowRegion(const Region& region) = 0;
    virtual void ShowSystemMenu(Point windowPoint) = 0;
    virtual void PostCommand(int id) = 0;

    // A transparent layer over this window with handlers of its own; it follows the window.
    virtual std::unique_ptr<Window> CreateOverlayLayer(WindowEvents& events) = 0;
    virtual std::unique_ptr<ImageButton> CreateImageButton(int id, const Image& normal, const Image& pressed) = 0;
    virtual std::unique_ptr<WebView> CreateWebView(WebViewEvents& events) = 0;
};

}  // namespace platform
