#include "SkinnedDialog.h"

#include <cmath>

#include "../platform/Platform.h"
#include "ResourceImageCache.h"

namespace {
constexpr int kResizeGrip = 5;
constexpr int kCornerGrip = 16;
constexpr int kApplicationIconId = 7;

}  // namespace

SkinnedDialog::SkinnedDialog(platform::WindowDescription description, const FrameValues& values)
    : DialogWindow(std::move(description)), m_values(values) {
    m_nCaptionHeight = values.captionHeight;
    m_nBorderWidth = values.borderWidth;
    ResourceImageCache& cache = ResourceImageCache::Instance();
    for (int id : values.captionImageIds) {
        m_captionImages.push_back(cache.GetImage(id));
    }
    m_pFrameImage = cache.GetImage(values.frameTemplateId);
    m_rcSysMenu = {15, 13, 15 + kSmallIconSize, 13 + kSmallIconSize};
    m_smallIcon = cache.GetSmallIcon(kApplicationIconId);
}

SkinnedDialog::~SkinnedDialog() = default;

CDUIButton& SkinnedDialog::AddCaptionButton(int id, const platform::Rect& rect,
                                            std::shared_ptr<const platform::Image> face, const std::string& text) {
    CDUIButton button;
    button.m_rect = rect;
    button.m_nID = id;
    button.m_pImage = std::move(face);
    button.m_strText = text;
    button.m_pOwner = GetWindow();
    m_buttons[id] = button;
    return m_buttons[id];
}

int SkinnedDialog::HitCaptionButton(platform::Point point) const {
    for (const auto& [id, button] : m_buttons) {
        if (button.m_bVisible && button.m_rect.Contains(point)) {
            return id;
        }
    }
    return -1;
}

std::optional<platform::Rect> SkinnedDialog::CalcClientRect(const platform::Rect& proposed, int captionHeight,
                                                            int borderWidth) {
    if (proposed.left <= 0 && proposed.top <= 0 && proposed.right <= 0 && proposed.bottom <= 0) {
        return std::nullopt;  // a minimised window's far-off place: the system's answer
    }
    return platform::Rect{proposed.left + borderWidth, proposed.top + captionHeight, proposed.right - borderWidth,
                          proposed.bottom - borderWidth};
}

platform::Rect SkinnedDialog::ClientRectInWindow() const {
    const platform::Size size = GetWindow() != nullptr ? GetWindow()->GetWindowRect().GetSize() : platform::Size{};
    const platform::Rect window{0, 0, size.width, size.height};
    return CalcClientRect(window, m_nCaptionHeight, m_nBorderWidth).value_or(window);
}

platform::Region SkinnedDialog::RoundedWindowRegion(platform::Size size) {
    // The ellipse of the rounded corners spans 5 pixels; rows near the top and bottom lose
    // the pixels outside it. The rectangle reaches one pixel past the window on the right
    // and at the bottom, as the region handed to the window always has.
    constexpr double radius = 2.5;
    const int regionWidth = size.width + 1;
    const int regionHeight = size.height + 1;
    platform::Region region;
    for (int y = 0; y < size.height; ++y) {
        double inset = 0.0;
        const double centreY = y + 0.5;
        double dy = 0.0;
        if (centreY < radius) {
            dy = radius - centreY;
        } else if (centreY > regionHeight - radius) {
            dy = centreY - (regionHeight - radius);
        }
        if (dy > 0.0) {
            inset = radius - std::sqrt(std::max(0.0, radius * radius - dy * dy));
        }
        const int cut = static_cast<int>(std::lround(inset));
        const int left = cut;
        const int right = std::min(size.width, regionWidth - cut);
        if (right > left) {
            region.push_back({left, y, right, y + 1});
        }
    }
    return region;
}

