#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "PainterFixture.h"

namespace {

using namespace painter_test;

// Loud colours that differ from every pixel a test expects, so any bleed shows.
Color Noise(int x, int y) {
    return (x + y) % 2 == 0 ? Color{255, 0, 0, 255} : Color{0, 255, 0, 255};
}

// ---------------------------------------------------------------- clipping

class ClipTest : public PainterFixture {};

TEST_F(ClipTest, ExcludedRectanglesStayUntouchedWhileEverythingAroundIsPainted) {
    Start({40, 30}, kSentinel);
    const std::vector<Rect> excluded = {{10, 5, 20, 15}, {-5, 20, 6, 40}, {25, 10, 30, 11}};
    for (const Rect& rect : excluded) {
        painter->ExcludeClip(rect);
    }
    painter->ExcludeClip({30, 0, 30, 10});  // empty: excludes nothing
    painter->DrawImage(Solid(2, 2, kTarget), {0, 0, 40, 30}, {0, 0, 2, 2});
    painter->DrawText("Varnholt", {"Sans", 20, FontUnit::Pixels, 700}, kBlack, {0, 0});
    painter->DrawImage(Solid(2, 2, kTarget), {0, 0, 40, 30}, {0, 0, 2, 2});

    ExpectEveryPixel(Surface(), [&](int x, int y) {
        const bool inside = std::any_of(excluded.begin(), excluded.end(),
                                        [&](const Rect& r) { return r.Contains({x, y}); });
        return inside ? kSentinel : kTarget;
    });
}

TEST_F(ClipTest, DamageLimitsDrawingAndIsTheClipBox) {
    Start({30, 20}, kSentinel, {5, 4, 15, 12});
    EXPECT_EQ(painter->ClipBox(), (Rect{5, 4, 15, 12}));
    painter->DrawImage(Solid(1, 1, kTarget), {0, 0, 30, 20}, {0, 0, 1, 1});
    ExpectEveryPixel(Surface(), [](int x, int y) { return Rect{5, 4, 15, 12}.Contains({x, y}) ? kTarget : kSentinel; });
}

TEST_F(ClipTest, WithoutDamageTheClipBoxIsEmptyEvenAfterExclusions) {
    Start({30, 20}, kSentinel);
    painter->ExcludeClip({1, 1, 5, 5});
    EXPECT_TRUE(painter->ClipBox().IsEmpty());
    EXPECT_EQ(painter->SurfaceSize(), (Size{30, 20}));
}

// ---------------------------------------------------------------- scaled pictures

struct StretchCase {
    const char* name;
    Size imageSize;
    Rect source;
    Rect destination;
    Size surfaceSize;
};
void PrintTo(const StretchCase& c, std::ostream* os) { *os << c.name; }

// The source rectangle is filled with one colour and everything around it with others:
// the destination must come out exactly that colour up to its edges, and nothing else
// may change.
class StretchTest : public PainterFixture, public ::testing::WithParamInterface<StretchCase> {};

TEST_P(StretchTest, OnlyTheSourceRectangleReachesTheDestination) {
    const StretchCase& c = GetParam();
    Image image(c.imageSize.width, c.imageSize.height, false);
    for (int y = 0; y < image.Height(); ++y) {
        for (int x = 0; x < image.Width(); ++x) {
            SetPixel(image, x, y, c.source.Contains({x, y}) ? kTarget : Noise(x, y));
        }
    }
    Start(c.surfaceSize, kSentinel);
    painter->DrawImage(image, c.destination, c.source);
    ExpectEveryPixel(Surface(), [&](int x, int y) { return c.destination.Contains({x, y}) ? kTarget : kSentinel; });
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StretchTest,
    ::testing::Values(StretchCase{"OnePixelColumnAcrossACaptionBand", {7, 39}, {3, 0, 4, 39}, {0, 1, 1920, 40}, {1920, 42}},
                      StretchCase{"EdgeSampleAlongATopEdge", {9, 9}, {3, 3, 6, 6}, {2, 2, 902, 5}, {905, 8}},
                      StretchCase{"EdgeSampleDownASideEdge", {9, 9}, {3, 3, 6, 6}, {5, 0, 8, 500}, {10, 502}},
                      StretchCase{"EdgeSampleBothWays", {9, 9}, {3, 3, 6, 6}, {10, 10, 110, 60}, {120, 70}},
                      StretchCase{"SampleAtThePictureCorner", {9, 9}, {0, 0, 3, 3}, {1, 1, 200, 40}, {202, 42}},
                      StretchCase{"SampleAtTheOppositeCorner", {9, 9}, {6, 6, 9, 9}, {1, 1, 40, 200}, {42, 202}},
                      StretchCase{"ShrunkSample", {20, 20}, {5, 5, 15, 15}, {2, 3, 5, 6}, {8, 8}},
                      StretchCase{"HeavilyShrunkSample", {200, 20}, {50, 5, 150, 15}, {2, 3, 7, 5}, {9, 8}},
                      StretchCase{"OddScale", {123, 20}, {41, 0, 82, 20}, {3, 2, 43, 22}, {46, 25}}),
    CaseName<StretchCase>);

TEST_F(PainterFixture, EachFrameOfAThreeFrameStripKeepsToItsOwnColours) {
    const Color frames[] = {{200, 30, 30, 255}, {30, 200, 30, 255}, {30, 30, 200, 255}};
    Image strip(123, 20, false);
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 123; ++x) {
            SetPixel(strip, x, y, frames[x / 41]);
        }
    }
    for (int frame = 0; frame < 3; ++frame) {
        Start({44, 22}, kSentinel);
        painter->DrawImage(strip, {2, 1, 42, 21}, {41 * frame, 0, 41 * (frame + 1), 20});
        ExpectEveryPixel(Surface(), [&](int x, int y) {
            return Rect{2, 1, 42, 21}.Contains({x, y}) ? frames[frame] : kSentinel;
        });
    }
}

