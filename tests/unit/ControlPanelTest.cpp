#include "LauncherScene.h"
#include "app/DialogResult.h"

namespace {

using platform::Rect;
using platform::headless::HeadlessWindow;

class ControlPanelTest : public LauncherFixture {
protected:
    void SetUp() override {
        LauncherFixture::SetUp();
        // Button faces of distinct sizes show which picture each button was given.
        for (int id : {135, 151, 153, 154, 155, 157, 158, 159, 156, 160}) {
            backend.AddResource(id, platform::ResourceKind::Bitmap, platform::Image(id, 7, false));
        }
    }
};

TEST_F(ControlPanelTest, InitialisationOrder) {
    RunClient([&](LauncherScene& scene) {
        // Buttons: sized to their picture, parked at the origin until the first move lays them out.
        for (auto [id, normal] : {std::pair{1, 135}, {4, 155}, {2, 153}, {3, 154}, {5, 156}}) {
            const auto* button = scene.panelWindow.ButtonWithId(id);
            ASSERT_NE(button, nullptr) << id;
            EXPECT_EQ(button->NormalImageSize().width, normal) << id;
        }
        // The browser: shown, hidden, parked off the panel, silent; the first page asked for.
        EXPECT_EQ(scene.view.VisibilityHistory(), (std::vector<bool>{true, false}));
        EXPECT_EQ(scene.view.GetRect(), (Rect{2000, 2000, 2001, 2001}));
        EXPECT_TRUE(scene.view.IsSilent());
        EXPECT_EQ(scene.view.NavigateCalls(), std::vector<std::string>{"about:blank"});
        EXPECT_EQ(AppSettings::Instance().GetValue("platform"), "rediruri") << "defaults installed";
        scene.launcher.Events().OnCloseRequested();
    });
}

TEST_F(ControlPanelTest, ButtonsFollowThePanelWidth) {
    RunClient([&](LauncherScene& scene) {
        scene.launcher.DragTo({100, 100});
        const int width = scene.panelWindow.GetWindowRect().Width();
        EXPECT_EQ(width, 1016);
        EXPECT_EQ(scene.panelWindow.ButtonWithId(1)->GetRect(), (Rect{width - 63, 56, width - 40, 79}));
        EXPECT_EQ(scene.panelWindow.ButtonWithId(4)->GetRect(), (Rect{289, 45, 427, 82}));
        EXPECT_EQ(scene.panelWindow.ButtonWithId(3)->GetRect(), (Rect{431, 45, 569, 82}));
        EXPECT_EQ(scene.panelWindow.ButtonWithId(2)->GetRect(), (Rect{572, 45, 710, 82}));
        scene.panelWindow.MoveWindow({0, 0, 800, 600});
        EXPECT_EQ(scene.panelWindow.ButtonWithId(1)->GetRect().left, 800 - 63);
        scene.launcher.Events().OnCloseRequested();
    });
}

TEST_F(ControlPanelTest, BusyBrowserIsNotNavigatedAtStart) {
    Ui().newWebViewReadyState = platform::READYSTATE_LOADING;
    RunClient([&](LauncherScene& scene) {
        EXPECT_TRUE(scene.view.NavigateCalls().empty());
        scene.launcher.Events().OnCloseRequested();
    });
}

struct CompletionCase {
    const char* name;
    std::string platformKey;
    Rect expected;
    friend void PrintTo(const CompletionCase& c, std::ostream* os) { *os << c.name; }
};

class DocumentCompleteTest : public ControlPanelTest, public ::testing::WithParamInterface<CompletionCase> {};

TEST_P(DocumentCompleteTest, FirstCompletionAttachesHandlerAndLoadsStartPageThenShowsThePage) {
    WriteSettingsFile("platform=" + GetParam().platformKey + "\npage=http://portal/login?g=v\n");
    RunClient([&](LauncherScene& scene) {
        scene.view.FinishLoad();  // about:blank
        ASSERT_NE(CControllersDlg::HostUIHandler(), nullptr);
        EXPECT_EQ(scene.view.PolicyApplications(), 1);
        EXPECT_FALSE(scene.view.Policy().showContextMenu);
        EXPECT_FALSE(scene.view.Policy().showScrollBars);
        EXPECT_FALSE(scene.view.Policy().exposeExternal);
        EXPECT_EQ(scene.view.NavigateCalls().back(), "http://portal/login?g=v");
        EXPECT_FALSE(scene.view.IsVisible());

        scene.view.FinishFrameLoad("about:blank#frame");  // an about:blank completion changes nothing
        EXPECT_FALSE(scene.view.IsVisible());

        scene.view.FinishLoad();  // the start page
        EXPECT_TRUE(scene.view.IsVisible());
        EXPECT_EQ(scene.view.GetRect(), GetParam().expected);
        EXPECT_EQ(scene.view.PolicyApplications(), 1) << "attached once";

        scene.view.MoveWindow({0, 0, 1, 1});
        scene.view.FinishFrameLoad("http://portal/ad-frame.html");  // frames place it again
        EXPECT_EQ(scene.view.GetRect(), GetParam().expected);
        scene.launcher.Events().OnCloseRequested();
    });
}

INSTANTIATE_TEST_SUITE_P(Platforms, DocumentCompleteTest,
                         ::testing::Values(CompletionCase{"default_place", "rediruri", {279, 266, 961, 617}},
                                           CompletionCase{"6711_place", "6711", {317, 114, 998, 614}},
                                           CompletionCase{"6711_is_exact", "67111", {279, 266, 961, 617}}),
                         CaseName());

TEST_F(ControlPanelTest, FirstCompletionWithoutDocumentStillLoadsTheStartPage) {
    WriteSettingsFile("page=http://portal/login?g=v\n");
    RunClient([&](LauncherScene& scene) {
        scene.view.SetHasDocument(false);
        scene.panel.OnDocumentComplete("about:blank", platform::NavigationTarget::TopLevel);
        EXPECT_EQ(CControllersDlg::HostUIHandler(), nullptr);
        EXPECT_EQ(scene.view.NavigateCalls().back(), "http://portal/login?g=v");
        scene.view.SetHasDocument(true);
        scene.panel.OnDocumentComplete("http://portal/login?g=v", platform::NavigationTarget::TopLevel);
        EXPECT_NE(CControllersDlg::HostUIHandler(), nullptr) << "the next completion tries again";
        EXPECT_FALSE(scene.view.IsVisible());
        scene.launcher.Events().OnCloseRequested();
    });
}

TEST_F(ControlPanelTest, CloseButtonAsksAndQuitsOnlyOnYes) {
    const bool gameWindow = RunClient([&](LauncherScene& scene) {
        Ui().AnswerNextMessageBox(platform::MessageBoxResult::No);
        scene.panelWindow.ButtonWithId(1)->Click();
        EXPECT_FALSE(backend.Ui().IsQuitRequested());
        ASSERT_EQ(Ui().MessageBoxes().size(), 1u);
        EXPECT_EQ(Ui().MessageBoxes()[0].text, "正在游戏中，确定退出游戏?");
        EXPECT_EQ(Ui().MessageBoxes()[0].caption, "关闭提示");
        EXPECT_EQ(Ui().MessageBoxes()[0].buttons, platform::MessageBoxButtons::YesNo);
        EXPECT_EQ(Ui().MessageBoxes()[0].owner, &scene.panelWindow);
        Ui().AnswerNextMessageBox(platform::MessageBoxResult::Yes);
        scene.panelWindow.ButtonWithId(1)->Click();
        EXPECT_TRUE(backend.Ui().IsQuitRequested());
    });
    EXPECT_FALSE(gameWindow);
}

TEST_F(ControlPanelTest, LinkButtonsOpenTheirSettingsInTheDefaultBrowser) {
    WriteSettingsFile("home=http://h/\nbbs=http://b/\ncharge=http://c/\nservice=http://s/\n");
    RunClient([&](LauncherScene& scene) {
        for (int id : {4, 2, 3, 5}) {
            scene.panelWindow.ButtonWithId(id)->Click();
        }
        EXPECT_EQ(backend.openedAddresses, (std::vector<std::string>{"http://h/", "http://b/", "http://c/", "http://s/"}));
        EXPECT_FALSE(scene.launcher.IsDestroyed());
        scene.launcher.Events().OnCloseRequested();
    });
}

TEST_F(ControlPanelTest, EnterAndEscapeGoToThePage) {
    RunClient([&](LauncherScene& scene) {
        EXPECT_EQ(scene.panel.PreTranslateKeyDown(platform::Key::Enter), platform::KeyDisposition::DispatchToTarget);
        EXPECT_EQ(scene.panel.PreTranslateKeyDown(platform::Key::Escape), platform::KeyDisposition::DispatchToTarget);
        scene.panel.OnOK();
        scene.panel.OnCancel();
        EXPECT_FALSE(scene.launcher.IsDestroyed());
        scene.launcher.Events().OnCloseRequested();
    });
}

}  // namespace
