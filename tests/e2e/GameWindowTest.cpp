// The game window as a player meets it after the launcher's hand-off: the client's version
// for the page, the title, cache clearing, closing with its restart, a dying web process,
// keys, and a page that tries to break the client.
#include <gtest/gtest.h>
#include <signal.h>

#include <thread>

#include "Artifacts.h"
#include "ChildProcess.h"
#include "ClientInstall.h"
#include "DisplaySession.h"
#include "PortalServer.h"
#include "ScreenImage.h"
#include "ScreenLayout.h"

using namespace std::chrono_literals;
namespace layout = e2e::layout;
using demo_portal::RequestRecord;

namespace {

using Clock = std::chrono::steady_clock;

// Caption buttons, by their centre's distance from the window's right edge; all at y 20.
constexpr int kReloadButton = 200;
constexpr int kClearCacheButton = 155;
constexpr int kCloseButton = 20;
constexpr int kCaptionY = 20;
// Where the game page's web view starts in the window.
constexpr layout::Point kWebViewOrigin{3, 39};
// The "公告" link in play.html's header, in page coordinates.
constexpr layout::Point kNoticeLink{350, 22};

const std::string kGameTitle = "Varnholt - 风暴要塞";

bool IsGold(const e2e::Rgb& color) { return color.r > 170 && color.g > 120 && color.b < 130; }

class GameWindow : public ::testing::Test {
protected:
    void SetUp() override { portal.Start(); }

    // Starts the client on the sign-in page and enters the game with "快速进入", or by
    // signing in, then waits for the game window.
    void EnterGame(bool signIn = false) {
        StartLauncher("page=" + portal.Url("/login.html?game=varnholt"));
        const auto button = layout::OnScreen(launcherTopLeft, {layout::kLoginButton.x - 60, layout::kLoginButton.y - 8});
        const auto shot = display.WaitForPixel(button.x, button.y, IsGold, e2e::ArtifactPath(Name() + "-signin.png"));
        ASSERT_TRUE(shot && IsGold(shot->Pixel(button.x, button.y))) << "no sign-in page; " << Diagnostics();
        if (signIn) {
            ClickInPage(layout::kAccountField);
            ASSERT_TRUE(display.Type("hero01"));
            ClickInPage(layout::kPasswordField);
            ASSERT_TRUE(display.Type("secret"));
            ClickInPage(layout::kLoginButton);
        } else {
            ClickInPage(layout::kQuickEnterButton);
        }
        ASSERT_TRUE(display.WaitForWindowGone(launcher, 30s)) << Diagnostics();
        WaitForGameWindow();
    }

    // Starts the client on entry.html, which hands the launcher this game address at once:
    // the launcher may be gone before anybody sees it.
    void EnterGameAt(const std::string& target) {
        Start("page=" + portal.EntryUrl(target));
        WaitForGameWindow();
    }

    void Start(const std::string& page) {
        install = std::make_unique<e2e::ClientInstall>(e2e::ClientInstall::Options{
            .configLines = {page, "home=" + portal.Url("/home.html"), "charge=" + portal.Url("/charge.html")}});
        install->Start(display);
    }

    void StartLauncher(const std::string& page) {
        Start(page);
        const auto window = display.WaitForWindow("^Varnholt$", 60s);
        ASSERT_TRUE(window.has_value()) << Diagnostics();
        launcher = *window;
        const auto geometry = display.Geometry(launcher);
        ASSERT_TRUE(geometry.has_value());
        launcherTopLeft = {geometry->x, geometry->y};
    }

    void WaitForGameWindow() {
        const auto window = display.WaitForWindow("^Varnholt - ", 60s);
        ASSERT_TRUE(window.has_value()) << Diagnostics();
        game = *window;
        const auto geometry = display.Geometry(game);
        ASSERT_TRUE(geometry.has_value());
        area = *geometry;
    }

    void ClickInPage(layout::Point inPage) {
        const auto point = layout::OnScreen(launcherTopLeft, inPage);
        ASSERT_TRUE(display.ClickAt(point.x, point.y));
    }

