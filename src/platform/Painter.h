#pragma once

#include <cstdint>
#include <string>

#include "Geometry.h"

namespace platform {

class Image;

struct Color {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    std::uint8_t alpha = 255;
    friend bool operator==(const Color&, const Color&) = default;
};

enum class FontUnit { Pixels, Points };

struct FontSpec {
    std::string family;
    double size = 9.0;
    FontUnit unit = FontUnit::Points;
    int weight = 400;  // 400 regular, 700 bold
};

// 2-D drawing into one off-screen picture, in pixels from its top-left corner. Pictures
// are straight (not premultiplied) BGRA as decoded.
class Painter {
public:
    virtual ~Painter() = default;
    virtual Size SurfaceSize() const = 0;
    // Nothing painted afterwards touches this rectangle.
    virtual void ExcludeClip(const Rect& rect) = 0;
    // The part of the picture this paint has to cover; empty when the whole picture.
    virtual Rect ClipBox() const = 0;
    // The source rectangle of the picture scaled into the destination rectangle; pixels
    // outside the source rectangle never bleed in.
    virtual void DrawImage(const Image& image, const Rect& destination, const Rect& source) = 0;
    // The whole picture, unscaled, with its top-left corner at the point.
    virtual void DrawImageAt(const Image& image, Point topLeft) = 0;
    // One line, no wrapping, its layout box's top-left corner at the origin.
    virtual void DrawText(const std::string& utf8, const FontSpec& font, Color color, Point origin) = 0;
    // One line centred horizontally and vertically in the box.
    virtual void DrawTextCentered(const std::string& utf8, const FontSpec& font, Color color, const Rect& box) = 0;
};

}  // namespace platform
