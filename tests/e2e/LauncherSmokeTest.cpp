// The launcher comes up as a user sees it and goes away cleanly through the window manager.
#include <gtest/gtest.h>


#include "Artifacts.h"
#include "ClientInstall.h"
#include "DisplaySession.h"
#include "ScreenLayout.h"
#include "PortalServer.h"
#include "ScreenImage.h"

using namespace std::chrono_literals;
namespace layout = e2e::layout;

namespace {

bool IsGold(const e2e::Rgb& color) { return color.r > 170 && color.g > 120 && color.b < 130; }

TEST(LauncherSmoke, ShowsTheCentredLauncherWithTheSignInPageAndClosesOnAltF4) {
    demo_portal::PortalServer portal({e2e::DemoPortalRoot()});
    portal.Start();
    e2e::DisplaySession display;
    e2e::ClientInstall install({.configLines = {"page=" + portal.Url("/login.html?game=varnholt")},
                                .externalGameClient = true});
    install.Start(display);

    const auto launcher = display.WaitForWindow("^Varnholt$", 60s);
    ASSERT_TRUE(launcher.has_value()) << "no launcher window; client output:\n" << install.Output();
    const auto geometry = display.Geometry(*launcher);
    ASSERT_TRUE(geometry.has_value());
    EXPECT_EQ(geometry->width, layout::kLauncherWidth);
    EXPECT_EQ(geometry->height, layout::kLauncherHeight);
    EXPECT_NEAR(geometry->x, (display.Width() - layout::kLauncherWidth) / 2, 1);
    EXPECT_NEAR(geometry->y, (display.Height() - layout::kLauncherHeight) / 2, 1);
    EXPECT_FALSE(display.IsDecorated(*launcher));

    const auto signIn = portal.WaitForRequest("/login.html", 30s);
    ASSERT_TRUE(signIn.has_value()) << "the sign-in page was never requested; client output:\n" << install.Output();
    EXPECT_EQ(signIn->QueryValue("game"), "varnholt");

    // The page shows inside the launcher at the sign-in view's place: the gold of the
    // sign-in button, off its text, where the layout puts it.
    const layout::Point topLeft{geometry->x, geometry->y};
    const auto button = layout::OnScreen(topLeft, {layout::kLoginButton.x - 60, layout::kLoginButton.y - 8});
    const auto screenshot = e2e::ArtifactPath("LauncherSmoke.png");
    const auto image = display.WaitForPixel(button.x, button.y, IsGold, screenshot, 30s);
    ASSERT_TRUE(image.has_value());
    EXPECT_TRUE(IsGold(image->Pixel(button.x, button.y)))
        << image->Pixel(button.x, button.y).Hex() << " at " << button.x << "," << button.y << ", see " << screenshot;

    ASSERT_TRUE(display.CloseWithWindowManager(*launcher));
    // Until it ends, no other window may show up: closing the launcher means cancel.
    std::optional<e2e::ExitStatus> status;
    const auto deadline = std::chrono::steady_clock::now() + 30s;
    while (!status && std::chrono::steady_clock::now() < deadline) {
        for (const e2e::WindowId window : display.Windows(".")) {
            if (window != *launcher && display.WindowPid(window) == install.Pid()) {
                ADD_FAILURE() << "window '" << display.WindowName(window) << "' opened after closing the launcher";
            }
        }
        status = install.WaitForExit(200ms);
    }
    ASSERT_TRUE(status.has_value()) << "the client did not exit; output:\n" << install.Output();
    EXPECT_TRUE(status->Succeeded()) << status->Describe() << "\n" << install.Output();
    EXPECT_EQ(portal.CountRequests("/game/"), 0u);
    EXPECT_EQ(portal.CountRequests("/login"), 0u);
    EXPECT_TRUE(install.ExternalGameClientCalls().Calls().empty());
    EXPECT_TRUE(install.BrowserCalls().Calls().empty());
}

}  // namespace
