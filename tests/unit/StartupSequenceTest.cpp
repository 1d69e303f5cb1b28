#include "HeadlessFixture.h"
#include "app/DialogResult.h"
#include "gamewnd/ChtmlbrowserDlg.h"

namespace {

using platform::headless::HeadlessWindow;

enum class LauncherEnding { Ok, WindowManagerClose, QuitRequest, KeysOnly };

struct SequenceCase {
    const char* name;
    LauncherEnding ending;
    int expectedLauncherResult;
    bool gameWindowRuns;
    friend void PrintTo(const SequenceCase& c, std::ostream* os) { *os << c.name; }
};

class StartupSequenceTest : public HeadlessFixture, public ::testing::WithParamInterface<SequenceCase> {};

TEST_P(StartupSequenceTest, LauncherResultDecidesTheGameWindow) {
    COrvexClientApp app;
    int launcherResult = 0;
    Ui().ScriptModalRun([&](HeadlessWindow& launcher) {
        EXPECT_EQ(launcher.GetTitle(), "Varnholt");
        switch (GetParam().ending) {
            case LauncherEnding::Ok: app.LauncherInstance()->OnOK(); break;
            case LauncherEnding::WindowManagerClose: launcher.Events().OnCloseRequested(); break;
            case LauncherEnding::QuitRequest: backend.Ui().RequestQuit(); break;
            case LauncherEnding::KeysOnly:
                launcher.PressKey(platform::Key::Escape);
                launcher.PressKey(platform::Key::Enter);
                launcher.Overlay()->PressKey(platform::Key::Escape);
                launcher.Overlay()->PressKey(platform::Key::Enter);
                EXPECT_FALSE(launcher.IsDestroyed());
                launcher.Events().OnCloseRequested();
                break;
        }
    });
    bool gameWindowRan = false;
    Ui().ScriptModalRun([&](HeadlessWindow& gameWindow) {
        gameWindowRan = true;
        EXPECT_TRUE(gameWindow.IsMaximized());
        EXPECT_EQ(app.LauncherInstance(), nullptr) << "the launcher instance is cleared after OK";
        gameWindow.Events().OnCloseRequested();
    });

    EXPECT_FALSE(app.InitInstance());
    (void)launcherResult;
    EXPECT_EQ(gameWindowRan, GetParam().gameWindowRuns);
    EXPECT_EQ(Ui().ModalRuns().size(), GetParam().gameWindowRuns ? 2u : 1u);
}

INSTANTIATE_TEST_SUITE_P(
    Endings, StartupSequenceTest,
    ::testing::Values(SequenceCase{"ok_opens_the_game_window", LauncherEnding::Ok, IDOK, true},
                      SequenceCase{"window_manager_close_exits", LauncherEnding::WindowManagerClose, IDCANCEL, false},
                      SequenceCase{"quit_request_exits", LauncherEnding::QuitRequest, -1, false},
                      SequenceCase{"escape_and_enter_never_end_it", LauncherEnding::KeysOnly, IDCANCEL, false}),
    CaseName());

TEST_F(HeadlessFixture, AfterAQuitRequestNoModalWindowRuns) {
    COrvexClientApp app;
    Ui().ScriptModalRun([&](HeadlessWindow&) { backend.Ui().RequestQuit(); });
    app.InitInstance();
    ChtmlbrowserDlg gameWindow;
    EXPECT_EQ(gameWindow.DoModal(), -1);
    EXPECT_EQ(gameWindow.GetWindow(), nullptr) << "no window is even created";
    EXPECT_EQ(Ui().ModalRuns().size(), 1u);
}

TEST_F(HeadlessFixture, OneLauncherObjectPerProcess) {
    COrvexClientApp app;
    Ui().ScriptModalRun([&](HeadlessWindow& launcher) { launcher.Events().OnCloseRequested(); });
    app.InitInstance();
    const COrvexClientDlg* first = app.LauncherInstance();
    ASSERT_NE(first, nullptr);
    Ui().ScriptModalRun([&](HeadlessWindow& launcher) { launcher.Events().OnCloseRequested(); });
    app.InitInstance();
    EXPECT_EQ(app.LauncherInstance(), first);
}

TEST_F(HeadlessFixture, LauncherShowsItsPictureCentredWithThePanelOverIt) {
    COrvexClientApp app;
    Ui().ScriptModalRun([&](HeadlessWindow& launcher) {
        ASSERT_TRUE(launcher.LayeredPicture().has_value());
        EXPECT_EQ(launcher.GetWindowRect(), (platform::Rect{452, 200, 452 + 1016, 200 + 680}));
        ASSERT_NE(launcher.Overlay(), nullptr);
        EXPECT_EQ(launcher.Overlay()->GetWindowRect(), launcher.GetWindowRect());
        launcher.DragTo({10, 20});
        EXPECT_EQ(launcher.Overlay()->GetWindowRect(), launcher.GetWindowRect());
        EXPECT_EQ(launcher.Events().OnHitTest({500, 5}), platform::HitTestCode::Caption);
        launcher.Events().OnCloseRequested();
    });
    app.InitInstance();
}

}  // namespace