platform::HitTestCode SkinnedDialog::DefaultHitTest(platform::Point point) const {
    using platform::HitTestCode;
    const platform::Size size = GetWindow() != nullptr ? GetWindow()->GetWindowRect().GetSize() : platform::Size{};
    if (point.x < 0 || point.y < 0 || point.x >= size.width || point.y >= size.height) {
        return HitTestCode::Nowhere;
    }
    const bool resizable = Description().resizing == platform::Resizing::Resizable && GetWindow() != nullptr &&
                           !GetWindow()->IsMaximized();
    if (resizable) {
        const bool left = point.x < kResizeGrip;
        const bool right = point.x >= size.width - kResizeGrip;
        const bool top = point.y < kResizeGrip;
        const bool bottom = point.y >= size.height - kResizeGrip;
        const bool nearLeft = point.x < kCornerGrip;
        const bool nearRight = point.x >= size.width - kCornerGrip;
        const bool nearTop = point.y < kCornerGrip;
        const bool nearBottom = point.y >= size.height - kCornerGrip;
        if ((top && nearLeft) || (left && nearTop)) {
            return HitTestCode::TopLeft;
        }
        if ((top && nearRight) || (right && nearTop)) {
            return HitTestCode::TopRight;
        }
        if ((bottom && nearLeft) || (left && nearBottom)) {
            return HitTestCode::BottomLeft;
        }
        if ((bottom && nearRight) || (right && nearBottom)) {
            return HitTestCode::BottomRight;
        }
        if (top) {
            return HitTestCode::Top;
        }
        if (bottom) {
            return HitTestCode::Bottom;
        }
        if (left) {
            return HitTestCode::Left;
        }
        if (right) {
            return HitTestCode::Right;
        }
    }
    if (point.y < m_nCaptionHeight) {
        return HitTestCode::Caption;
    }
    return ClientRectInWindow().Contains(point) ? HitTestCode::Client : HitTestCode::Nowhere;
}

void SkinnedDialog::DrawFrame(platform::Painter& painter) const {
    if (!m_pFrameImage || m_pFrameImage->IsNull()) {
        return;
    }
    const platform::Image& image = *m_pFrameImage;
    const platform::Size size = painter.SurfaceSize();
    const int W = size.width;
    const int H = size.height;
    const int C = m_nCaptionHeight;
    const int B = m_nBorderWidth;
    const int imgW = image.Width();
    const int imgH = image.Height();
    const auto box = [](int x, int y, int width, int height) { return platform::Rect{x, y, x + width, y + height}; };

    painter.ExcludeClip(box(B, C, W - 2 * B, H - C - B));
    painter.DrawImage(image, box(0, H - B, W, B), box(C, imgH - B, B, B));
    painter.DrawImage(image, box(B, C, W - 2 * B, H - C - B), box(B + 5, C, 10, 10));
    painter.DrawImage(image, box(0, C, B, H - C - B), box(0, C, B, B));
    painter.DrawImage(image, box(W - B, C, B, H - C - B), box(imgW - B, C, B, B));
    painter.DrawImage(image, box(0, 0, W, C), box(m_values.bandColumnX, 0, 1, C));
    painter.DrawImage(image, box(0, 0, m_values.leftPartWidth, C), box(0, 0, m_values.leftPartWidth, C));
    painter.DrawImage(image, box(W - m_values.rightPartWidth, 0, m_values.rightPartWidth, C),
                      box(imgW - m_values.rightPartWidth, 0, m_values.rightPartWidth, C));

    if (m_smallIcon && !m_smallIcon->IsNull()) {
        painter.DrawImage(*m_smallIcon,
                          platform::Rect::FromPointSize(m_values.iconPosition, {kSmallIconSize, kSmallIconSize}),
                          {0, 0, m_smallIcon->Width(), m_smallIcon->Height()});
    }
    const std::string title = GetWindow() != nullptr ? GetWindow()->GetTitle() : std::string();
    if (!title.empty()) {
        painter.DrawText(title, m_values.titleFont, {255, 255, 255, 255}, m_values.titleOrigin);
    }
    const platform::Rect clip = painter.ClipBox();
    for (const auto& [id, button] : m_buttons) {
        if (clip.IsEmpty() || clip.Intersects(button.m_rect)) {
            button.Draw(painter);
        }
    }
}

void SkinnedDialog::Repaint() {
    if (GetWindow() != nullptr) {
        GetWindow()->RepaintFrame();
    }
}

void SkinnedDialog::ShowPageTitle(const std::string& title) {
    GetWindow()->SetTitle(title);
    Repaint();
}

void SkinnedDialog::OnCreate() {
    CreateCaptionButtons(GetWindow()->GetWindowRect().Width());
    // The window's first size: region and final button places before it is shown.
    OnSize(platform::SizeType::Restored, GetWindow()->GetWindowRect().GetSize());
}

