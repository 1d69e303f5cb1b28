#pragma once

#include <memory>
#include <string>

#include "../platform/Geometry.h"
#include "../platform/Image.h"
#include "../platform/Painter.h"

namespace platform {
class Window;
}

// A button that exists only as a picture in a skinned window's frame.
class CDUIButton {
public:
    CDUIButton() = default;
    virtual ~CDUIButton() = default;
    CDUIButton(const CDUIButton&) = default;
    CDUIButton& operator=(const CDUIButton&) = default;

    virtual void Draw(platform::Painter& painter) const;
    // The strip frame the flags select: 0 normal, 1 hover, 2 pressed, 3 disabled.
    int FrameIndex() const;

    // Flag rules the frame applies from its mouse handlers.
    void BecomeHot();
    void StopBeingHot();
    void Press();
    // True when the command is to be sent to the owner.
    bool GenericRelease();

    platform::Rect m_rect;
    bool m_bHover = false;
    bool m_bPressed = false;
    bool m_bDisabled = false;
    bool m_bVisible = true;
    bool m_bChecked = false;
    bool m_bHighlight = false;
    std::shared_ptr<const platform::Image> m_pImage;
    unsigned m_nFrameCount = 3;
    std::shared_ptr<const platform::Image> m_pIcon;
    platform::Point m_ptIcon;
    int m_nID = 0;
    platform::Window* m_pOwner = nullptr;
    std::string m_strText;
    int m_nTextRed = 217;
    int m_nTextGreen = 151;
    int m_nTextBlue = 87;

    static const platform::FontSpec& TextFont();
};
