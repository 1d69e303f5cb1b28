#pragma once

#include <atomic>
#include <cstdint>
#include <utility>
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
    Image(const Image& other)
        : m_width(other.m_width), m_height(other.m_height), m_hasAlpha(other.m_hasAlpha), m_pixels(other.m_pixels) {}
    Image(Image&& other) noexcept
        : m_width(other.m_width), m_height(other.m_height), m_hasAlpha(other.m_hasAlpha),
          m_pixels(std::move(other.m_pixels)) {
        other.Clear();
    }
    Image& operator=(const Image& other) {
        if (this != &other) {
            m_width = other.m_width;
            m_height = other.m_height;
            m_hasAlpha = other.m_hasAlpha;
            m_pixels = other.m_pixels;
            m_serial = NextSerial();
        }
        return *this;
    }
    Image& operator=(Image&& other) noexcept {
        if (this != &other) {
            m_width = other.m_width;
            m_height = other.m_height;
            m_hasAlpha = other.m_hasAlpha;
            m_pixels = std::move(other.m_pixels);
            m_serial = NextSerial();
            other.Clear();
        }
        return *this;
    }

    // Tells pictures apart for caches: a copy, or a picture changed through Pixels() and
    // then marked with Touch(), gets a new serial.
    std::uint64_t Serial() const { return m_serial; }
    void Touch() { m_serial = NextSerial(); }

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
    // A moved-from picture is an empty one, never a size without pixels.
    void Clear() noexcept {
        m_width = 0;
        m_height = 0;
        m_hasAlpha = false;
        m_pixels.clear();
        m_serial = NextSerial();
    }

    static std::uint64_t NextSerial() {
        static std::atomic<std::uint64_t> counter{0};
        return ++counter;
    }

    std::uint64_t m_serial = NextSerial();
    int m_width = 0;
    int m_height = 0;
    bool m_hasAlpha = false;
    std::vector<std::uint8_t> m_pixels;
};

}  // namespace platform
