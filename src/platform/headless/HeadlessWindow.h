#pragma once

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "../Image.h"
#include "../ImageButton.h"
#include "../WebView.h"
#include "../Window.h"
#include "../WindowEvents.h"

namespace platform::headless {

class HeadlessUserInterface;
class HeadlessWebView;
class HeadlessWindow;

class HeadlessImageButton final : public ImageButton {
public:
    HeadlessImageButton(HeadlessWindow& owner, int id, const Image& normal, const Image& pressed);
    ~HeadlessImageButton() override;
    int Id() const override { return m_id; }
    void MoveWindow(const Rect& rect) override { m_rect = rect; }
    Rect GetRect() const override { return m_rect; }
    void SetSize(Size size) override { m_rect = Rect::FromPointSize(m_rect.TopLeft(), size); }
    Size NormalImageSize() const { return m_normalSize; }
    Size PressedImageSize() const { return m_pressedSize; }
    // The user clicks it: the window's handler gets the command.
    void Click();
    void Detach() { m_owner = nullptr; }

private:
    HeadlessWindow* m_owner;
    int m_id;
    Size m_normalSize;
    Size m_pressedSize;
    Rect m_rect;
};

// A window in memory: it records what the core asked of it and lets a test act as the
// user and the window manager.
class HeadlessWindow final : public Window {
public:
    HeadlessWindow(HeadlessUserInterface& ui, WindowDescription description, WindowEvents& events,
                   HeadlessWindow* owner);
    ~HeadlessWindow() override;

    int RunModal() override;
    void EndModal(int result) override;
    void Destroy() override;
    void SetTitle(const std::string& title) override { m_title = title; }
    std::string GetTitle() const override { return m_title; }
    Rect GetWindowRect() const override;
    void MoveWindow(const Rect& rect) override;
    void ShowWindow(ShowCommand command) override;
    bool IsVisible() const override { return m_visible; }
    bool IsMaximized() const override { return m_maximized; }
    void CenterOnScreen() override;
    void SetForeground() override { ++m_foregroundCount; }
    void SetLayeredPicture(const Image& premultiplied) override;
    void RepaintFrame() override { ++m_frameRepaints; }
    void SetWindowRegion(const Region& region) override { m_region = region; ++m_regionChanges; }
    void ShowSystemMenu(Point windowPoint) override { m_systemMenuPoints.push_back(windowPoint); }
    void PostCommand(int id) override { m_postedCommands.push_back(id); }
    std::unique_ptr<Window> CreateOverlayLayer(WindowEvents& events) override;
    std::unique_ptr<ImageButton> CreateImageButton(int id, const Image& normal, const Image& pressed) override;
    std::unique_ptr<WebView> CreateWebView(WebViewEvents& events) override;

    // What a test can do and see.
    WindowEvents& Events() { return m_events; }
    const WindowDescription& Description() const { return m_description; }
    bool IsDestroyed() const { return m_destroyed; }
    bool IsModalRunning() const { return m_modalRunning; }
    const std::optional<Image>& LayeredPicture() const { return m_layeredPicture; }
    int ForegroundCount() const { return m_foregroundCount; }
    HeadlessWindow* Overlay() const { return m_overlay; }
    HeadlessWebView* WebViewAt(std::size_t index) const;
    HeadlessImageButton* ButtonWithId(int id) const;
    int FrameRepaints() const { return m_frameRepaints; }
    const Region& WindowRegion() const { return m_region; }
    int RegionChanges() const { return m_regionChanges; }
    const std::vector<Point>& SystemMenuPoints() const { return m_systemMenuPoints; }
    // Posted commands arrive when the current event is over.
    void DeliverPostedCommands();
    const std::vector<int>& PostedCommands() const { return m_postedCommands; }
    void SetOwnerWindow(HeadlessWindow* owner) { m_ownerWindow = owner; }
    HeadlessWindow* OwnerWindow() const { return m_ownerWindow; }
    // The window manager resizes the window; the window reports the new size.
    void ResizeTo(Size size, SizeType type = SizeType::Restored);
    // The window manager moves the window (a drag); the window reports the move.
    void DragTo(Point topLeft);
    // A key press as the dialog framework routes it.
    void PressKey(Key key);
    void Forget(HeadlessWebView* view);
    void Forget(HeadlessImageButton* button);
    void ForgetOverlay() { m_overlay = nullptr; }

private:
    HeadlessUserInterface& m_ui;
    WindowDescription m_description;
    WindowEvents& m_events;
    HeadlessWindow* m_owner;
    HeadlessWindow* m_overlay = nullptr;
    std::string m_title;
    Rect m_rect;
    bool m_visible = false;
    bool m_maximized = false;
    bool m_destroyed = false;
    bool m_modalRunning = false;
    std::optional<int> m_endResult;
    int m_foregroundCount = 0;
    std::optional<Image> m_layeredPicture;
    int m_frameRepaints = 0;
    Region m_region;
    int m_regionChanges = 0;
    std::vector<Point> m_systemMenuPoints;
    std::vector<int> m_postedCommands;
    HeadlessWindow* m_ownerWindow = nullptr;
    std::vector<HeadlessWebView*> m_webViews;
    std::vector<HeadlessImageButton*> m_buttons;
};

}  // namespace platform::headless
