// The game window's frame painted for real, pixel by pixel, from a template whose zones
// have colours of their own.
#include "PainterFixture.h"
#include "gamewnd/ChtmlbrowserDlg.h"
#include "platform/headless/HeadlessPlatform.h"
#include "platform/headless/HeadlessWindow.h"
#include "skin/ResourceImageCache.h"

namespace painter_test {
namespace {

constexpr Color kBody{20, 17, 15, 255};
constexpr Color kCaptionLeft{120, 30, 30, 255};
constexpr Color kBandColumn{30, 120, 30, 255};
constexpr Color kCaptionRight{30, 30, 120, 255};
constexpr Color kLeftEdge{200, 160, 40, 255};
constexpr Color kRightEdge{40, 160, 200, 255};
constexpr Color kBottomEdge{160, 40, 200, 255};
constexpr Color kFaceFrames[3] = {{60, 60, 60, 255}, {110, 110, 110, 255}, {200, 80, 20, 255}};

constexpr int kWidth = 1000;
constexpr int kHeight = 700;
const Rect kClient{3, 39, kWidth - 3, kHeight - 3};

void Fill(Image& image, const Rect& rect, Color color) {
    for (int y = rect.top; y < rect.bottom; ++y) {
        for (int x = rect.left; x < rect.right; ++x) {
            SetPixel(image, x, y, color);
        }
    }
}

// 594 x 229 like the real template: caption 39 high, left part 218 wide, the band column at
// 218, right part the last 50 columns, 3-pixel edges, a plain body.
Image FrameTemplate() {
    Image image = Solid(594, 229, kBody, true);
    Fill(image, {0, 0, 218, 39}, kCaptionLeft);
    Fill(image, {218, 0, 544, 39}, kBandColumn);
    Fill(image, {544, 0, 594, 39}, kCaptionRight);
    Fill(image, {0, 39, 3, 229}, kLeftEdge);
    Fill(image, {591, 39, 594, 229}, kRightEdge);
    Fill(image, {3, 226, 591, 229}, kBottomEdge);
    return image;
}

Image Strip(int frameWidth, int height) {
    Image image = Solid(frameWidth * 3, height, kBlack);
    for (int frame = 0; frame < 3; ++frame) {
        Fill(image, {frame * frameWidth, 0, (frame + 1) * frameWidth, height}, kFaceFrames[frame]);
    }
    return image;
}

class FramePixelTest : public ::testing::Test {
protected:
    void SetUp() override {
        backend.AddResource(164, platform::ResourceKind::Png, FrameTemplate());
        backend.AddResource(165, platform::ResourceKind::Bitmap, Strip(41, 20));
        for (int id : {161, 162, 163}) {
            backend.AddResource(id, platform::ResourceKind::Bitmap, Strip(20, 20));
        }
        platform::SetCurrent(&backend);
        ResourceImageCache::Instance().ResetForTests();
        window = std::make_unique<ChtmlbrowserDlg>();
        window->CreateModeless(nullptr);
        dynamic_cast<platform::headless::HeadlessWindow&>(*window->GetWindow()).ResizeTo({kWidth, kHeight});
    }
    void TearDown() override {
        window.reset();
        ResourceImageCache::Instance().ResetForTests();
        platform::SetCurrent(nullptr);
    }

    // Paints onto a picture whose client area holds the sentinel and the rest nothing.
    CairoSurfacePtr Paint() {
        CairoSurfacePtr surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, kWidth, kHeight));
        {
            CairoPainter sentinel(surface.get(), {}, &cache);
            Image block = Solid(kClient.Width(), kClient.Height(), kSentinel);
            sentinel.DrawImageAt(block, kClient.TopLeft());
        }
        CairoPainter painter(surface.get(), {}, &cache);
        window->DrawFrame(painter);
        cairo_surface_flush(surface.get());
        return surface;
    }

    platform::headless::HeadlessPlatform backend;
    CairoSurfaceCache cache;
    std::unique_ptr<ChtmlbrowserDlg> window;
};

TEST_F(FramePixelTest, EveryFramePixelIsPaintedAndTheClientAreaIsNot) {
    const CairoSurfacePtr surface = Paint();
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            const Color pixel = ReadPixel(surface.get(), x, y);
            if (kClient.Contains({x, y})) {
                ASSERT_EQ(pixel, kSentinel) << "client pixel " << x << "," << y << " is " << Describe(pixel);
            } else {
                ASSERT_EQ(pixel.alpha, 255) << "frame pixel " << x << "," << y << " is " << Describe(pixel);
            }
        }
    }
}

TEST_F(FramePixelTest, EdgesMeetTheCaptionAndTheBottomEdge) {
    const CairoSurfacePtr surface = Paint();
    const auto at = [&](int x, int y) { return ReadPixel(surface.get(), x, y); };
    for (int y = 39; y < kHeight - 3; ++y) {
        ASSERT_EQ(at(0, y), kLeftEdge) << y;
        ASSERT_EQ(at(2, y), kLeftEdge) << y;
        ASSERT_EQ(at(kWidth - 1, y), kRightEdge) << y;
        ASSERT_EQ(at(kWidth - 3, y), kRightEdge) << y;
    }
    for (int x = 0; x < kWidth; ++x) {
        ASSERT_EQ(at(x, kHeight - 1), kBottomEdge) << x;
        ASSERT_EQ(at(x, kHeight - 3), kBottomEdge) << x;
    }
    EXPECT_EQ(at(1, 38), kCaptionLeft);
    EXPECT_EQ(at(kWidth - 2, 38), kCaptionRight);
    EXPECT_EQ(at(500, 38), kBandColumn) << "the band column stretched between the caption ends";
    EXPECT_EQ(at(600, 2), kBandColumn);
    EXPECT_EQ(at(217, 20), kCaptionLeft);
    EXPECT_EQ(at(218, 20), kBandColumn);
    EXPECT_EQ(at(949, 36), kBandColumn);
    EXPECT_EQ(at(950, 36), kCaptionRight);
}

TEST_F(FramePixelTest, ButtonsShowTheFrameOfTheirState) {
    struct State {
        const char* name;
        std::function<void()> act;
        Color expected;
    };
    const std::vector<State> states = {
        {"normal", [] {}, kFaceFrames[0]},
        {"hovered", [&] { window->OnNcMouseMove(platform::HitTestCode::Caption, {740, 15}); }, kFaceFrames[1]},
        {"pressed", [&] { window->OnNcLButtonDown(platform::HitTestCode::Caption, {740, 15}); }, kFaceFrames[2]},
        {"left", [&] { window->OnNcMouseLeave(); }, kFaceFrames[0]},
    };
    for (const State& state : states) {
        state.act();
        const CairoSurfacePtr surface = Paint();
        // A corner of "官网" (735..775, 10..30), away from its centred text.
        EXPECT_EQ(ReadPixel(surface.get(), 737, 12), state.expected) << state.name;
        EXPECT_EQ(ReadPixel(surface.get(), 773, 28), state.expected) << state.name;
        // The close glyph is 20 wide: no scaling, the same frame colours.
        EXPECT_EQ(ReadPixel(surface.get(), 975, 20), kFaceFrames[0]) << state.name << ": close untouched";
    }
}

}  // namespace
}  // namespace painter_test
