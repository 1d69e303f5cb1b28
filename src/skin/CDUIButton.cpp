#include "CDUIButton.h"

int CDUIButton::FrameIndex() const {
    if (m_bDisabled && m_nFrameCount >= 4) {
        return 3;
    }
    if (m_bHighlight && m_nFrameCount >= 2) {
        return 1;
    }
    if (m_bPressed && m_nFrameCount >= 3) {
        return 2;
    }
    if (m_bHover) {
        return m_nFrameCount >= 2 ? 1 : 0;
    }
    return 0;
}

const platform::FontSpec& CDUIButton::TextFont() {
    static const platform::FontSpec font{"Tahoma", 9.0, platform::FontUnit::Points, 400};
    return font;
}

void CDUIButton::Draw(platform::Painter& painter) const {
    if (!m_bVisible) {
        return;
    }
    if (m_pImage && !m_pImage->IsNull() && m_nFrameCount > 0) {
        const int frameWidth = static_cast<int>(static_cast<unsigned>(m_pImage->Width()) / m_nFrameCount);
        const platform::Rect source{frameWidth * FrameIndex(), 0, frameWidth * (FrameIndex() + 1), m_pImage->Height()};
        painter.DrawImage(*m_pImage, m_rect, source);
    }
    platform::Rect layout = m_rect;
    if (m_pIcon && !m_pIcon->IsNull()) {
        painter.DrawImageAt(*m_pIcon, m_ptIcon);
        layout.left = m_ptIcon.x + m_pIcon->Width();
        layout.right = layout.left + (m_rect.Width() - m_pIcon->Width() - 2);
    }
    if (m_strText.empty()) {
        return;
    }
    platform::Color color{static_cast<std::uint8_t>(m_nTextRed & 0xFF), static_cast<std::uint8_t>(m_nTextGreen & 0xFF),
                          static_cast<std::uint8_t>(m_nTextBlue & 0xFF), 255};
    if (m_bDisabled) {
        color = {0x80, 0x80, 0x80, 0xFF};
    }
    painter.DrawTextCentered(m_strText, TextFont(), color, layout);
}

void CDUIButton::BecomeHot() {
    if (!m_bDisabled) {
        m_bHover = true;
    }
}

void CDUIButton::StopBeingHot() {
    if (!m_bDisabled) {
        m_bHover = false;
        m_bPressed = false;
    }
}

void CDUIButton::Press() {
    if (!m_bDisabled) {
        m_bPressed = true;
        m_bHighlight = false;
    }
}

bool CDUIButton::GenericRelease() {
    if (m_bDisabled || !m_bPressed) {
        return false;
    }
    m_bPressed = false;
    m_bChecked = !m_bChecked;
    return true;
}
