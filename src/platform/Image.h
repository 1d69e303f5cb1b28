#pragma once

#include <cstdint>
#include <vector>

namespace platform {

// A decoded picture: rows top-down, 4 bytes a pixel in the order blue, green, red, alpha.
// Pictures decoded from files are not premultiplied; opaque pictures have alpha 255 and
// hasAlpha false.
class Image {
public:
    Image() = default;
    Image(int width, int height, bool hasAlpha)
        : m_width(width), m_height(height), m_hasAlpha(hasAlpha),
          m_pixels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4, 0) {}

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    bool HasAlpha() const { return m_hasAlpha; }
    bool IsNull() const { return m_width <= 0 || m_height <= 0; }
    int Stride() const { return m_width * 4; }
    std::uint8_t* Pixels() { return m_pixels.data(); }
    const std::uint8_t* Pixels() const { return m_pixels.data(); }
    std::uint8_t* PixelAt(int x, int y) { return m_pixels.data() + (static_cast<std::size_t>(y) * m_width + x) * 4; }
    const std::uint8_t* PixelAt(int x, int y) const {
        return m_pixels.data() + (static_cast<std::size_t>(y) * m_width + x) * 4;
    }

private:
    int m_width = 0;
    int m_height = 0;
    bool m_hasAlpha = false;
    std::vector<std::uint8_t> m_pixels;
};

}  // namespace platform
