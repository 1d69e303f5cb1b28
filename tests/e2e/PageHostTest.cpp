// How the two browsers host their pages: the sign-in page gets no window.external, no
// scroll bars and no context menu; the game page gets window.external.getAppVersion; both
// keep script dialogs to themselves.
#include <gtest/gtest.h>

#include <thread>

#include "Artifacts.h"
#include "ClientInstall.h"
#include "DisplaySession.h"
#include "PortalServer.h"
#include "ScreenImage.h"
#include "ScreenLayout.h"

using namespace std::chrono_literals;
namespace layout = e2e::layout;

namespace {

std::optional<demo_portal::RequestRecord> HostReport(const demo_portal::PortalServer& portal, const std::string& role) {
    for (const auto& request : portal.RequestsTo("/log")) {
        if (request.QueryValue("host_role") == role) {
            return request;
        }
    }
    return std::nullopt;
}

bool WaitForHostReport(const demo_portal::PortalServer& portal, const std::string& role, std::chrono::seconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (std::chrono::steady_clock::now() < deadline) {
        if (HostReport(portal, role)) {
            return true;
        }
        std::this_thread::sleep_for(100ms);
    }
    return false;
}

TEST(PageHost, SignInPageAndGamePageAreHostedDifferently) {
    demo_portal::PortalServer portal({e2e::DemoPortalRoot()});
    portal.Start();
    e2e::DisplaySession display;
    e2e::ClientInstall install({.configLines = {"page=" + portal.Url("/host-check.html?enter=1")}});
    install.Start(display);

    ASSERT_TRUE(WaitForHostReport(portal, "launcher", 60s)) << install.Output();
    const auto launcher = HostReport(portal, "launcher");
    EXPECT_EQ(launcher->QueryValue("external"), "null");
    EXPECT_EQ(launcher->QueryValue("vbar"), "0");
    EXPECT_EQ(launcher->QueryValue("hbar"), "0");
    EXPECT_EQ(launcher->QueryValue("scrollbar_width"), "none");
    EXPECT_LT(std::stoi(launcher->QueryValue("alert_ms").value_or("99999")), 1000) << "no dialog held the page";

    ASSERT_TRUE(WaitForHostReport(portal, "game", 60s)) << install.Output();
    const auto game = HostReport(portal, "game");
    EXPECT_EQ(game->QueryValue("external"), "object");
    EXPECT_EQ(game->QueryValue("version"), "1.0.0.1");
    // Overlay scroll bars take no room, so the style the host asks for is what tells.
    EXPECT_NE(game->QueryValue("scrollbar_width"), "none");
    EXPECT_LT(std::stoi(game->QueryValue("alert_ms").value_or("99999")), 1000) << "no dialog held the page";
}

TEST(PageHost, RightClickOnTheSignInPageShowsNoMenu) {
    demo_portal::PortalServer portal({e2e::DemoPortalRoot()});
    portal.Start();
    e2e::DisplaySession display;
    e2e::ClientInstall install({.configLines = {"page=" + portal.Url("/host-check.html")}});
    install.Start(display);
    ASSERT_TRUE(WaitForHostReport(portal, "launcher", 60s)) << install.Output();
    const auto window = display.WaitForWindow("^Varnholt$", 30s);
    ASSERT_TRUE(window.has_value());
    const auto geometry = display.Geometry(*window);
    ASSERT_TRUE(geometry.has_value());
    const auto click = layout::OnScreen({geometry->x, geometry->y}, {200, 150});

    std::this_thread::sleep_for(1s);  // the page has painted once its report went out
    const auto before = e2e::ArtifactPath("page-host-before-right-click.png");
    ASSERT_TRUE(display.Screenshot(before));
    ASSERT_TRUE(display.ClickAt(click.x, click.y, 3));
    std::this_thread::sleep_for(1s);
    const auto after = e2e::ArtifactPath("page-host-after-right-click.png");
    ASSERT_TRUE(display.Screenshot(after));

    const auto first = e2e::ScreenImage::Load(before);
    const auto second = e2e::ScreenImage::Load(after);
    // A menu would open to the lower right of the pointer.
    int changed = 0;
    for (int y = click.y; y < click.y + 150; ++y) {
        for (int x = click.x; x < click.x + 150; ++x) {
            const auto a = first.Pixel(x, y);
            const auto b = second.Pixel(x, y);
            changed += (a.r != b.r || a.g != b.g || a.b != b.b) ? 1 : 0;
        }
    }
    EXPECT_LT(changed, 50) << "see " << before << " and " << after;
}

}  // namespace
