// From the sign-in page into the game: the launcher hands the game address on, either to
// its own game window or to the external game client.
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

class GameEntry : public ::testing::Test {
protected:
    void SetUp() override { portal.Start(); }

    // Installs and starts the client with the demo sign-in page and these extra lines,
    // then waits until the sign-in page has painted in the launcher.
    void StartClient(std::vector<std::string> extraConfig, bool externalGameClient = false) {
        std::vector<std::string> config = {"page=" + portal.Url("/login.html?game=varnholt")};
        config.insert(config.end(), extraConfig.begin(), extraConfig.end());
        install = std::make_unique<e2e::ClientInstall>(
            e2e::ClientInstall::Options{.configLines = config, .externalGameClient = externalGameClient});
        install->Start(display);
        const auto window = display.WaitForWindow("^Varnholt$", 60s);
        ASSERT_TRUE(window.has_value()) << install->Output();
        launcher = *window;
        const auto geometry = display.Geometry(launcher);
        ASSERT_TRUE(geometry.has_value());
        launcherTopLeft = {geometry->x, geometry->y};
        ASSERT_TRUE(WaitForSignInPainted()) << "see " << e2e::ArtifactPath(Name() + "-signin.png");
    }

    bool WaitForSignInPainted() {
        const auto button = layout::OnScreen(launcherTopLeft, {layout::kLoginButton.x - 60, layout::kLoginButton.y - 8});
        const auto image = display.WaitForPixel(button.x, button.y, IsGold, e2e::ArtifactPath(Name() + "-signin.png"));
        return image && IsGold(image->Pixel(button.x, button.y));
    }

    // The game page's dark header has painted over the web view's white (the page starts
    // below the 39-pixel caption and inside the 3-pixel edge).
    bool WaitForGamePainted(e2e::WindowId game) {
        const auto geometry = display.Geometry(game);
        if (!geometry) return false;
        const auto dark = [](const e2e::Rgb& color) { return color.r < 80 && color.g < 80 && color.b < 80; };
        const int x = geometry->x + 3 + 8;
        const int y = geometry->y + 39 + 8;
        const auto image = display.WaitForPixel(x, y, dark, e2e::ArtifactPath(Name() + ".png"));
        return image && dark(image->Pixel(x, y));
    }

    static bool IsGold(const e2e::Rgb& color) { return color.r > 170 && color.g > 120 && color.b < 130; }

    void ClickInPage(layout::Point inPage) {
        const auto point = layout::OnScreen(launcherTopLeft, inPage);
        ASSERT_TRUE(display.ClickAt(point.x, point.y));
    }

    static std::string Name() { return e2e::CurrentTestName(); }

    demo_portal::PortalServer portal{{e2e::DemoPortalRoot()}};
    e2e::DisplaySession display;
    std::unique_ptr<e2e::ClientInstall> install;
    e2e::WindowId launcher = 0;
    layout::Point launcherTopLeft;
};

TEST_F(GameEntry, QuickEnterOpensTheGameWindowOnTheGameAddress) {
    StartClient({});
    ClickInPage(layout::kQuickEnterButton);

    const auto game = display.WaitForWindow("^Varnholt - ", 60s);
    ASSERT_TRUE(game.has_value()) << install->Output();
    EXPECT_EQ(display.WindowName(*game), "Varnholt - 风暴要塞");
    EXPECT_TRUE(display.WaitForWindowGone(launcher, 10s));

    // The game window loaded the entry the launcher gave up, exactly once.
    const auto entry = portal.WaitForRequest("/game/play.html", 30s);
    ASSERT_TRUE(entry.has_value());
    EXPECT_EQ(entry->QueryValue("quick"), "1");
    // Both the game page and its frame from the other origin got the client's version.
    ASSERT_TRUE(portal.WaitForRequests("/log", 2, 30s)) << install->Output();
    std::optional<std::string> pageVersion;
    std::optional<std::string> frameVersion;
    for (const auto& record : portal.RequestsTo("/log")) {
        if (auto value = record.QueryValue("page_version")) pageVersion = value;
        if (auto value = record.QueryValue("frame_version")) {
            frameVersion = value;
            EXPECT_EQ(record.localPort, portal.FramePort());
        }
    }
    EXPECT_EQ(pageVersion, "1.0.0.1");
    EXPECT_EQ(frameVersion, "1.0.0.1");
    EXPECT_EQ(portal.CountRequests("/game/play.html"), 1u);
    EXPECT_TRUE(WaitForGamePainted(*game)) << "see " << e2e::ArtifactPath(Name() + ".png");
}

TEST_F(GameEntry, SigningInCarriesTheSessionIntoTheGameWindow) {
    StartClient({});
    ClickInPage(layout::kAccountField);
    ASSERT_TRUE(display.Type("hero01"));
    ClickInPage(layout::kPasswordField);
    ASSERT_TRUE(display.Type("secret"));
    ClickInPage(layout::kServerRows[1]);
    ClickInPage(layout::kLoginButton);

    const auto post = portal.WaitForRequest("/login", 30s);
    ASSERT_TRUE(post.has_value()) << install->Output();
    EXPECT_EQ(post->method, "POST");
    EXPECT_NE(post->body.find("account=hero01"), std::string::npos) << post->body;
    EXPECT_NE(post->body.find("server_id=S2"), std::string::npos) << post->body;

    const auto game = display.WaitForWindow("^Varnholt - ", 60s);
    ASSERT_TRUE(game.has_value()) << install->Output();
    const auto entry = portal.WaitForRequest("/game/play.html", 30s);
    ASSERT_TRUE(entry.has_value());
    EXPECT_EQ(entry->QueryValue("server_id"), "S2");
    EXPECT_TRUE(entry->HasCookie("varnholt_session")) << "cookie header: " << entry->cookie;
    ASSERT_TRUE(portal.WaitForRequests("/log", 1, 30s));
    bool signedIn = false;
    for (const auto& record : portal.RequestsTo("/log")) {
        if (record.QueryValue("signed_in") == "true") signedIn = true;
    }
    EXPECT_TRUE(signedIn);
    EXPECT_TRUE(WaitForGamePainted(*game)) << "see " << e2e::ArtifactPath(Name() + ".png");
}

TEST_F(GameEntry, TheExternalGameClientGetsTheAddressAndTheLauncherExits) {
    StartClient({"airclient=true"}, true);
    ClickInPage(layout::kQuickEnterButton);

    ASSERT_TRUE(install->ExternalGameClientCalls().WaitFor(1, 30s)) << install->Output();
    const auto call = install->ExternalGameClientCalls().Calls().front();
    const std::string address = portal.Url("/game/play.html?server_id=S1&quick=1");
    EXPECT_EQ(call, (e2e::CallLog::Call{(install->AppDirectory() / "game" / "OrvexClient").string(), "p", address}));

    const auto status = install->WaitForExit(30s);
    ASSERT_TRUE(status.has_value()) << install->Output();
    EXPECT_TRUE(status->Succeeded()) << status->Describe();
    // Handed on, not loaded here.
    EXPECT_EQ(portal.CountRequests("/game/"), 0u);
}

}  // namespace
