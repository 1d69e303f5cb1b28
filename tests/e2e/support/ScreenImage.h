#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace e2e {

struct Rgb {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;

    bool operator==(const Rgb&) const = default;
    // True when every channel is within the tolerance.
    bool Near(const Rgb& other, int tolerance) const;
    std::string Hex() const;  // "#rrggbb"
};

struct PixelRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// A screenshot in memory, decoded by ImageMagick's convert into 8-bit RGB.
class ScreenImage {
public:
    // Throws std::runtime_error when the file cannot be read.
    static ScreenImage Load(const std::filesystem::path& file);

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    Rgb Pixel(int x, int y) const;  // throws std::out_of_range outside the image
    Rgb Average(const PixelRect& rect) const;
    // How many different colours the area has: 1 means nothing was drawn there.
    std::size_t DistinctColors(const PixelRect& rect) const;

private:
    int m_width = 0;
    int m_height = 0;
    std::vector<std::uint8_t> m_rgb;
};

}  // namespace e2e
