// The launcher's site buttons open their configured addresses in the default browser.
#include <gtest/gtest.h>

#include "Artifacts.h"
#include "ClientInstall.h"
#include "DisplaySession.h"
#include "PortalServer.h"
#include "ScreenLayout.h"

using namespace std::chrono_literals;
namespace layout = e2e::layout;

namespace {

TEST(LauncherLinks, SiteButtonsOpenTheirAddressesInTheBrowserAndTheLauncherStays) {
    demo_portal::PortalServer portal({e2e::DemoPortalRoot()});
    portal.Start();
    e2e::DisplaySession display;
    struct Link {
        const char* key;
        const char* path;
        layout::Point button;
    };
    const Link links[] = {
        {"home", "/home.html?from=launcher", layout::kLauncherHomeButton},
        {"charge", "/charge.html?from=launcher", layout::kLauncherChargeButton},
        {"bbs", "/bbs.html?from=launcher", layout::kLauncherBbsButton},
        {"service", "/service.html?from=launcher", layout::kLauncherServiceButton},
    };
    std::vector<std::string> config = {"page=" + portal.Url("/login.html?game=varnholt")};
    for (const Link& link : links) config.push_back(std::string(link.key) + "=" + portal.Url(link.path));
    e2e::ClientInstall install({.configLines = config});
    install.Start(display);
    const auto launcher = display.WaitForWindow("^Varnholt$", 60s);
    ASSERT_TRUE(launcher.has_value()) << install.Output();
    const auto geometry = display.Geometry(*launcher);
    ASSERT_TRUE(geometry.has_value());
    ASSERT_TRUE(portal.WaitForRequests("/login.html", 1, 30s));

    size_t expectedCalls = 0;
    for (const Link& link : links) {
        const auto point = layout::LauncherOnScreen({geometry->x, geometry->y}, link.button);
        ASSERT_TRUE(display.ClickAt(point.x, point.y));
        ++expectedCalls;
        ASSERT_TRUE(install.BrowserCalls().WaitFor(expectedCalls, 15s))
            << link.key << " opened nothing; client output:\n" << install.Output();
        const auto call = install.BrowserCalls().Calls().back();
        ASSERT_EQ(call.size(), 2u) << link.key;
        EXPECT_EQ(call[1], portal.Url(link.path)) << link.key;
    }
    display.Screenshot(e2e::ArtifactPath("LauncherLinks.png"));
    // The browser shows those pages, not the launcher: the portal never saw them.
    EXPECT_EQ(portal.CountRequests("/home.html") + portal.CountRequests("/charge.html") +
                  portal.CountRequests("/bbs.html") + portal.CountRequests("/service.html"),
              0u);
    EXPECT_EQ(display.Windows("^Varnholt$").size(), 1u);
    EXPECT_TRUE(install.Running());
}

}  // namespace