    void ClickCaptionButton(int fromRight) {
        ASSERT_TRUE(display.ClickAt(area.x + area.width - fromRight, area.y + kCaptionY));
    }

    void ClickInGamePage(layout::Point inPage) {
        ASSERT_TRUE(display.ClickAt(area.x + kWebViewOrigin.x + inPage.x, area.y + kWebViewOrigin.y + inPage.y));
    }

    // Answers the message box with this title by keyboard; true once it has gone.
    bool Answer(const std::string& title, const std::string& keys) {
        const auto box = display.WaitForWindow("^" + title + "$", 15s);
        if (!box) return false;
        return display.Activate(*box) && display.Key(keys) && display.WaitForWindowGone(*box, 10s);
    }

    // The game page's load reports (GET /log?page_version=…), oldest first.
    std::vector<RequestRecord> PageReports() const { return LogsWith("page_version"); }
    std::vector<RequestRecord> LogsWith(const std::string& key) const {
        std::vector<RequestRecord> found;
        for (auto& record : portal.RequestsTo("/log")) {
            if (record.QueryValue(key) && record.localPort == portal.Port()) found.push_back(std::move(record));
        }
        return found;
    }
    // The count-th report (from 1), waiting for it.
    std::optional<RequestRecord> WaitForPageReport(size_t count, std::chrono::milliseconds timeout = 30s) const {
        return WaitForLog("page_version", count, timeout);
    }
    std::optional<RequestRecord> WaitForLog(const std::string& key, size_t count, std::chrono::milliseconds timeout) const {
        const auto deadline = Clock::now() + timeout;
        do {
            const auto found = LogsWith(key);
            if (found.size() >= count) return found[count - 1];
            std::this_thread::sleep_for(100ms);
        } while (Clock::now() < deadline);
        return std::nullopt;
    }
    // The count-th report of the frame from the second origin, waiting for it.
    std::optional<RequestRecord> WaitForFrameReport(size_t count, std::chrono::milliseconds timeout = 30s) const {
        const auto deadline = Clock::now() + timeout;
        do {
            std::vector<RequestRecord> found;
            for (auto& record : portal.RequestsTo("/log")) {
                if (record.QueryValue("frame_version") && record.localPort == portal.FramePort()) found.push_back(record);
            }
            if (found.size() >= count) return found[count - 1];
            std::this_thread::sleep_for(100ms);
        } while (Clock::now() < deadline);
        return std::nullopt;
    }

    // Polls until the game window's name is the given one.
    bool WaitForTitle(const std::string& title, std::chrono::milliseconds timeout = 10s) const {
        const auto deadline = Clock::now() + timeout;
        do {
            if (display.WindowName(game) == title) return true;
            std::this_thread::sleep_for(100ms);
        } while (Clock::now() < deadline);
        return false;
    }

    // Mapped, whatever its name (a page without a title leaves it empty).
    bool GameWindowShown() const { return !display.WaitForWindowGone(game, 0ms); }

    // The client's windows besides the game window.
    std::vector<std::string> OtherClientWindows() const {
        std::vector<std::string> names;
        for (const e2e::WindowId window : display.Windows(".")) {
            if (window != game && display.WindowPid(window) == install->Pid()) names.push_back(display.WindowName(window));
        }
        return names;
    }

    // The game page's slate header has painted in the game window (an empty view is
    // black or white).
    bool WaitForGamePainted(const std::string& artifact) {
        const auto header = [](const e2e::Rgb& color) { return color.Near({28, 32, 45}, 10); };
        const int x = area.x + kWebViewOrigin.x + 700;
        const int y = area.y + kWebViewOrigin.y + 6;
        const auto image = display.WaitForPixel(x, y, header, e2e::ArtifactPath(artifact));
        return image && header(image->Pixel(x, y));
    }

    std::string Diagnostics() const {
        std::string text = "portal requests:\n";
        for (const auto& record : portal.Requests()) {
            text += "  " + record.method + " :" + std::to_string(record.localPort) + " " + record.path + "?" +
                    record.query.substr(0, 200) + "\n";
        }
        return text + "client output:\n" + (install ? install->Output() : std::string());
    }

