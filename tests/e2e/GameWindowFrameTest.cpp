// The game window's own frame on a real display: the caption buttons' faces, minimising
// into the tray and back, maximising and restoring, moving by the caption and resizing by
// the edges, all done with the pointer and checked on screen and with the window manager.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <string_view>

#include "Artifacts.h"
#include "ClientInstall.h"
#include "DisplaySession.h"
#include "FrameActions.h"
#include "PortalServer.h"
#include "ScreenImage.h"
#include "ScreenLayout.h"

using namespace std::chrono_literals;
using e2e::PixelRect;
using e2e::ScreenPoint;
namespace layout = e2e::layout;

namespace {

constexpr int kCaptionHeight = 39;
constexpr int kBorder = 3;
constexpr int kRestoredWidth = 1254;
constexpr int kRestoredHeight = 696;
constexpr int kTolerance = 3;  // pixels the window manager may round a drag by

// A caption button: from W - left to W - right of a window W wide, rows 10..30.
struct CaptionButton {
    const char* name;
    int left;
    int right;
    int strip;       // res/images/<strip>.png: normal, hover and pressed frames
    bool labelled;   // a text label is drawn over the middle of the face
};

constexpr CaptionButton kHome{"官网", 265, 225, 165, true};
constexpr CaptionButton kReload{"刷新", 220, 180, 165, true};
constexpr CaptionButton kClearCache{"清理", 175, 135, 165, true};
constexpr CaptionButton kCharge{"充值", 130, 90, 165, true};
constexpr CaptionButton kMinimise{"minimise", 74, 54, 163, false};
constexpr CaptionButton kMaximise{"maximise", 52, 32, 162, false};
constexpr CaptionButton kClose{"close", 30, 10, 161, false};
constexpr CaptionButton kCaptionButtons[] = {kHome, kReload, kClearCache, kCharge, kMinimise, kMaximise, kClose};

enum Face { kNormal = 0, kHover = 1, kPressed = 2 };
constexpr const char* kFaceNames[] = {"normal", "hover", "pressed"};
// Mean difference per channel below which the drawn face counts as that frame; the
// labelled faces are stretched from 41 to 40 pixels, which blurs a column or two.
constexpr double kFaceTolerance = 8.0;

bool Near(int actual, int expected) { return std::abs(actual - expected) <= kTolerance; }

class GameWindowFrame : public ::testing::Test {
protected:
    void SetUp() override {
        portal.Start();
        // The tray first: the client's icon falls back to it when it starts.
        tray = std::make_unique<e2e::TrayHost>(display);
        ASSERT_TRUE(tray->WaitUntilShown()) << "trayer did not show its panel:\n" << tray->Log();
        EnterGame();
    }

    // Starts the client, quick-enters from the sign-in page and waits until the game
    // window is maximised with its frame and page painted.
    void EnterGame() {
        install = std::make_unique<e2e::ClientInstall>(e2e::ClientInstall::Options{
            .configLines = {"page=" + portal.Url("/login.html?game=varnholt"), "home=" + portal.Url("/home.html"),
                            "charge=" + portal.Url("/charge.html")}});
        install->Start(display);
        const auto launcher = display.WaitForWindow("^Varnholt$", 60s);
        ASSERT_TRUE(launcher.has_value()) << install->Output();
        const auto launcherGeometry = display.Geometry(*launcher);
        ASSERT_TRUE(launcherGeometry.has_value());
        const layout::Point origin{launcherGeometry->x, launcherGeometry->y};
        const auto login = layout::OnScreen(origin, {layout::kLoginButton.x - 60, layout::kLoginButton.y - 8});
        const auto gold = [](const e2e::Rgb& c) { return c.r > 170 && c.g > 120 && c.b < 130; };
        const auto signIn = display.WaitForPixel(login.x, login.y, gold, e2e::ArtifactPath(Name() + "-signin.png"));
        ASSERT_TRUE(signIn && gold(signIn->Pixel(login.x, login.y))) << install->Output();
        const auto quick = layout::OnScreen(origin, layout::kQuickEnterButton);
        ASSERT_TRUE(actions.MovePointer({quick.x, quick.y}) && actions.Click());

        const auto window = display.WaitForWindow("^Varnholt - ", 60s);
        ASSERT_TRUE(window.has_value()) << install->Output();
        game = *window;
        ASSERT_TRUE(WaitForMaximised(30s)) << Evidence("entry");
        ASSERT_TRUE(e2e::WaitUntil([&] { return PagePainted(); }, 30s)) << Evidence("entry");
        for (const CaptionButton& button : kCaptionButtons) {
            ASSERT_TRUE(WaitForFace(button, kNormal, 10s)) << button.name;
        }
    }