platform::HitTestCode SkinnedDialog::OnHitTest(platform::Point point) {
    const int id = HitCaptionButton(point);
    if (id != -1) {
        if (const auto code = ButtonHitCode(id)) {
            return *code;
        }
        return DefaultHitTest(point);
    }
    if (m_rcSysMenu.Contains(point)) {
        return platform::HitTestCode::SystemMenu;
    }
    return DefaultHitTest(point);
}

void SkinnedDialog::OnNcMouseMove(platform::HitTestCode, platform::Point point) {
    // The platform reports the pointer leaving the frame once it is tracked.
    m_bTrackingMouse = true;
    const int id = HitCaptionButton(point);
    if (id == m_nHotButton) {
        return;
    }
    if (m_nHotButton != -1) {
        m_buttons[m_nHotButton].StopBeingHot();
        m_nHotButton = -1;
    }
    if (id != -1) {
        m_nHotButton = id;
        m_buttons[id].BecomeHot();
    }
    Repaint();
}

void SkinnedDialog::OnNcMouseLeave() {
    m_bTrackingMouse = false;
    if (m_nHotButton != -1) {
        m_buttons[m_nHotButton].StopBeingHot();
        m_nHotButton = -1;
    }
}

platform::NcHandling SkinnedDialog::OnNcLButtonDown(platform::HitTestCode, platform::Point point) {
    const int id = HitCaptionButton(point);
    if (id != -1) {
        m_buttons[id].Press();
        Repaint();
        return platform::NcHandling::Handled;
    }
    if (m_rcSysMenu.Contains(point)) {
        GetWindow()->ShowSystemMenu(point);
        return platform::NcHandling::Handled;
    }
    return platform::NcHandling::DefaultProcessing;
}

platform::NcHandling SkinnedDialog::OnNcLButtonUp(platform::HitTestCode, platform::Point point) {
    const int id = HitCaptionButton(point);
    if (id == -1) {
        return platform::NcHandling::DefaultProcessing;
    }
    if (!DispatchButtonRelease(id)) {
        if (m_buttons[id].GenericRelease() && GetWindow() != nullptr) {
            GetWindow()->PostCommand(id);
        }
        Repaint();
    }
    return platform::NcHandling::Handled;
}

void SkinnedDialog::OnActivate(bool) { Repaint(); }

platform::Size SkinnedDialog::OnGetMinTrackSize(platform::Size systemMinimum) {
    return {systemMinimum.width, m_nCaptionHeight + m_nBorderWidth};
}

void SkinnedDialog::OnSize(platform::SizeType type, platform::Size size) {
    if (type != platform::SizeType::Minimized && type != platform::SizeType::MaxHide) {
        m_rgnWindow = RoundedWindowRegion(size);
        GetWindow()->SetWindowRegion(m_rgnWindow);
    }
    LayoutCaptionButtons(size.width);
    if (type == platform::SizeType::Restored || type == platform::SizeType::Maximized) {
        Repaint();
        const platform::Rect window{0, 0, size.width, size.height};
        OnClientAreaChanged(CalcClientRect(window, m_nCaptionHeight, m_nBorderWidth).value_or(window));
    }
}

void SkinnedDialog::MoveButton(int id, const platform::Rect& rect) {
    const auto found = m_buttons.find(id);
    if (found == m_buttons.end()) {
        return;
    }
    CDUIButton& button = found->second;
    button.m_ptIcon.x += rect.left - button.m_rect.left;
    button.m_ptIcon.y += rect.top - button.m_rect.top;
    button.m_rect = rect;
}

void SkinnedDialog::OnSysCommand(SystemCommand command) {
    if (command != SystemCommand::Close) {
        Repaint();
    }
    platform::Window* window = GetWindow();
    switch (command) {
        case SystemCommand::Close: OnCloseRequested(); break;
        case SystemCommand::Maximize: window->ShowWindow(platform::ShowCommand::Maximize); break;
        case SystemCommand::Restore: window->ShowWindow(platform::ShowCommand::Restore); break;
        case SystemCommand::Minimize: window->ShowWindow(platform::ShowCommand::Minimize); break;
        case SystemCommand::Move:
        case SystemCommand::Size: break;
    }
}