    static std::string Name() { return e2e::CurrentTestName(); }

    demo_portal::PortalServer portal{{e2e::DemoPortalRoot()}};
    e2e::DisplaySession display;
    std::unique_ptr<e2e::ClientInstall> install;
    e2e::WindowId launcher = 0;
    layout::Point launcherTopLeft;
    e2e::WindowId game = 0;
    e2e::WindowGeometry area;
};

TEST_F(GameWindow, ThePageAndItsFrameReadTheVersionOnEveryLoad) {
    EnterGame();
    for (size_t load = 1; load <= 2; ++load) {
        SCOPED_TRACE("load " + std::to_string(load));
        const auto page = WaitForPageReport(load);
        ASSERT_TRUE(page.has_value()) << Diagnostics();
        EXPECT_EQ(page->QueryValue("page_version"), "1.0.0.1");
        const auto frame = WaitForFrameReport(load);
        ASSERT_TRUE(frame.has_value()) << Diagnostics();
        EXPECT_EQ(frame->QueryValue("frame_version"), "1.0.0.1");
        EXPECT_EQ(frame->QueryValue("origin"), "http://127.0.0.1:" + std::to_string(portal.FramePort()));
        if (load == 1) ClickCaptionButton(kReloadButton);
    }
}

TEST_F(GameWindow, TheTitleFollowsThePage) {
    EnterGame();
    ASSERT_TRUE(WaitForPageReport(1).has_value()) << Diagnostics();
    EXPECT_TRUE(WaitForTitle(kGameTitle)) << display.WindowName(game);

    // A page without a title leaves the caption without one.
    ASSERT_TRUE(WaitForGamePainted(Name() + "-game.png")) << "see " << e2e::ArtifactPath(Name() + "-game.png");
    ClickInGamePage(kNoticeLink);
    ASSERT_TRUE(WaitForLog("notice", 1, 30s).has_value()) << Diagnostics();
    EXPECT_TRUE(WaitForTitle("")) << "'" << display.WindowName(game) << "'";
    EXPECT_TRUE(GameWindowShown());
    display.Screenshot(e2e::ArtifactPath(Name() + "-untitled.png"));

    // "刷新" goes back to the game address, and its title comes back with it.
    ClickCaptionButton(kReloadButton);
    const auto again = WaitForPageReport(2);
    ASSERT_TRUE(again.has_value()) << Diagnostics();
    EXPECT_TRUE(WaitForTitle(kGameTitle)) << display.WindowName(game);
}

TEST_F(GameWindow, ClearingTheCacheKeepsOnlyTheCookies) {
    EnterGame(true);
    const auto first = WaitForPageReport(1);
    ASSERT_TRUE(first.has_value()) << Diagnostics();
    EXPECT_EQ(first->QueryValue("storage"), "absent");
    EXPECT_EQ(first->QueryValue("signed_in"), "true");
    const size_t crestFetches = portal.CountRequests("/img/crest.svg");
    ASSERT_GE(crestFetches, 1u) << Diagnostics();

    // Loaded again, the page finds its storage and takes its picture from the cache.
    ClickCaptionButton(kReloadButton);
    const auto cached = WaitForPageReport(2);
    ASSERT_TRUE(cached.has_value()) << Diagnostics();
    EXPECT_EQ(cached->QueryValue("storage"), "present");
    EXPECT_EQ(portal.CountRequests("/img/crest.svg"), crestFetches) << Diagnostics();

    // "No" clears nothing.
    ClickCaptionButton(kClearCacheButton);
    ASSERT_TRUE(Answer("清理提示", "alt+n")) << "no cache question; " << Diagnostics();
    ClickCaptionButton(kReloadButton);
    const auto kept = WaitForPageReport(3);
    ASSERT_TRUE(kept.has_value()) << Diagnostics();
    EXPECT_EQ(kept->QueryValue("storage"), "present");
    EXPECT_EQ(portal.CountRequests("/img/crest.svg"), crestFetches) << Diagnostics();
    EXPECT_TRUE(display.Windows("^orvex-client$").empty()) << "a completion message after answering No";

    // "Yes" clears the cache and the page's storage, and says when it is done.
    ClickCaptionButton(kClearCacheButton);
    ASSERT_TRUE(Answer("清理提示", "alt+y")) << Diagnostics();
    ASSERT_TRUE(Answer("orvex-client", "Return")) << "no completion message; " << Diagnostics();
    const size_t gamePageFetches = portal.CountRequests("/game/play.html");
    ClickCaptionButton(kReloadButton);
    const auto cleared = WaitForPageReport(4);
    ASSERT_TRUE(cleared.has_value()) << Diagnostics();
    EXPECT_EQ(cleared->QueryValue("storage"), "absent");
    EXPECT_GT(portal.CountRequests("/img/crest.svg"), crestFetches) << Diagnostics();
    // The cookie stayed: the game page went out with it and the portal still knows the player.
    EXPECT_EQ(cleared->QueryValue("signed_in"), "true");
    ASSERT_GT(portal.CountRequests("/game/play.html"), gamePageFetches) << Diagnostics();
    const auto page = portal.RequestsTo("/game/play.html").back();
    EXPECT_TRUE(page.HasCookie("varnholt_session")) << "cookie header: " << page.cookie;
    EXPECT_TRUE(install->Running());
}

// Ways to ask the game window to close.
enum class CloseBy { AltF4, CloseButton };

void PrintTo(CloseBy way, std::ostream* out) { *out << (way == CloseBy::AltF4 ? "alt+F4" : "close button"); }

class GameWindowClosing : public GameWindow, public ::testing::WithParamInterface<CloseBy> {
protected:
    void AskToClose() {
        if (GetParam() == CloseBy::AltF4) {
            ASSERT_TRUE(display.CloseWithWindowManager(game));
        } else {
            ClickCaptionButton(kCloseButton);
        }
    }

