#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "../app/DialogWindow.h"
#include "../platform/Image.h"
#include "../platform/Painter.h"
#include "CDUIButton.h"
#include "FrameValues.h"

enum class SystemCommand { Close, Maximize, Restore, Minimize, Move, Size };

// A dialog whose whole frame is drawn by the program: a caption band and thin edges cut
// from a template picture, the title, the small icon and the caption buttons.
class SkinnedDialog : public DialogWindow {
public:
    SkinnedDialog(platform::WindowDescription description, const FrameValues& values);
    ~SkinnedDialog() override;

    // Frame state.
    int m_nCaptionHeight = 0;
    int m_nBorderWidth = 0;
    std::shared_ptr<const platform::Image> m_pFrameImage;
    std::map<int, CDUIButton> m_buttons;
    int m_nHotButton = -1;
    bool m_bTrackingMouse = false;
    platform::Region m_rgnWindow;
    std::vector<std::shared_ptr<const platform::Image>> m_captionImages;
    platform::Rect m_rcSysMenu;

    CDUIButton& AddCaptionButton(int id, const platform::Rect& rect, std::shared_ptr<const platform::Image> face,
                                 const std::string& text = {});
    int HitCaptionButton(platform::Point point) const;
    void DrawFrame(platform::Painter& painter) const;
    void OnSysCommand(SystemCommand command);

    // The client rectangle for a proposed window rectangle; nullopt leaves it to the system.
    static std::optional<platform::Rect> CalcClientRect(const platform::Rect& proposed, int captionHeight,
                                                        int borderWidth);
    platform::Rect ClientRectInWindow() const;
    // A rounded rectangle (0, 0, W + 1, H + 1) with corner ellipses of 5, as rows of pixels.
    static platform::Region RoundedWindowRegion(platform::Size size);
    const FrameValues& Values() const { return m_values; }

    // Frame messages.
    platform::HitTestCode OnHitTest(platform::Point point) override;
    void OnNcPaint(platform::Painter& painter) override { DrawFrame(painter); }
    void OnNcMouseMove(platform::HitTestCode code, platform::Point point) override;
    void OnNcMouseLeave() override;
    platform::NcHandling OnNcLButtonDown(platform::HitTestCode code, platform::Point point) override;
    platform::NcHandling OnNcLButtonUp(platform::HitTestCode code, platform::Point point) override;
    void OnActivate(bool active) override;
    platform::Size OnGetMinTrackSize(platform::Size systemMinimum) override;
    void OnSize(platform::SizeType type, platform::Size size) override;

protected:
    void OnCreate() override;
    void Repaint();
    // The caption becomes the page's title (empty when it has none).
    void ShowPageTitle(const std::string& title);
    // Per-window parts.
    virtual void CreateCaptionButtons(int windowWidth) = 0;
    virtual void LayoutCaptionButtons(int windowWidth) = 0;
    virtual std::optional<platform::HitTestCode> ButtonHitCode(int id) const = 0;
    // A release over a button: true when the window acted on it itself.
    virtual bool DispatchButtonRelease(int id) = 0;
    // The client area changed; place what fills it.
    virtual void OnClientAreaChanged(const platform::Rect&) {}
    // The answer of the system's own hit test, from the window's styles.
    platform::HitTestCode DefaultHitTest(platform::Point point) const;
    void MoveButton(int id, const platform::Rect& rect);

private:
    FrameValues m_values;
    std::shared_ptr<const platform::Image> m_smallIcon;
};
