#include "HeadlessFixture.h"
#include "app/DialogResult.h"
#include "gamewnd/ChtmlbrowserDlg.h"
#include "platform/TrayIcon.h"
#include "platform/headless/HeadlessWebView.h"

namespace {

using platform::headless::HeadlessWebView;
using platform::headless::HeadlessWindow;

const std::string kGame = "http://portal/game/play.html?server_id=S1";

// The game window on screen during its modal run.
class GameWindowTest : public HeadlessFixture {
protected:
    // The window reads its pictures when it is made, so only once the backend is in.
    void SetUp() override {
        HeadlessFixture::SetUp();
        dialogOwner = std::make_unique<ChtmlbrowserDlg>();
    }
    void TearDown() override {
        dialogOwner.reset();
        HeadlessFixture::TearDown();
    }

    void RunGameWindow(const std::function<void(HeadlessWindow&, HeadlessWebView&)>& during,
                       const std::string& gameAddress = kGame) {
        app.m_strGameUrl = gameAddress;
        Ui().ScriptModalRun([&](HeadlessWindow& window) {
            ASSERT_NE(window.WebViewAt(0), nullptr);
            during(window, *window.WebViewAt(0));
        });
        result = dialogOwner->DoModal();
    }

    COrvexClientApp app;
    std::unique_ptr<ChtmlbrowserDlg> dialogOwner;
    int result = 0;
};

TEST_F(GameWindowTest, OpensMaximisedOnTheGameAddressWithTrayAndVersion) {
    backend.executableImagePath = std::string(ORVEX_FIXTURE_DIR) + "/version_single.elf";
    RunGameWindow([&](HeadlessWindow& window, HeadlessWebView& view) {
        EXPECT_TRUE(window.IsMaximized());
        EXPECT_EQ(window.Description().size, (platform::Size{1254, 696})) << "restores to 836 x 428 dialog units";
        EXPECT_EQ(window.GetTitle(), "Varnholt");
        EXPECT_EQ(view.NavigateCalls(), std::vector<std::string>{kGame});
        EXPECT_TRUE(view.IsSilent());
        EXPECT_EQ(view.CallExternal("getAppVersion"), "1.0.0.1");
        EXPECT_EQ(view.CallExternal("getAppVersion", "ignored argument"), "1.0.0.1");
        EXPECT_EQ(view.CallExternal("getGsName", "x"), std::nullopt) << "nothing else is reachable";
        ASSERT_EQ(Ui().TrayIcons().size(), 1u);
        EXPECT_EQ(Ui().TrayIcons()[0].id, 7);
        EXPECT_EQ(Ui().TrayIcons()[0].tooltip, "Varnholt");
        window.EndModal(IDCANCEL);
    });
}

TEST_F(GameWindowTest, CaptionFollowsThePageTitle) {
    RunGameWindow([&](HeadlessWindow& window, HeadlessWebView& view) {
        view.FinishLoad();
        view.SetTitle("Varnholt - 风暴要塞");
        EXPECT_EQ(window.GetTitle(), "Varnholt - 风暴要塞");
        view.RequestNavigation("http://portal/untitled.html");
        view.FinishLoad();
        EXPECT_EQ(window.GetTitle(), "") << "a page without a title leaves an empty caption";
        window.EndModal(IDCANCEL);
    });
}

TEST_F(GameWindowTest, CloseQuestionBothWays) {
    RunGameWindow([&](HeadlessWindow& window, HeadlessWebView&) {
        Ui().AnswerNextMessageBox(platform::MessageBoxResult::No);
        window.Events().OnCloseRequested();
        EXPECT_TRUE(window.IsModalRunning());
        EXPECT_EQ(Ui().TrayIcons().size(), 1u);
        EXPECT_TRUE(backend.spawns.empty());
        ASSERT_EQ(Ui().MessageBoxes().size(), 1u);
        EXPECT_EQ(Ui().MessageBoxes()[0].text, "正在游戏中，确定退出游戏?");
        EXPECT_EQ(Ui().MessageBoxes()[0].caption, "关闭提示");
        EXPECT_EQ(Ui().MessageBoxes()[0].owner, &window);

        Ui().AnswerNextMessageBox(platform::MessageBoxResult::Yes);
        window.Events().OnCloseRequested();
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_TRUE(Ui().TrayIcons().empty());
    ASSERT_EQ(backend.spawns.size(), 1u);
    EXPECT_EQ(backend.spawns[0].path, backend.executableImagePath);
    EXPECT_EQ(backend.spawns[0].argv, std::vector<std::string>{backend.executablePath}) << "no arguments";
    const auto& log = Ui().EventLog();
    const auto removed = std::find(log.begin(), log.end(), "tray-remove");
    const auto spawned = std::find(log.begin(), log.end(), "spawn");
    EXPECT_LT(removed, spawned) << "the tray icon goes before the new instance starts";
}

TEST_F(GameWindowTest, EnterEscapeOkAndCancelNeverEndIt) {
    RunGameWindow([&](HeadlessWindow& window, HeadlessWebView&) {
        window.PressKey(platform::Key::Enter);
        window.PressKey(platform::Key::Escape);
        window.Events().OnOK();
        window.Events().OnCancel();
        EXPECT_TRUE(window.IsModalRunning());
        EXPECT_TRUE(Ui().MessageBoxes().empty());
        window.EndModal(IDCANCEL);
    });
}

TEST_F(GameWindowTest, ReloadReturnsToTheGameAddressAndLinksOpenOutside) {
    WriteSettingsFile("home=http://h/\ncharge=http://c/\n");
    AppSettings::Instance().SetDefaults();
    RunGameWindow([&](HeadlessWindow& window, HeadlessWebView& view) {
        view.FinishLoad();
        view.RequestNavigation("http://elsewhere/page");
        view.FinishLoad();
        dialogOwner->ReloadGamePage();
        EXPECT_EQ(view.NavigateCalls().back(), kGame);
        dialogOwner->OpenHomePage();
        dialogOwner->OpenChargePage();
        EXPECT_EQ(backend.openedAddresses, (std::vector<std::string>{"http://h/", "http://c/"}));
        EXPECT_EQ(view.NavigateCalls().size(), 2u) << "the game window itself does not navigate";
        window.EndModal(IDCANCEL);
    });
}

TEST_F(GameWindowTest, EmptyGameAddressLeavesAnEmptyWorkingWindow) {
    RunGameWindow(
        [&](HeadlessWindow& window, HeadlessWebView& view) {
            EXPECT_TRUE(view.NavigateCalls().empty());
            dialogOwner->ReloadGamePage();
            EXPECT_TRUE(view.NavigateCalls().empty());
            EXPECT_EQ(Ui().TrayIcons().size(), 1u);
            Ui().AnswerNextMessageBox(platform::MessageBoxResult::Yes);
            window.Events().OnCloseRequested();
        },
        "");
    EXPECT_EQ(result, IDCANCEL);
}

struct TrayCase {
    const char* name;
    int id;
    int message;
    int menuChoice;          // -1: no menu expected
    platform::MessageBoxResult closeAnswer;
    int expectedResult;
    bool shownInFront;
    bool ended;
    friend void PrintTo(const TrayCase& c, std::ostream* os) { *os << c.name; }
};

class TrayNotifyTest : public GameWindowTest, public ::testing::WithParamInterface<TrayCase> {};

TEST_P(TrayNotifyTest, CallbackTable) {
    const TrayCase& c = GetParam();
    RunGameWindow([&](HeadlessWindow& window, HeadlessWebView&) {
        window.ShowWindow(platform::ShowCommand::Hide);
        const int foregroundBefore = window.ForegroundCount();
        if (c.menuChoice >= 0) {
            Ui().ChooseFromNextMenu(c.menuChoice);
        }
        Ui().AnswerNextMessageBox(c.closeAnswer);
        EXPECT_EQ(dialogOwner->OnTrayNotify(c.id, c.message), c.expectedResult);
        EXPECT_EQ(window.IsVisible() && window.IsMaximized(), c.shownInFront);
        EXPECT_EQ(window.ForegroundCount() > foregroundBefore, c.shownInFront);
        EXPECT_EQ(Ui().Menus().size(), c.menuChoice >= 0 ? 1u : 0u);
        if (!Ui().Menus().empty()) {
            ASSERT_EQ(Ui().Menus()[0].size(), 2u);
            EXPECT_EQ(Ui().Menus()[0][0].text, "显示");
            EXPECT_EQ(Ui().Menus()[0][0].command, 15);
            EXPECT_EQ(Ui().Menus()[0][1].text, "退出");
            EXPECT_EQ(Ui().Menus()[0][1].command, 17);
        }
        if (!c.ended) {
            window.EndModal(IDOK);
        }
    });
    EXPECT_EQ(result, c.ended ? IDCANCEL : IDOK);
}

using platform::MessageBoxResult;
INSTANTIATE_TEST_SUITE_P(
    Messages, TrayNotifyTest,
    ::testing::Values(
        TrayCase{"other_icon_id", 8, platform::WM_LBUTTONDBLCLK, -1, MessageBoxResult::No, 1, false, false},
        TrayCase{"double_click_shows", 7, platform::WM_LBUTTONDBLCLK, -1, MessageBoxResult::No, 0, true, false},
        TrayCase{"menu_show", 7, platform::WM_RBUTTONUP, 15, MessageBoxResult::No, 0, true, false},
        TrayCase{"menu_exit_answered_no", 7, platform::WM_RBUTTONUP, 17, MessageBoxResult::No, 0, true, false},
        TrayCase{"menu_exit_answered_yes", 7, platform::WM_RBUTTONUP, 17, MessageBoxResult::Yes, 0, true, true},
        TrayCase{"menu_dismissed", 7, platform::WM_RBUTTONUP, 0, MessageBoxResult::No, 0, true, false},
        TrayCase{"other_message", 7, 0x0200, -1, MessageBoxResult::No, 0, false, false}),
    CaseName());

TEST_F(GameWindowTest, MinimiseHidesUntilTheTrayBringsItBackMaximised) {
    RunGameWindow([&](HeadlessWindow& window, HeadlessWebView& view) {
        window.ShowWindow(platform::ShowCommand::Restore);
        window.Events().OnSize(platform::SizeType::Restored, {1254, 696});
        EXPECT_EQ(view.GetRect(), (platform::Rect{3, 39, 1251, 693})) << "the page fills the client area";
        window.Events().OnSize(platform::SizeType::Minimized, {1254, 696});
        EXPECT_FALSE(window.IsVisible());
        dialogOwner->OnTrayNotify(7, platform::WM_LBUTTONDBLCLK);
        EXPECT_TRUE(window.IsVisible());
        EXPECT_TRUE(window.IsMaximized());
        window.EndModal(IDCANCEL);
    });
}

TEST_F(GameWindowTest, CacheClearingAsksThenReportsCompletion) {
    RunGameWindow([&](HeadlessWindow& window, HeadlessWebView&) {
        Ui().AnswerNextMessageBox(MessageBoxResult::No);
        dialogOwner->ClearBrowserCache();
        EXPECT_EQ(backend.webDataClears, 0);
        ASSERT_EQ(Ui().MessageBoxes().size(), 1u);
        EXPECT_EQ(Ui().MessageBoxes()[0].text, "确定清理浏览器缓存?");
        EXPECT_EQ(Ui().MessageBoxes()[0].caption, "清理提示");
        EXPECT_EQ(Ui().MessageBoxes()[0].owner, &window);

        backend.holdWebDataClears = true;
        Ui().AnswerNextMessageBox(MessageBoxResult::Yes);
        dialogOwner->ClearBrowserCache();
        EXPECT_EQ(backend.webDataClears, 1);
        EXPECT_EQ(Ui().MessageBoxes().size(), 2u) << "no completion before the data is gone";
        backend.heldWebDataClears.at(0)();
        ASSERT_EQ(Ui().MessageBoxes().size(), 3u);
        EXPECT_EQ(Ui().MessageBoxes()[2].text, "缓存清理完毕");
        EXPECT_EQ(Ui().MessageBoxes()[2].caption, "orvex-client");
        EXPECT_EQ(Ui().MessageBoxes()[2].buttons, platform::MessageBoxButtons::Ok);
        EXPECT_EQ(Ui().MessageBoxes()[2].icon, platform::MessageBoxIcon::Exclamation);
        window.EndModal(IDCANCEL);
    });
}

TEST_F(GameWindowTest, CrashedWebProcessReloadsTheGameWithinLimits) {
    RunGameWindow([&](HeadlessWindow& window, HeadlessWebView& view) {
        view.FinishLoad();
        for (int crash = 0; crash < 5; ++crash) {
            view.KillWebProcess();
        }
        EXPECT_EQ(view.NavigateCalls().size(), 1u + 3u) << "three reloads, then the loop stops";
        backend.now += std::chrono::minutes(2);
        view.KillWebProcess();
        EXPECT_EQ(view.NavigateCalls().size(), 5u);
        EXPECT_EQ(view.NavigateCalls().back(), kGame);
        // The limit is over any minute: 40 s later two more fit, 30 s after those one more.
        backend.now += std::chrono::seconds(40);
        view.KillWebProcess();
        view.KillWebProcess();
        view.KillWebProcess();
        EXPECT_EQ(view.NavigateCalls().size(), 7u);
        backend.now += std::chrono::seconds(25);
        view.KillWebProcess();
        EXPECT_EQ(view.NavigateCalls().size(), 8u) << "the first of the three is over a minute old";
        window.EndModal(IDCANCEL);
    });
}

}  // namespace