    static std::string Name() { return ::testing::UnitTest::GetInstance()->current_test_info()->name(); }

    // A screenshot of the whole display and the client's output, for failure messages.
    std::string Evidence(const std::string& tag) const {
        const auto file = e2e::ArtifactPath(Name() + "-" + tag + ".png");
        display.Screenshot(file);
        return "see " + file.string() + "\nclient output:\n" + (install ? install->Output() : std::string());
    }

    e2e::WindowGeometry Window() const { return display.Geometry(game).value_or(e2e::WindowGeometry{}); }

    ScreenPoint InWindow(int x, int y) const {
        const auto window = Window();
        return {window.x + x, window.y + y};
    }

    PixelRect ButtonRect(const CaptionButton& button) const {
        const auto window = Window();
        return {window.x + window.width - button.left, window.y + 10, button.left - button.right, 20};
    }

    ScreenPoint ButtonCentre(const CaptionButton& button) const {
        const PixelRect rect = ButtonRect(button);
        return {rect.x + rect.width / 2, rect.y + rect.height / 2};
    }

    // Caption band clear of the buttons, the icon and the title.
    ScreenPoint QuietCaption() const { return InWindow(Window().width - 300, 20); }
    // A point of the page whose page coordinates fall on no caption button.
    ScreenPoint QuietPage() const { return InWindow(Window().width / 2, Window().height / 2); }

    // The game page's dark header has replaced the web view's white.
    bool PagePainted() const {
        const ScreenPoint at = InWindow(Window().width / 2, kCaptionHeight + 12);
        const auto area = actions.Capture({at.x, at.y, 1, 1}, e2e::ArtifactPath(Name() + "-page.png"));
        if (!area) return false;
        const e2e::Rgb pixel = area->Pixel(at.x, at.y);
        return pixel.r < 80 && pixel.g < 80 && pixel.b < 80;
    }

    const e2e::ButtonStrip& Strip(int id) {
        auto found = strips.find(id);
        if (found == strips.end()) found = strips.emplace(id, e2e::ButtonStrip::Load(id)).first;
        return found->second;
    }

    // How far the button drawn on screen is from each of its strip's frames.
    std::vector<double> FaceDistances(const CaptionButton& button) {
        const PixelRect rect = ButtonRect(button);
        const auto area = actions.Capture(rect, e2e::ArtifactPath(Name() + "-face.png"));
        if (!area) return {};
        // The label covers the middle of a labelled face; its 3-pixel rim shows the frame.
        const std::optional<PixelRect> label =
            button.labelled ? std::optional<PixelRect>(PixelRect{3, 3, rect.width - 6, rect.height - 6}) : std::nullopt;
        return Strip(button.strip).Distances(*area, {rect.x, rect.y, rect.width, rect.height}, label);
    }

    ::testing::AssertionResult WaitForFace(const CaptionButton& button, Face face,
                                           std::chrono::milliseconds timeout = 5s) {
        std::vector<double> distances;
        const bool shown = e2e::WaitUntil(
            [&] {
                distances = FaceDistances(button);
                return !distances.empty() && e2e::ClosestFrame(distances) == face &&
                       distances[static_cast<size_t>(face)] < kFaceTolerance;
            },
            timeout, 50ms);
        if (shown) return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << button.name << " does not show its " << kFaceNames[face]
                                             << " face (" << e2e::DescribeDistances(distances) << "); "
                                             << Evidence("face");
    }

    // Not hovered, for a while: the pointer is somewhere that must not light the button.
    ::testing::AssertionResult StaysNormal(const CaptionButton& button, std::chrono::milliseconds period = 1s) {
        std::vector<double> distances;
        const bool changed = e2e::WaitUntil(
            [&] {
                distances = FaceDistances(button);
                return !distances.empty() && e2e::ClosestFrame(distances) != kNormal;
            },
            period, 50ms);
        if (!changed) return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << button.name << " left its normal face ("
                                             << e2e::DescribeDistances(distances) << "); " << Evidence("stray-face");
    }