TEST_F(PainterFixture, UnscaledPicturesArriveExactlyWhereAsked) {
    Image image(3, 2, false);
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 3; ++x) {
            SetPixel(image, x, y, Color{static_cast<std::uint8_t>(40 * x), static_cast<std::uint8_t>(100 * y), 77, 255});
        }
    }
    Start({12, 12}, kSentinel);
    painter->DrawImageAt(image, {5, 7});
    ExpectEveryPixel(Surface(), [](int x, int y) {
        return Rect{5, 7, 8, 9}.Contains({x, y})
                   ? Color{static_cast<std::uint8_t>(40 * (x - 5)), static_cast<std::uint8_t>(100 * (y - 7)), 77, 255}
                   : kSentinel;
    });
}

TEST_F(PainterFixture, SourceReachingOutsideThePictureIsClippedToIt) {
    // The right half of the source lies outside the picture: only the left half of the
    // destination is painted, at the scale of the whole rectangles.
    Start({44, 22}, kSentinel);
    painter->DrawImage(Solid(10, 10, kTarget), {0, 0, 40, 20}, {5, -5, 15, 5});
    ExpectEveryPixel(Surface(), [](int x, int y) { return Rect{0, 10, 20, 20}.Contains({x, y}) ? kTarget : kSentinel; });
}

struct NothingCase {
    const char* name;
    Size imageSize;
    Rect destination;
    Rect source;
};
void PrintTo(const NothingCase& c, std::ostream* os) { *os << c.name; }

class DrawsNothingTest : public PainterFixture, public ::testing::WithParamInterface<NothingCase> {};

TEST_P(DrawsNothingTest, LeavesTheSurfaceAlone) {
    const NothingCase& c = GetParam();
    Start({20, 20}, kSentinel);
    const Image image = c.imageSize.width > 0 ? Solid(c.imageSize.width, c.imageSize.height, kTarget) : Image();
    painter->DrawImage(image, c.destination, c.source);
    painter->DrawImageAt(Image(), {2, 2});
    ExpectEveryPixel(Surface(), [](int, int) { return kSentinel; });
}

INSTANTIATE_TEST_SUITE_P(Cases, DrawsNothingTest,
                         ::testing::Values(NothingCase{"ZeroWideDestination", {4, 4}, {5, 5, 5, 15}, {0, 0, 4, 4}},
                                           NothingCase{"ZeroHighDestination", {4, 4}, {5, 5, 15, 5}, {0, 0, 4, 4}},
                                           NothingCase{"NegativeDestination", {4, 4}, {15, 15, 5, 5}, {0, 0, 4, 4}},
                                           NothingCase{"ZeroWideSource", {4, 4}, {0, 0, 10, 10}, {2, 0, 2, 4}},
                                           NothingCase{"NegativeSource", {4, 4}, {0, 0, 10, 10}, {3, 3, 1, 1}},
                                           NothingCase{"SourceOutsideThePicture", {4, 4}, {0, 0, 10, 10}, {4, 0, 8, 4}},
                                           NothingCase{"NullPicture", {0, 0}, {0, 0, 10, 10}, {0, 0, 4, 4}}),
                         CaseName<NothingCase>);

// ---------------------------------------------------------------- alpha

struct AlphaCase {
    const char* name;
    Color pixel;  // straight
    bool hasAlpha;
    Color background;
    Color expected;  // premultiplied, as stored
};
void PrintTo(const AlphaCase& c, std::ostream* os) { *os << c.name; }

class AlphaTest : public PainterFixture, public ::testing::WithParamInterface<AlphaCase> {};

