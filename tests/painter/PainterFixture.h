#pragma once

#include <gtest/gtest.h>

#include <cairo.h>

#include <functional>
#include <memory>
#include <string>

#include "platform/Image.h"
#include "platform/cairo/CairoPainter.h"
#include "platform/cairo/CairoSurfaceCache.h"

namespace painter_test {

using platform::Color;
using platform::FontSpec;
using platform::FontUnit;
using platform::Image;
using platform::Point;
using platform::Rect;
using platform::Size;
using platform::cairo::CairoPainter;
using platform::cairo::CairoSurfaceCache;
using platform::cairo::CairoSurfacePtr;

inline constexpr Color kSentinel{255, 0, 255, 255};
inline constexpr Color kBlack{0, 0, 0, 255};
inline constexpr Color kWhite{255, 255, 255, 255};
inline constexpr Color kRed{255, 0, 0, 255};
inline constexpr Color kTarget{30, 140, 220, 255};

void SetPixel(Image& image, int x, int y, Color color);
Image Solid(int width, int height, Color color, bool hasAlpha = false);
// The premultiplied pixel as stored.
Color ReadPixel(cairo_surface_t* surface, int x, int y);
std::string Describe(Color c);
// Shows the first pixel that breaks the rule, not a wall of failures.
void ExpectEveryPixel(cairo_surface_t* surface, const std::function<Color(int, int)>& expected);
// The box around every pixel that is no longer the background; empty when none changed.
Rect InkBox(cairo_surface_t* surface, Color background);

// A painter over a fresh surface of its own, with a picture cache of its own.
class PainterFixture : public ::testing::Test {
protected:
    void Start(Size size, Color background, Rect damage = {});
    cairo_surface_t* Surface() { return painter->Surface(); }
    Color Pixel(int x, int y) { return ReadPixel(Surface(), x, y); }

    CairoSurfaceCache cache;
    std::unique_ptr<CairoPainter> painter;
};

template <typename Case>
std::string CaseName(const ::testing::TestParamInfo<Case>& tested) {
    return tested.param.name;
}

}  // namespace painter_test