    bool WaitForMaximised(std::chrono::milliseconds timeout = 10s) const {
        return e2e::WaitUntil(
            [&] {
                const auto window = Window();
                return window.x == 0 && window.y == 0 && window.width == display.Width() &&
                       window.height == display.Height() && actions.IsViewable(game) &&
                       actions.HasNetWmState(game, "_NET_WM_STATE_MAXIMIZED_VERT") &&
                       actions.HasNetWmState(game, "_NET_WM_STATE_MAXIMIZED_HORZ");
            },
            timeout);
    }

    bool WaitForRestored(std::chrono::milliseconds timeout = 10s) const {
        return e2e::WaitUntil(
            [&] {
                const auto window = Window();
                return window.width == kRestoredWidth && window.height == kRestoredHeight &&
                       !actions.HasNetWmState(game, "_NET_WM_STATE_MAXIMIZED_VERT");
            },
            timeout);
    }

    std::string DescribeWindow() const {
        const auto window = Window();
        std::string states;
        for (const auto& atom : actions.NetWmState(game)) states += " " + atom;
        return std::to_string(window.width) + "x" + std::to_string(window.height) + "+" + std::to_string(window.x) +
               "+" + std::to_string(window.y) + (actions.IsViewable(game) ? " viewable" : " not viewable") +
               ", _NET_WM_STATE:" + states;
    }

    // Listed by the window manager, as taskbars show.
    bool Managed() const {
        const auto managed = actions.ManagedWindows();
        return std::find(managed.begin(), managed.end(), game) != managed.end();
    }

    void ClickButton(const CaptionButton& button) {
        ASSERT_TRUE(actions.GlidePointer(ButtonCentre(button)));
        ASSERT_TRUE(actions.Click());
    }

    void Restore() {
        ClickButton(kMaximise);
        ASSERT_TRUE(WaitForRestored()) << DescribeWindow() << "; " << Evidence("restore");
    }

    void SaveWindowPicture(const std::string& fileName) {
        const auto file = e2e::ArtifactPath(fileName);
        ASSERT_TRUE(display.ScreenshotWindow(game, file));
        const auto picture = e2e::ScreenImage::Load(file);
        EXPECT_EQ(picture.Width(), Window().width) << file;
        EXPECT_EQ(picture.Height(), Window().height) << file;
    }

