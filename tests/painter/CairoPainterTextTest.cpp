#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "PainterFixture.h"

namespace {

using namespace painter_test;

const FontSpec kCaption{"Tahoma", 9, FontUnit::Points, 400};
const FontSpec kButton{"Tahoma", 12, FontUnit::Pixels, 700};

class TextTest : public PainterFixture {
protected:
    // Text on a fresh white surface; returns its ink box.
    Rect Draw(const std::string& text, const FontSpec& font, Point origin = {20, 10}, Color color = kRed) {
        Start({400, 80}, kWhite);
        painter->DrawText(text, font, color, origin);
        return InkBox(Surface(), kWhite);
    }
    std::vector<Color> AllPixels() {
        std::vector<Color> pixels;
        for (int y = 0; y < painter->SurfaceSize().height; ++y) {
            for (int x = 0; x < painter->SurfaceSize().width; ++x) {
                pixels.push_back(Pixel(x, y));
            }
        }
        return pixels;
    }
};

struct TextCase {
    const char* name;
    const char* text;
    FontSpec font;
    int minInkWidth;
    int maxInkWidth;
};
void PrintTo(const TextCase& c, std::ostream* os) { *os << c.name; }

class TextLineTest : public TextTest, public ::testing::WithParamInterface<TextCase> {};

TEST_P(TextLineTest, InksInTheColourAskedBelowAndRightOfTheOrigin) {
    const TextCase& c = GetParam();
    const Rect ink = Draw(c.text, c.font);
    const int em = 12;  // both 9 pt and 12 px
    EXPECT_GE(ink.left, 20);
    EXPECT_LE(ink.left, 23);
    EXPECT_GE(ink.top, 10);
    EXPECT_LE(ink.top, 10 + em / 2);
    EXPECT_LE(ink.bottom, 10 + em * 3 / 2);
    EXPECT_GE(ink.Width(), c.minInkWidth);
    EXPECT_LE(ink.Width(), c.maxInkWidth);

    // Red over white at any coverage keeps full red and equal green and blue.
    int solid = 0;
    for (const Color& pixel : AllPixels()) {
        ASSERT_TRUE(pixel.red == 255 && pixel.green == pixel.blue && pixel.alpha == 255) << Describe(pixel);
        solid += pixel.green <= 127 ? 1 : 0;
    }
    EXPECT_GT(solid, 10);
}

INSTANTIATE_TEST_SUITE_P(Cases, TextLineTest,
                         ::testing::Values(TextCase{"LatinCaption", "Varnholt - Game Client", kCaption, 100, 200},
                                           TextCase{"LatinBold", "HOME", kButton, 25, 45},
                                           TextCase{"CjkPair", "官网", kButton, 20, 26},
                                           TextCase{"CjkSentence", "客服 正在和您通话", kCaption, 88, 112}),
                         CaseName<TextCase>);

TEST_F(TextTest, MissingFamiliesFallBackToAnInstalledFontWithTheGlyphs) {
    Draw("官网", {"Tahoma", 12, FontUnit::Pixels, 400});
    const std::vector<Color> fallenBack = AllPixels();
    Draw("官网", {"WenQuanYi Micro Hei", 12, FontUnit::Pixels, 400});
    EXPECT_EQ(AllPixels(), fallenBack);
}

TEST_F(TextTest, NinePointsAreTwelvePixels) {
    Draw("Varnholt", {"DejaVu Sans", 9, FontUnit::Points, 400});
    const std::vector<Color> points = AllPixels();
    Draw("Varnholt", {"DejaVu Sans", 12, FontUnit::Pixels, 400});
    EXPECT_EQ(AllPixels(), points);
}

TEST_F(TextTest, SizeAndWeightChangeTheInkEvenForTheSameText) {
    const Rect small = Draw("HOME", {"Sans", 12, FontUnit::Pixels, 400});
    const Rect large = Draw("HOME", {"Sans", 24, FontUnit::Pixels, 400});
    EXPECT_GT(large.Height(), small.Height() * 3 / 2);
    Draw("HOME", {"Sans", 24, FontUnit::Pixels, 700});
    const Rect bold = InkBox(Surface(), kWhite);
    EXPECT_GT(bold.Width(), large.Width());
}

TEST_F(TextTest, TheOriginMovesTheTextByWholePixels) {
    const Rect here = Draw("Varnholt 官网", kCaption, {10, 10});
    const Rect there = Draw("Varnholt 官网", kCaption, {13, 17});
    EXPECT_EQ(there, here.Offset(3, 7));
}

TEST_F(TextTest, TranslucentColourCoversAtMostItsAlpha) {
    Draw("HOME", kButton, {20, 10}, Color{255, 0, 0, 128});
    int strongest = 255;
    for (const Color& pixel : AllPixels()) {
        strongest = std::min<int>(strongest, pixel.green);
    }
    EXPECT_GE(strongest, 126);
    EXPECT_LE(strongest, 140);
}

TEST_F(TextTest, EmptyInvisibleOrSizelessTextDrawsNothing) {
    Start({200, 60}, kWhite);
    painter->DrawText("", kCaption, kRed, {5, 5});
    painter->DrawTextCentered("", kCaption, kRed, {0, 0, 200, 60});
    painter->DrawText("HOME", {"Sans", 0, FontUnit::Pixels, 400}, kRed, {5, 5});
    painter->DrawText("HOME", {"Sans", -3, FontUnit::Points, 400}, kRed, {5, 5});
    painter->DrawText("HOME", kCaption, Color{255, 0, 0, 0}, {5, 5});
    EXPECT_TRUE(InkBox(Surface(), kWhite).IsEmpty());
}

TEST_F(TextTest, AbsurdSizesAreCappedRatherThanOverflowing) {
    Start({60, 60}, kWhite);
    // A full block at 4096 px from far up and left still covers the whole surface.
    painter->DrawText("\u2588", {"DejaVu Sans", 1e9, FontUnit::Pixels, 400}, kRed, {-2000, -2000});
    EXPECT_EQ(Pixel(0, 0), kRed);
    EXPECT_EQ(Pixel(59, 59), kRed);
}

TEST_F(TextTest, InvalidUtf8IsDrawnWithoutItsBadBytes) {
    const std::string broken[] = {"\xff\xfe\xfd", "\xe5\xae", std::string("A\0B", 3), "\xc0\x80", "官\xe7\xbd"};
    for (const std::string& text : broken) {
        Draw(text, kCaption);
        Start({200, 60}, kWhite);
        painter->DrawTextCentered(text, kCaption, kRed, {0, 0, 200, 60});
    }
    const Rect valid = Draw("Ab", kCaption);
    const Rect mixed = Draw("Ab\xff" "cd", kCaption);
    EXPECT_EQ(mixed.left, valid.left);
    EXPECT_GT(mixed.Width(), valid.Width() + 10) << "what follows a bad byte is drawn too";
}

struct CentredCase {
    const char* name;
    const char* text;
    FontSpec font;
    Rect box;
};
void PrintTo(const CentredCase& c, std::ostream* os) { *os << c.name; }

class CentredTextTest : public TextTest, public ::testing::WithParamInterface<CentredCase> {};

TEST_P(CentredTextTest, InkIsCentredInTheBox) {
    const CentredCase& c = GetParam();
    Start({400, 80}, kWhite);
    painter->DrawTextCentered(c.text, c.font, kRed, c.box);
    const Rect ink = InkBox(Surface(), kWhite);
    ASSERT_FALSE(ink.IsEmpty());
    EXPECT_NEAR((ink.left + ink.right) / 2.0, (c.box.left + c.box.right) / 2.0, 2.0);
    EXPECT_NEAR((ink.top + ink.bottom) / 2.0, (c.box.top + c.box.bottom) / 2.0, 2.0);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CentredTextTest,
    ::testing::Values(CentredCase{"Button", "HOME", kButton, {5, 10, 125, 40}},
                      CentredCase{"CjkButton", "官网", kButton, {200, 5, 260, 75}},
                      CentredCase{"CjkSentence", "客服 正在和您通话", kCaption, {150, 30, 370, 50}},
                      CentredCase{"WiderThanTheBox", "Varnholt - Game Client", kCaption, {190, 20, 210, 60}},
                      CentredCase{"OddSizedBox", "Ok", {"Sans", 17, FontUnit::Pixels, 700}, {11, 13, 52, 44}}),
    CaseName<CentredCase>);

}  // namespace