    // Processes running the installed client, the one we started aside. A client's own
    // short-lived fork (on its way to start a helper) runs the same file; it is no instance.
    std::vector<pid_t> OtherInstances() const {
        std::vector<pid_t> found;
        const auto executable = std::filesystem::weakly_canonical(install->Executable());
        for (const auto& process : e2e::ListProcesses()) {
            if (process.pid != install->Pid() && e2e::ProcessExecutable(process.pid) == executable &&
                e2e::ProcessExecutable(process.parent) != executable) {
                found.push_back(process.pid);
            }
        }
        return found;
    }
};

TEST_P(GameWindowClosing, AsksFirstAndAYesRestartsTheClientWithoutArguments) {
    EnterGame();
    ASSERT_TRUE(WaitForPageReport(1).has_value()) << Diagnostics();
    ASSERT_TRUE(WaitForTitle(kGameTitle));

    // "No": nothing changes.
    AskToClose();
    ASSERT_TRUE(Answer("关闭提示", "alt+n")) << "no close question; " << Diagnostics();
    std::this_thread::sleep_for(1s);
    EXPECT_TRUE(GameWindowShown());
    EXPECT_EQ(display.WindowName(game), kGameTitle);
    EXPECT_TRUE(install->Running());
    EXPECT_TRUE(OtherInstances().empty());
    EXPECT_TRUE(display.Windows("^Varnholt$").empty());

    // "Yes": this process ends well and a fresh one shows the launcher again.
    AskToClose();
    ASSERT_TRUE(Answer("关闭提示", "alt+y")) << Diagnostics();
    const auto status = install->WaitForExit(30s);
    ASSERT_TRUE(status.has_value()) << Diagnostics();
    EXPECT_TRUE(status->Succeeded()) << status->Describe();

    // The new instance runs in a session of its own, out of reach of the install's
    // clean-up: each one found is ended by the test.
    std::vector<std::unique_ptr<e2e::ProcessGuard>> restarted;
    const auto deadline = Clock::now() + 30s;
    while (restarted.empty() && Clock::now() < deadline) {
        for (const pid_t pid : OtherInstances()) restarted.push_back(std::make_unique<e2e::ProcessGuard>(pid));
        std::this_thread::sleep_for(100ms);
    }
    ASSERT_EQ(restarted.size(), 1u) << "not exactly one new instance; " << Diagnostics();
    const pid_t pid = restarted.front()->Pid();
    const auto executable = std::filesystem::weakly_canonical(install->Executable()).string();
    EXPECT_EQ(e2e::ProcessArguments(pid), std::vector<std::string>{executable});

    const auto window = display.WaitForWindow("^Varnholt$", 60s);
    ASSERT_TRUE(window.has_value()) << "no launcher after the restart; " << Diagnostics();
    EXPECT_EQ(display.WindowPid(*window), pid);
    EXPECT_EQ(OtherInstances(), std::vector<pid_t>{pid});
    // The new launcher shows the sign-in page again (from the cache, so no request needed).
    const auto geometry = display.Geometry(*window);
    ASSERT_TRUE(geometry.has_value());
    const auto button = layout::OnScreen({geometry->x, geometry->y}, {layout::kLoginButton.x - 60, layout::kLoginButton.y - 8});
    const auto shot = display.WaitForPixel(button.x, button.y, IsGold, e2e::ArtifactPath(Name() + ".png"));
    EXPECT_TRUE(shot && IsGold(shot->Pixel(button.x, button.y))) << "see " << e2e::ArtifactPath(Name() + ".png");
}

INSTANTIATE_TEST_SUITE_P(GameWindow, GameWindowClosing, ::testing::Values(CloseBy::AltF4, CloseBy::CloseButton),
                         [](const auto& test) {
                             return std::string(test.param == CloseBy::AltF4 ? "AltF4" : "CloseButton");
                         });

// The engine's web processes under the client, sandboxed or not.
std::vector<pid_t> WebProcesses(pid_t client) {
    std::vector<pid_t> found;
    for (const auto& process : e2e::Descendants(client)) {
        if (process.name.rfind("WebKitWebProces", 0) == 0) found.push_back(process.pid);
    }
    return found;
}

// Kills every web process of the client; how many there were.
size_t KillWebProcesses(pid_t client) {
    const auto victims = WebProcesses(client);
    for (const pid_t pid : victims) ::kill(pid, SIGKILL);
    return victims.size();
}

TEST_F(GameWindow, AKilledWebProcessBringsTheGamePageBack) {
    EnterGame();
    ASSERT_TRUE(WaitForPageReport(1).has_value()) << Diagnostics();
    ASSERT_TRUE(WaitForGamePainted(Name() + "-before.png"));

    // The page is loaded anew: it runs and reports again (its document may come from the
    // HTTP cache, so the portal need not see the page itself again).
    ASSERT_GT(KillWebProcesses(install->Pid()), 0u) << "no web process found";
    const auto again = WaitForPageReport(2);
    ASSERT_TRUE(again.has_value()) << "the game page did not come back; " << Diagnostics();
    EXPECT_EQ(again->QueryValue("page_version"), "1.0.0.1");
    EXPECT_EQ(again->QueryValue("storage"), "present");
    EXPECT_TRUE(WaitForGamePainted(Name() + ".png")) << "see " << e2e::ArtifactPath(Name() + ".png");
    EXPECT_TRUE(WaitForTitle(kGameTitle));
    EXPECT_TRUE(install->Running());
    EXPECT_FALSE(WebProcesses(install->Pid()).empty());
}

TEST_F(GameWindow, AWebProcessThatKeepsDyingIsReloadedThreeTimesAMinute) {
    EnterGame();
    ASSERT_TRUE(WaitForPageReport(1).has_value()) << Diagnostics();
    for (size_t reload = 1; reload <= 3; ++reload) {
        SCOPED_TRACE("reload " + std::to_string(reload));
        ASSERT_GT(KillWebProcesses(install->Pid()), 0u);
        ASSERT_TRUE(WaitForPageReport(reload + 1).has_value()) << Diagnostics();
    }
    // The fourth death within the minute is left alone.
    ASSERT_GT(KillWebProcesses(install->Pid()), 0u);
    std::this_thread::sleep_for(8s);
    EXPECT_EQ(PageReports().size(), 4u) << Diagnostics();
    EXPECT_TRUE(install->Running());
    EXPECT_TRUE(GameWindowShown());
}

TEST_F(GameWindow, EnterAndEscapeReachThePageAndNeverCloseTheWindow) {
    EnterGame();
    ASSERT_TRUE(WaitForPageReport(1).has_value()) << Diagnostics();
    ASSERT_TRUE(WaitForGamePainted(Name() + "-game.png"));
    // Focus in the game's playing field, as after any click of the player.
    ClickInGamePage({area.width / 3, area.height / 2});
    struct Press {
        const char* keys;
        const char* seenAs;
    };
    size_t pressed = 0;
    for (const Press press : {Press{"Escape", "Escape"}, Press{"Return", "Enter"}, Press{"KP_Enter", "Enter"},
                              Press{"Escape", "Escape"}}) {
        SCOPED_TRACE(press.keys);
        ASSERT_TRUE(display.Activate(game));
        ASSERT_TRUE(display.Key(press.keys));
        ++pressed;
        const auto seen = WaitForLog("key", pressed, 10s);
        ASSERT_TRUE(seen.has_value()) << "the page did not get the key; " << Diagnostics();
        EXPECT_EQ(seen->QueryValue("key"), press.seenAs);
    }
    const auto until = Clock::now() + 2s;
    while (Clock::now() < until) {
        for (const auto& name : OtherClientWindows()) ADD_FAILURE() << "window '" << name << "' opened";
        std::this_thread::sleep_for(200ms);
    }
    EXPECT_TRUE(GameWindowShown());
    EXPECT_EQ(display.WindowName(game), kGameTitle);
    EXPECT_TRUE(install->Running());
}

TEST_F(GameWindow, AHostilePageCannotBreakTheClient) {
    EnterGameAt("/game/play.htm?abuse=1");
    for (size_t load = 1; load <= 2; ++load) {
        SCOPED_TRACE("load " + std::to_string(load));
        const auto report = WaitForLog("abuse", load, 60s);
        ASSERT_TRUE(report.has_value()) << Diagnostics();
        EXPECT_EQ(report->QueryValue("present"), "function");
        EXPECT_EQ(report->QueryValue("frozen"), "true");
        EXPECT_EQ(report->QueryValue("flood"), "100000");
        EXPECT_EQ(report->QueryValue("args"), "ok,ok,ok,ok,ok,ok,ok,ok");
        EXPECT_EQ(report->QueryValue("construct"), "object");
        EXPECT_EQ(report->QueryValue("tampered"), "1.0.0.1");
        EXPECT_EQ(report->QueryValue("replaced"), "page-own");
        EXPECT_EQ(report->QueryValue("srcdoc"), "1.0.0.1");
        EXPECT_EQ(report->QueryValue("blank"), "1.0.0.1");
        EXPECT_EQ(report->QueryValue("hostile"), "threw:Error");
        RecordProperty("channel", report->QueryValue("channel").value_or(""));
        // Its frame from the other origin still gets the version.
        const auto frame = WaitForFrameReport(load);
        ASSERT_TRUE(frame.has_value()) << Diagnostics();
        EXPECT_EQ(frame->QueryValue("frame_version"), "1.0.0.1");

        EXPECT_TRUE(install->Running()) << Diagnostics();
        EXPECT_TRUE(GameWindowShown());
        EXPECT_TRUE(WaitForTitle("Varnholt - 试炼场")) << display.WindowName(game);
        // And it still paints the page (its dark red background).
        const int x = area.x + kWebViewOrigin.x + 1500;
        const int y = area.y + kWebViewOrigin.y + 600;
        const auto red = [](const e2e::Rgb& color) { return color.Near({0x2b, 0x0d, 0x0d}, 8); };
        const auto shot = e2e::ArtifactPath(Name() + "-" + std::to_string(load) + ".png");
        const auto image = display.WaitForPixel(x, y, red, shot);
        EXPECT_TRUE(image && red(image->Pixel(x, y))) << "see " << shot;
        if (load == 1) ClickCaptionButton(kReloadButton);
    }
}

}  // namespace