TEST_P(AlphaTest, StraightPixelsArePremultipliedBeforeBlending) {
    const AlphaCase& c = GetParam();
    Start({3, 3}, c.background);
    painter->DrawImageAt(Solid(1, 1, c.pixel, c.hasAlpha), {1, 1});
    const Color got = Pixel(1, 1);
    const auto near = [](int a, int b) { return std::abs(a - b) <= 1; };
    EXPECT_TRUE(near(got.red, c.expected.red) && near(got.green, c.expected.green) &&
                near(got.blue, c.expected.blue) && got.alpha == c.expected.alpha)
        << Describe(got) << " expected " << Describe(c.expected);
    EXPECT_EQ(Pixel(0, 0), c.background);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AlphaTest,
    ::testing::Values(AlphaCase{"HalfRedOverBlack", {255, 0, 0, 128}, true, kBlack, {128, 0, 0, 255}},
                      AlphaCase{"QuarterWhiteOverBlack", {255, 255, 255, 64}, true, kBlack, {64, 64, 64, 255}},
                      AlphaCase{"HalfRedOverWhite", {255, 0, 0, 128}, true, kWhite, {255, 127, 127, 255}},
                      AlphaCase{"HalfRedOverNothing", {255, 0, 0, 128}, true, {0, 0, 0, 0}, {128, 0, 0, 128}},
                      AlphaCase{"InvisibleColourAddsNothing", {0, 255, 0, 0}, true, kBlack, kBlack},
                      AlphaCase{"OpaquePictureIgnoresItsAlphaBytes", {0, 0, 255, 0}, false, kBlack, {0, 0, 255, 255}}),
    CaseName<AlphaCase>);

// ---------------------------------------------------------------- surfaces

TEST(CairoPainterSurface, PaintsIntoTheCallersSurfaceAndLetsGoOfIt) {
    CairoSurfacePtr target(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 6, 4));
    CairoSurfaceCache cache;
    {
        CairoPainter painter(target.get(), {}, &cache);
        EXPECT_EQ(painter.SurfaceSize(), (Size{6, 4}));
        painter.DrawImage(Solid(1, 1, kTarget), {0, 0, 6, 4}, {0, 0, 1, 1});
    }
    EXPECT_EQ(cairo_surface_get_reference_count(target.get()), 1u);
    EXPECT_EQ(ReadPixel(target.get(), 5, 3), kTarget);
}

TEST(CairoPainterSurface, AnOwnSurfaceStartsTransparent) {
    CairoPainter painter(Size{5, 3});
    EXPECT_EQ(painter.SurfaceSize(), (Size{5, 3}));
    ExpectEveryPixel(painter.Surface(), [](int, int) { return Color{0, 0, 0, 0}; });
}

TEST(CairoSurfaceCacheTest, ConvertsEachPictureOnceUntilItChanges) {
    CairoSurfaceCache cache;
    CairoPainter painter(Size{4, 4}, {}, &cache);
    Image image = Solid(2, 2, kTarget);
    painter.DrawImageAt(image, {0, 0});
    painter.DrawImage(image, {0, 0, 4, 4}, {0, 0, 1, 1});
    EXPECT_EQ(cache.Conversions(), 1u);

    SetPixel(image, 0, 0, kBlack);
    image.Touch();
    painter.DrawImageAt(image, {0, 0});
    EXPECT_EQ(cache.Conversions(), 2u);
    EXPECT_EQ(ReadPixel(painter.Surface(), 0, 0), kBlack) << "a touched picture is converted afresh";

    const Image copy = image;
    painter.DrawImageAt(copy, {0, 0});
    EXPECT_EQ(cache.Conversions(), 3u);
    EXPECT_EQ(cache.SurfaceFor(Image()), nullptr);
    EXPECT_EQ(cache.Conversions(), 3u);
}

TEST(CairoSurfaceCacheTest, EvictsTheLeastRecentlyUsed) {
    CairoSurfaceCache cache(2);
    const Image a = Solid(1, 1, kBlack);
    const Image b = Solid(1, 1, kWhite);
    const Image c = Solid(1, 1, kTarget);
    cache.SurfaceFor(a);
    cache.SurfaceFor(b);
    cache.SurfaceFor(a);
    cache.SurfaceFor(c);  // b is the oldest now
    EXPECT_EQ(cache.Count(), 2u);
    EXPECT_EQ(cache.Conversions(), 3u);
    cache.SurfaceFor(a);
    EXPECT_EQ(cache.Conversions(), 3u);
    cache.SurfaceFor(b);
    EXPECT_EQ(cache.Conversions(), 4u);
}

TEST(CairoSurfaceCacheTest, OpaquePicturesBecomeRgbAndTranslucentOnesArgb) {
    EXPECT_EQ(cairo_image_surface_get_format(CairoSurfaceCache::Convert(Solid(2, 2, kTarget, false)).get()),
              CAIRO_FORMAT_RGB24);
    EXPECT_EQ(cairo_image_surface_get_format(CairoSurfaceCache::Convert(Solid(2, 2, kTarget, true)).get()),
              CAIRO_FORMAT_ARGB32);
    Image moved = Solid(2, 2, kTarget);
    const Image keeper = std::move(moved);
    // Deliberately reads the moved-from picture: it keeps its size but has no pixels.
    EXPECT_EQ(CairoSurfaceCache::Convert(moved), nullptr);  // NOLINT(bugprone-use-after-move)
    EXPECT_NE(CairoSurfaceCache::Convert(keeper), nullptr);
}

}  // namespace
