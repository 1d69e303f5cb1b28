#include "LauncherScene.h"

namespace {

using platform::headless::HeadlessWindow;

const std::string kEntry = "http://portal/game/play.html?server_id=S1";

class GameEntryHandOffTest : public LauncherFixture {
protected:
    std::string ClientPath() const { return (InstallDirectory() / "game" / "OrvexClient").string(); }
};

TEST_F(GameEntryHandOffTest, OtherAddressesGoAheadUntouched) {
    RunClient([&](LauncherScene& scene) {
        scene.LoadStartPage();
        bool cancel = false;
        scene.panel.OnBeforeNavigate2("http://portal/news.html", platform::NavigationTarget::TopLevel, cancel);
        EXPECT_FALSE(cancel);
        EXPECT_TRUE(scene.view.RequestNavigation("http://portal/news.html"));
        EXPECT_EQ(scene.view.StopCount(), 0);
        scene.launcher.Events().OnCloseRequested();
    });
}

TEST_F(GameEntryHandOffTest, GameWindowPathStoresTheAddressAndEndsWithOk) {
    std::string gameWindowTitle;
    const bool gameWindow = RunClient(
        [&](LauncherScene& scene) {
            scene.LoadStartPage();
            EXPECT_FALSE(scene.view.RequestNavigation(kEntry)) << "the entry's request never leaves";
            EXPECT_EQ(scene.view.StopCount(), 1);
            EXPECT_EQ(scene.app.m_strGameUrl, kEntry);
            EXPECT_TRUE(backend.spawns.empty());
        },
        [&](HeadlessWindow& window) { gameWindowTitle = window.GetTitle(); });
    EXPECT_TRUE(gameWindow);
    EXPECT_EQ(gameWindowTitle, "Varnholt");
    EXPECT_EQ(app.LauncherInstance(), nullptr);
}

TEST_F(GameEntryHandOffTest, FrameAndNewWindowEntriesAreHandedOffToo) {
    for (auto target : {platform::NavigationTarget::Frame, platform::NavigationTarget::NewWindow}) {
        ResetProcessState();
        COrvexClientApp localApp;
        Ui().ScriptModalRun([&](HeadlessWindow& launcher) {
            auto& view = *launcher.Overlay()->WebViewAt(0);
            view.FinishLoad();
            view.FinishLoad();
            if (target == platform::NavigationTarget::NewWindow) {
                view.RequestNewWindow(kEntry);
            } else {
                EXPECT_FALSE(view.RequestNavigation(kEntry, target));
            }
        });
        Ui().ScriptModalRun([&](HeadlessWindow& window) { window.EndModal(2); });
        localApp.InitInstance();
        EXPECT_EQ(localApp.m_strGameUrl, kEntry);
        EXPECT_TRUE(backend.openedAddresses.empty());
    }
}

TEST_F(GameEntryHandOffTest, OtherNewWindowsOpenInTheDefaultBrowser) {
    RunClient([&](LauncherScene& scene) {
        scene.LoadStartPage();
        scene.view.RequestNewWindow("http://portal/help.html");
        EXPECT_EQ(backend.openedAddresses, std::vector<std::string>{"http://portal/help.html"});
        scene.launcher.Events().OnCloseRequested();
    });
}

struct AirClientCase {
    const char* name;
    std::string address;
    friend void PrintTo(const AirClientCase& c, std::ostream* os) { *os << c.name; }
};

class AirClientHandOffTest : public GameEntryHandOffTest, public ::testing::WithParamInterface<AirClientCase> {};

TEST_P(AirClientHandOffTest, ClientGetsTheAddressAsOneArgumentAndTheLauncherQuits) {
    WriteSettingsFile("airclient=true\n");
    const bool gameWindow = RunClient([&](LauncherScene& scene) {
        scene.LoadStartPage();
        EXPECT_FALSE(scene.view.RequestNavigation(GetParam().address));
        EXPECT_EQ(scene.view.StopCount(), 1);
    });
    EXPECT_FALSE(gameWindow);
    ASSERT_EQ(backend.spawns.size(), 1u);
    EXPECT_EQ(backend.spawns[0].path, ClientPath());
    EXPECT_EQ(backend.spawns[0].argv, (std::vector<std::string>{ClientPath(), "p", GetParam().address}));
    EXPECT_TRUE(backend.Ui().IsQuitRequested());
    EXPECT_EQ(app.m_strGameUrl, "");
}

INSTANTIATE_TEST_SUITE_P(
    Addresses, AirClientHandOffTest,
    ::testing::Values(AirClientCase{"plain", kEntry},
                      AirClientCase{"spaces_and_quotes", "http://portal/play.htm?n=a b\"c'd"},
                      AirClientCase{"leading_dash", "-play.htm --help"},
                      AirClientCase{"invalid_utf8", "http://portal/\xFF\xC3(play.htm"},
                      AirClientCase{"one_mebibyte", "http://portal/play.htm?" + std::string(1 << 20, 'x')}),
    CaseName());

TEST_F(GameEntryHandOffTest, FailedClientStartLeavesTheLauncherOnItsPage) {
    WriteSettingsFile("airclient=true\n");
    backend.spawnSucceeds = false;
    RunClient([&](LauncherScene& scene) {
        scene.LoadStartPage();
        const std::string shown = scene.view.GetLocation();
        EXPECT_FALSE(scene.view.RequestNavigation(kEntry));
        EXPECT_FALSE(backend.Ui().IsQuitRequested());
        EXPECT_EQ(scene.view.GetLocation(), shown);
        EXPECT_TRUE(scene.view.PendingUrl().empty());
        EXPECT_FALSE(scene.view.RequestNavigation(kEntry)) << "the next entry tries again";
        EXPECT_EQ(backend.spawns.size(), 2u);
        scene.launcher.Events().OnCloseRequested();
    });
    EXPECT_TRUE(Ui().MessageBoxes().empty()) << "nothing visible";
}

TEST_F(GameEntryHandOffTest, OnlyExactlyTrueSelectsTheClient) {
    for (const char* value : {"TRUE", "True", "yes", "1", ""}) {
        ResetProcessState();
        WriteSettingsFile(std::string("airclient=") + value + "\n");
        COrvexClientApp localApp;
        Ui().ScriptModalRun([&](HeadlessWindow& launcher) {
            auto& view = *launcher.Overlay()->WebViewAt(0);
            view.FinishLoad();
            view.FinishLoad();
            view.RequestNavigation(kEntry);
        });
        Ui().ScriptModalRun([&](HeadlessWindow& window) { window.EndModal(2); });
        localApp.InitInstance();
        EXPECT_EQ(localApp.m_strGameUrl, kEntry) << value;
    }
    EXPECT_TRUE(backend.spawns.empty());
}

}  // namespace