    demo_portal::PortalServer portal{{e2e::DemoPortalRoot()}};
    e2e::DisplaySession display;
    std::unique_ptr<e2e::TrayHost> tray;
    std::unique_ptr<e2e::ClientInstall> install;
    e2e::FrameActions actions{display};
    e2e::WindowId game = 0;
    std::map<int, e2e::ButtonStrip> strips;
};

TEST_F(GameWindowFrame, CaptionButtonsShowHoverAndPressedFacesAndActOnlyOnARelease) {
    ASSERT_TRUE(actions.GlidePointer(QuietCaption()));
    SaveWindowPicture("game-window.png");
    for (const CaptionButton& button : kCaptionButtons) {
        SCOPED_TRACE(button.name);
        ASSERT_TRUE(actions.GlidePointer(ButtonCentre(button)));
        EXPECT_TRUE(WaitForFace(button, kHover));
        if (std::string_view(button.name) == kHome.name) SaveWindowPicture("game-window-hover.png");
        ASSERT_TRUE(actions.GlidePointer(QuietCaption()));
        EXPECT_TRUE(WaitForFace(button, kNormal));

        // Held down it shows the pressed face; moving off lets go of it, and a release
        // elsewhere does nothing.
        ASSERT_TRUE(actions.GlidePointer(ButtonCentre(button)));
        ASSERT_TRUE(actions.ButtonDown());
        EXPECT_TRUE(WaitForFace(button, kPressed));
        if (std::string_view(button.name) == kClose.name) SaveWindowPicture("game-window-pressed.png");
        ASSERT_TRUE(actions.GlidePointer(QuietCaption()));
        EXPECT_TRUE(WaitForFace(button, kNormal));
        ASSERT_TRUE(actions.ButtonUp());
    }
    // Leaving the frame for the page lets go of the hover too.
    ASSERT_TRUE(actions.GlidePointer(ButtonCentre(kHome)));
    EXPECT_TRUE(WaitForFace(kHome, kHover));
    ASSERT_TRUE(actions.GlidePointer(QuietPage()));
    EXPECT_TRUE(WaitForFace(kHome, kNormal));

    // None of the presses acted: still maximised and in front, no question asked, nothing
    // opened in the browser.
    EXPECT_TRUE(WaitForMaximised(2s)) << DescribeWindow();
    EXPECT_FALSE(e2e::WaitUntil([&] { return !display.Windows("^(关闭提示|清理提示)$").empty(); }, 1s))
        << Evidence("after-presses");
    EXPECT_TRUE(install->BrowserCalls().Calls().empty());
    EXPECT_EQ(portal.CountRequests("/game/play.html"), 1u) << "the page was reloaded";
}

TEST_F(GameWindowFrame, PointerOverThePageNeverLightsACaptionButton) {
    // Right below 官网, the page's own coordinates are those of the button in the window.
    const ScreenPoint centre = ButtonCentre(kHome);
    ASSERT_TRUE(actions.GlidePointer(QuietPage()));
    ASSERT_TRUE(actions.GlidePointer({centre.x + kBorder, centre.y + kCaptionHeight}));
    EXPECT_TRUE(StaysNormal(kHome));
}

TEST_F(GameWindowFrame, PointerComingStraightFromThePageLightsTheButton) {
    // One motion from the page onto the button, as a quick flick of the mouse makes. Now and
    // then Xvfb delivers no event at all for a single warp out of the page; a client that
    // ignores the crossing never lights the button, however often it is tried.
    bool lit = false;
    for (int attempt = 0; attempt < 3 && !lit; ++attempt) {
        ASSERT_TRUE(actions.GlidePointer(QuietPage()));
        ASSERT_TRUE(WaitForFace(kHome, kNormal, 3s));
        ASSERT_TRUE(actions.MovePointer(ButtonCentre(kHome)));
        lit = WaitForFace(kHome, kHover, 3s);
    }
    EXPECT_TRUE(lit);
}

TEST_F(GameWindowFrame, MinimiseHidesTheWindowAndTheTrayMenuShowsItMaximised) {
    ASSERT_NO_FATAL_FAILURE(ClickButton(kMinimise));
    ASSERT_TRUE(display.WaitForWindowGone(game, 10s)) << DescribeWindow();
    EXPECT_TRUE(display.Windows("^Varnholt - ").empty());
    // Out of the taskbar too: the window manager no longer lists it.
    EXPECT_TRUE(e2e::WaitUntil([&] { return !Managed(); }, 5s)) << DescribeWindow();

    // The tray icon, embedded in the tray's panel.
    std::vector<e2e::WindowId> icons;
    ASSERT_TRUE(e2e::WaitUntil([&] { return !(icons = actions.WindowsOfClass("^varnholt-client$")).empty(); }, 10s))
        << "no tray icon; " << Evidence("tray");
    const auto icon = display.Geometry(icons.front());
    ASSERT_TRUE(icon.has_value());
    EXPECT_GE(icon->y, display.Height() - 24) << "the icon is not in the panel at the bottom";

    // Its menu: "显示" first, "退出" second. The pointer picks the item once it is lit:
    // keys typed before the menu has taken the keyboard would be lost.
    ASSERT_TRUE(actions.GlidePointer({icon->x + icon->width / 2, icon->y + icon->height / 2}));
    ASSERT_TRUE(actions.Click(3));
    std::optional<e2e::WindowGeometry> menu;
    ASSERT_TRUE(e2e::WaitUntil(
        [&] {
            for (const auto window : actions.WindowsOfClass("^orvex-client$")) {
                if (window != game) menu = display.Geometry(window);
            }
            return menu.has_value();
        },
        5s))
        << "the tray menu did not open; " << Evidence("tray-menu");
    const ScreenPoint show{menu->x + menu->width / 2, menu->y + menu->height / 4};
    ASSERT_TRUE(actions.GlidePointer(show));
    const ScreenPoint itemEdge{menu->x + 6, show.y};
    ASSERT_TRUE(e2e::WaitUntil(
        [&] {
            const auto area = actions.Capture({itemEdge.x, itemEdge.y, 1, 1}, e2e::ArtifactPath(Name() + "-item.png"));
            if (!area) return false;
            const e2e::Rgb lit = area->Pixel(itemEdge.x, itemEdge.y);
            return lit.b > lit.r + 60;  // the menu's selection colour
        },
        5s))
        << "显示 is not highlighted; " << Evidence("tray-menu");
    ASSERT_TRUE(actions.Click());

    // WM_HINTS tells whether the client asked for the window to be mapped iconified.
    EXPECT_TRUE(WaitForMaximised(10s)) << "after 显示: " << DescribeWindow() << "\n"
                                       << actions.Property(game, "WM_HINTS") << Evidence("shown");
    EXPECT_FALSE(actions.HasNetWmState(game, "_NET_WM_STATE_HIDDEN"));
    EXPECT_TRUE(Managed()) << "not back in the taskbar";
    EXPECT_TRUE(install->Running());
}

TEST_F(GameWindowFrame, MaximiseButtonAndCaptionDoubleClickToggleMaximised) {
    struct Toggle {
        const char* how;
        std::function<bool()> act;
    };
    const Toggle toggles[] = {
        {"maximise button", [&] { return actions.GlidePointer(ButtonCentre(kMaximise)) && actions.Click(); }},
        {"caption double-click",
         [&] { return actions.GlidePointer(QuietCaption()) && actions.DoubleClick(QuietCaption()); }},
    };
    for (const Toggle& toggle : toggles) {
        SCOPED_TRACE(toggle.how);
        ASSERT_TRUE(toggle.act());
        EXPECT_TRUE(WaitForRestored()) << DescribeWindow() << "; " << Evidence("restored");
        ASSERT_TRUE(toggle.act());
        EXPECT_TRUE(WaitForMaximised()) << DescribeWindow() << "; " << Evidence("maximised");
    }
}

TEST_F(GameWindowFrame, CaptionDragMovesTheRestoredWindow) {
    ASSERT_NO_FATAL_FAILURE(Restore());
    const auto before = Window();
    const ScreenPoint by{150, 100};
    // On the caption band, right of the title and left of the buttons.
    const ScreenPoint from = InWindow(400, 20);
    const bool dragged = actions.Drag(from, by, 10, [&] {
        const auto now = Window();
        return Near(now.x - before.x, by.x) && Near(now.y - before.y, by.y);
    });
    EXPECT_TRUE(dragged);
    const auto after = Window();
    EXPECT_TRUE(Near(after.x - before.x, by.x) && Near(after.y - before.y, by.y))
        << "moved by " << after.x - before.x << "," << after.y - before.y << "; " << Evidence("moved");
    EXPECT_EQ(after.width, before.width);
    EXPECT_EQ(after.height, before.height);
    EXPECT_FALSE(actions.HasNetWmState(game, "_NET_WM_STATE_MAXIMIZED_VERT"));
}

TEST_F(GameWindowFrame, EdgesAndCornersResizeTheRestoredWindow) {
    ASSERT_NO_FATAL_FAILURE(Restore());
    struct Grip {
        const char* name;
        std::function<ScreenPoint(const e2e::WindowGeometry&)> at;  // a point of the grip
        ScreenPoint by;
        int dx, dy, dwidth, dheight;  // what the drag does to the window
    };
    const Grip grips[] = {
        {"bottom-right corner", [](const auto& w) { return ScreenPoint{w.x + w.width - 2, w.y + w.height - 2}; },
         {-200, -150}, 0, 0, -200, -150},
        {"right edge", [](const auto& w) { return ScreenPoint{w.x + w.width - 2, w.y + w.height / 2}; },
         {-100, 0}, 0, 0, -100, 0},
        {"bottom edge", [](const auto& w) { return ScreenPoint{w.x + w.width / 2, w.y + w.height - 2}; },
         {0, -80}, 0, 0, 0, -80},
        {"top-left corner", [](const auto& w) { return ScreenPoint{w.x + 2, w.y + 2}; },
         {100, 60}, 100, 60, -100, -60},
        {"left edge", [](const auto& w) { return ScreenPoint{w.x + 2, w.y + w.height / 2}; },
         {50, 0}, 50, 0, -50, 0},
    };
    for (const Grip& grip : grips) {
        SCOPED_TRACE(grip.name);
        const auto before = Window();
        const auto changed = [&](const e2e::WindowGeometry& now) {
            return Near(now.x - before.x, grip.dx) && Near(now.y - before.y, grip.dy) &&
                   Near(now.width - before.width, grip.dwidth) && Near(now.height - before.height, grip.dheight);
        };
        EXPECT_TRUE(actions.Drag(grip.at(before), grip.by, 10, [&] { return changed(Window()); }));
        const auto after = Window();
        EXPECT_TRUE(changed(after)) << "from " << before.width << "x" << before.height << "+" << before.x << "+"
                                    << before.y << " to " << DescribeWindow() << "; " << Evidence("resized");
    }
}

}  // namespace
