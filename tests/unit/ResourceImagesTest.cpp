#include "HeadlessFixture.h"

namespace {

using platform::Image;
using platform::ResourceKind;

TEST_F(HeadlessFixture, BitmapsAreSharedAndPngTemplatesAreFreshEachTime) {
    backend.AddResource(161, ResourceKind::Bitmap, Image(60, 20, false));
    backend.AddResource(166, ResourceKind::Png, Image(194, 215, true));
    ResourceImageCache& cache = ResourceImageCache::Instance();

    const auto close1 = cache.GetImage(161);
    const auto close2 = cache.GetImage(161);
    EXPECT_EQ(close1, close2);
    EXPECT_EQ(close1->Width(), 60);

    const auto frame1 = cache.GetImage(166);
    const auto frame2 = cache.GetImage(166);
    EXPECT_NE(frame1, frame2);
    EXPECT_EQ(frame1->Width(), 194);

    // A missing bitmap gives an image that draws nothing, kept for later requests.
    const auto missing = cache.GetImage(999);
    EXPECT_TRUE(missing->IsNull());
    EXPECT_EQ(cache.GetImage(999), missing);
    EXPECT_TRUE(cache.GetImage(167)->IsNull()) << "167 goes the PNG way";
}

TEST(LauncherPicture, PremultipliesWithIntegerDivision) {
    Image image(3, 1, true);
    const std::uint8_t pixels[] = {200, 100, 50, 128, 10, 20, 30, 255, 90, 80, 70, 0};
    std::copy(std::begin(pixels), std::end(pixels), image.Pixels());
    COrvexClientDlg::PremultiplyInPlace(image);
    const std::vector<std::uint8_t> result(image.Pixels(), image.Pixels() + 12);
    EXPECT_EQ(result, (std::vector<std::uint8_t>{100, 50, 25, 128, 10, 20, 30, 255, 0, 0, 0, 0}));
}

TEST_F(HeadlessFixture, LauncherShowsItsPremultipliedPicture) {
    Image picture(1016, 680, true);
    std::uint8_t* corner = picture.PixelAt(0, 0);
    corner[0] = 200, corner[1] = 100, corner[2] = 50, corner[3] = 128;
    backend.AddResource(143, ResourceKind::Png, picture);
    COrvexClientApp app;
    Ui().ScriptModalRun([&](platform::headless::HeadlessWindow& launcher) {
        ASSERT_TRUE(launcher.LayeredPicture());
        const std::uint8_t* shown = launcher.LayeredPicture()->PixelAt(0, 0);
        EXPECT_EQ(std::vector<int>(shown, shown + 4), (std::vector<int>{100, 50, 25, 128}));
        EXPECT_EQ(launcher.GetWindowRect().GetSize(), (platform::Size{1016, 680}));
        launcher.Events().OnCloseRequested();
    });
    app.InitInstance();
}

TEST_F(HeadlessFixture, MissingLauncherPictureGivesAPlainDarkLauncher) {
    COrvexClientApp app;
    Ui().ScriptModalRun([&](platform::headless::HeadlessWindow& launcher) {
        ASSERT_TRUE(launcher.LayeredPicture());
        EXPECT_EQ(launcher.GetWindowRect().GetSize(), (platform::Size{1016, 680}));
        const std::uint8_t* pixel = launcher.LayeredPicture()->PixelAt(500, 300);
        EXPECT_EQ(pixel[3], 255);
        EXPECT_LT(pixel[0] + pixel[1] + pixel[2], 3 * 64) << "dark";
        launcher.Events().OnCloseRequested();
    });
    app.InitInstance();
}

}  // namespace
