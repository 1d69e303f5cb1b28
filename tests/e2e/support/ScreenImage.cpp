#include "ScreenImage.h"

#include <array>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <stdexcept>

#include "ChildProcess.h"

namespace e2e {

namespace {

// /usr/local/bin may hold a stand-in named convert; ImageMagick's lives in /usr/bin.
constexpr const char* kConvert = "/usr/bin/convert";

// Reads one whitespace-separated number of a binary PPM header.
int HeaderNumber(const std::string& data, size_t& at) {
    while (at < data.size()) {
        if (data[at] == '#') {
            while (at < data.size() && data[at] != '\n') ++at;
        } else if (std::isspace(static_cast<unsigned char>(data[at]))) {
            ++at;
        } else {
            break;
        }
    }
    size_t end = at;
    while (end < data.size() && data[end] >= '0' && data[end] <= '9') ++end;
    if (end == at) throw std::runtime_error("bad image header");
    const int value = std::atoi(data.substr(at, end - at).c_str());
    at = end;
    return value;
}

}  // namespace

bool Rgb::Near(const Rgb& other, int tolerance) const {
    return std::abs(r - other.r) <= tolerance && std::abs(g - other.g) <= tolerance &&
           std::abs(b - other.b) <= tolerance;
}

std::string Rgb::Hex() const {
    std::array<char, 8> text{};
    std::snprintf(text.data(), text.size(), "#%02x%02x%02x", r, g, b);
    return text.data();
}

ScreenImage ScreenImage::Load(const std::filesystem::path& file) {
    const CommandResult converted =
        ChildProcess::Run({kConvert, file.string(), "-depth", "8", "ppm:-"}, Environment::Current(),
                          std::chrono::seconds(30));
    if (!converted.Ok()) throw std::runtime_error("convert cannot read " + file.string());
    const std::string& data = converted.output;
    if (data.size() < 2 || data[0] != 'P' || data[1] != '6') throw std::runtime_error("convert gave no PPM");
    size_t at = 2;
    ScreenImage image;
    image.m_width = HeaderNumber(data, at);
    image.m_height = HeaderNumber(data, at);
    const int maxValue = HeaderNumber(data, at);
    ++at;  // the single whitespace before the samples
    const size_t bytes = static_cast<size_t>(image.m_width) * static_cast<size_t>(image.m_height) * 3;
    if (maxValue != 255 || data.size() < at + bytes) throw std::runtime_error("unexpected PPM layout");
    image.m_rgb.assign(data.begin() + static_cast<std::ptrdiff_t>(at),
                       data.begin() + static_cast<std::ptrdiff_t>(at + bytes));
    return image;
}

Rgb ScreenImage::Pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= m_width || y >= m_height) {
        throw std::out_of_range("pixel " + std::to_string(x) + "," + std::to_string(y) + " outside the image");
    }
    const size_t offset = (static_cast<size_t>(y) * static_cast<size_t>(m_width) + static_cast<size_t>(x)) * 3;
    return {m_rgb[offset], m_rgb[offset + 1], m_rgb[offset + 2]};
}

Rgb ScreenImage::Average(const PixelRect& rect) const {
    unsigned long long sum[3] = {0, 0, 0};
    unsigned long long count = 0;
    for (int y = rect.y; y < rect.y + rect.height; ++y) {
        for (int x = rect.x; x < rect.x + rect.width; ++x) {
            const Rgb p = Pixel(x, y);
            sum[0] += p.r;
            sum[1] += p.g;
            sum[2] += p.b;
            ++count;
        }
    }
    if (count == 0) return {};
    return {static_cast<std::uint8_t>(sum[0] / count), static_cast<std::uint8_t>(sum[1] / count),
            static_cast<std::uint8_t>(sum[2] / count)};
}

std::size_t ScreenImage::DistinctColors(const PixelRect& rect) const {
    std::set<std::uint32_t> colors;
    for (int y = rect.y; y < rect.y + rect.height; ++y) {
        for (int x = rect.x; x < rect.x + rect.width; ++x) {
            const Rgb p = Pixel(x, y);
            colors.insert((std::uint32_t{p.r} << 16) | (std::uint32_t{p.g} << 8) | p.b);
        }
    }
    return colors.size();
}

}  // namespace e2e
