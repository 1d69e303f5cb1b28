// The launcher where things go wrong or get odd: a report that never returns, an external
// game client that is missing or unusable, game addresses that are awkward as arguments,
// and the launcher's picture with its see-through corners.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <thread>

#include "Artifacts.h"
#include "ChildProcess.h"
#include "ClientInstall.h"
#include "DisplaySession.h"
#include "PortalServer.h"
#include "ScreenImage.h"
#include "ScreenLayout.h"
#include "TempDirectory.h"

using namespace std::chrono_literals;
namespace layout = e2e::layout;

namespace {

using Clock = std::chrono::steady_clock;

bool IsGold(const e2e::Rgb& color) { return color.r > 170 && color.g > 120 && color.b < 130; }
// entry.html's background.
bool IsEntryGreen(const e2e::Rgb& color) { return color.Near({0x1d, 0x5b, 0x4f}, 12); }

class LauncherEdgeCases : public ::testing::Test {
protected:
    void SetUp() override { portal.Start(); }

    // Installs and starts the client with these settings lines and waits for the launcher.
    void StartClient(const std::vector<std::string>& config, bool externalGameClient = false) {
        Install(config, externalGameClient);
        StartInstalled();
    }

    void Install(const std::vector<std::string>& config, bool externalGameClient) {
        install = std::make_unique<e2e::ClientInstall>(
            e2e::ClientInstall::Options{.configLines = config, .externalGameClient = externalGameClient});
    }

    void StartInstalled() {
        install->Start(display);
        const auto window = display.WaitForWindow("^Varnholt$", 60s);
        ASSERT_TRUE(window.has_value()) << install->Output();
        launcher = *window;
        const auto geometry = display.Geometry(launcher);
        ASSERT_TRUE(geometry.has_value());
        launcherTopLeft = {geometry->x, geometry->y};
    }

    std::string SignInPage() const { return "page=" + portal.Url("/login.html?game=varnholt"); }
    // entry.html, which goes on to the given address (and `pad` characters of its pattern)
    // as soon as it has loaded.
    std::string EntryPage(const std::string& target, std::size_t pad = 0) const {
        return "page=" + portal.EntryUrl(target, pad);
    }

    // Screenshots until the launcher's web view shows a pixel that passes the check.
    bool WaitForPagePixel(layout::Point inPage, bool (*check)(const e2e::Rgb&), const std::string& artifact) {
        const auto point = layout::OnScreen(launcherTopLeft, inPage);
        const auto image = display.WaitForPixel(point.x, point.y, check, e2e::ArtifactPath(artifact));
        return image && check(image->Pixel(point.x, point.y));
    }

    bool WaitForSignInPainted() {
        return WaitForPagePixel({layout::kLoginButton.x - 60, layout::kLoginButton.y - 8}, IsGold, Name() + "-signin.png");
    }

    // The body of the first /log?entry=<kind> report of entry.html.
    std::optional<std::string> WaitForEntryReport(const std::string& kind, std::chrono::milliseconds timeout) const {
        const auto deadline = Clock::now() + timeout;
        do {
            for (const auto& record : portal.RequestsTo("/log")) {
                if (record.QueryValue("entry") == kind) return record.body;
            }
            std::this_thread::sleep_for(100ms);
        } while (Clock::now() < deadline);
        return std::nullopt;
    }

    // Windows of the client other than the launcher.
    std::vector<std::string> OtherClientWindows() const {
        std::vector<std::string> names;
        for (const e2e::WindowId window : display.Windows(".")) {
            if (window != launcher && display.WindowPid(window) == install->Pid()) names.push_back(display.WindowName(window));
        }
        return names;
    }

    // Waits for the client's exit and fails on any window besides the launcher meanwhile.
    std::optional<e2e::ExitStatus> WaitForExitWithoutOtherWindows(std::chrono::milliseconds timeout) {
        std::optional<e2e::ExitStatus> status;
        const auto deadline = Clock::now() + timeout;
        while (!status && Clock::now() < deadline) {
            for (const auto& name : OtherClientWindows()) ADD_FAILURE() << "window '" << name << "' opened";
            status = install->WaitForExit(200ms);
        }
        return status;
    }

    // What the portal saw, one request a line, for failure messages.
    std::string Requests() const {
        std::string text = "portal requests:\n";
        for (const auto& record : portal.Requests()) {
            text += "  " + record.method + " " + record.path + " (query " + std::to_string(record.query.size()) +
                    " bytes, body " + std::to_string(record.body.size()) + " bytes)\n";
        }
        return text + "client output:\n" + install->Output();
    }

    std::filesystem::path GameClientPath() const { return install->AppDirectory() / "game" / "OrvexClient"; }

    static std::string Name() { return e2e::CurrentTestName(); }

    demo_portal::PortalServer portal{{e2e::DemoPortalRoot()}};
    e2e::DisplaySession display;
    std::unique_ptr<e2e::ClientInstall> install;
    e2e::WindowId launcher = 0;
    layout::Point launcherTopLeft;
};

// A bare window of one colour filling the screen, behind the launcher, reporting the clicks
// that reach it (e2e-probe-window, built beside the call recorder).
class Backdrop {
public:
    static constexpr e2e::Rgb kColor{0x20, 0xc0, 0x40};

    Backdrop(const e2e::DisplaySession& display, const e2e::TempDirectory& scratch)
        : m_log(scratch.Path() / "backdrop.log") {
        e2e::ChildProcess::Options options;
        options.argv = {(std::filesystem::path(VARNHOLT_E2E_CALL_RECORDER).parent_path() / "e2e-probe-window").string(),
                        "--title", "Backdrop", "--size",
                        std::to_string(display.Width()) + "x" + std::to_string(display.Height()), "--undecorated",
                        "--color", kColor.Hex()};
        options.environment = display.ClientEnvironment();
        options.outputFile = m_log;
        m_process = std::make_unique<e2e::ChildProcess>(options);
    }

    // Its report lines so far.
    std::vector<std::string> Lines() const {
        std::ifstream in(m_log);
        std::vector<std::string> lines;
        for (std::string line; std::getline(in, line);) lines.push_back(line);
        return lines;
    }

    std::optional<std::string> WaitForLineStarting(const std::string& prefix, std::chrono::milliseconds timeout) const {
        const auto deadline = Clock::now() + timeout;
        do {
            for (const auto& line : Lines()) {
                if (line.rfind(prefix, 0) == 0) return line;
            }
            std::this_thread::sleep_for(50ms);
        } while (Clock::now() < deadline);
        return std::nullopt;
    }

private:
    std::filesystem::path m_log;
    std::unique_ptr<e2e::ChildProcess> m_process;
};

bool WaitForConfigEnding(const e2e::ClientInstall& install, const std::string& ending, std::chrono::milliseconds timeout) {
    const auto deadline = Clock::now() + timeout;
    do {
        const std::string config = install.ReadConfig();
        if (config.size() >= ending.size() && config.compare(config.size() - ending.size(), ending.size(), ending) == 0) {
            return true;
        }
        std::this_thread::sleep_for(50ms);
    } while (Clock::now() < deadline);
    return false;
}

TEST_F(LauncherEdgeCases, AReportThatNeverGetsAnAnswerDoesNotHoldTheLauncherBack) {
    const auto started = std::chrono::system_clock::now();
    StartClient({SignInPage(), "platform=baidu", "success=" + portal.Url("/hang?x=1")});
    const std::string original = install->ReadConfig();
    ASSERT_TRUE(WaitForSignInPainted()) << "see " << e2e::ArtifactPath(Name() + "-signin.png");
    const auto painted = std::chrono::system_clock::now();
    const std::string configWhenPainted = install->ReadConfig();

    // The report went out and is still waiting for its answer while the page shows.
    const auto report = portal.WaitForRequest("/hang", 30s);
    ASSERT_TRUE(report.has_value()) << install->Output();
    EXPECT_EQ(report->QueryValue("x"), "1");
    EXPECT_EQ(configWhenPainted, original) << "the report was over before the sign-in page showed";
    EXPECT_LT(painted - report->time, 9s) << "the sign-in page took as long as the report's time limit";

    // Given up after its time limit, and then marked as made.
    ASSERT_TRUE(WaitForConfigEnding(*install, "\r\nfirstopen=false", 30s)) << install->ReadConfig();
    const auto gaveUp = std::chrono::system_clock::now();
    EXPECT_EQ(install->ReadConfig(), original + "\r\nfirstopen=false");
    EXPECT_GE(gaveUp - report->time, 9s);
    EXPECT_LE(gaveUp - report->time, 16s);
    RecordProperty("sign_in_painted_ms",
                   static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(painted - started).count()));

    // The launcher still works as ever.
    EXPECT_TRUE(install->Running());
    ASSERT_TRUE(display.CloseWithWindowManager(launcher));
    const auto status = install->WaitForExit(30s);
    ASSERT_TRUE(status.has_value()) << install->Output();
    EXPECT_TRUE(status->Succeeded()) << status->Describe();
    EXPECT_EQ(portal.CountRequests("/hang"), 1u);
}

TEST_F(LauncherEdgeCases, ClosingWhileTheReportHangsEndsAtOnce) {
    StartClient({SignInPage(), "platform=baidu", "success=" + portal.Url("/hang?x=2")});
    ASSERT_TRUE(portal.WaitForRequest("/hang", 30s).has_value()) << Requests();
    ASSERT_TRUE(WaitForSignInPainted()) << "see " << e2e::ArtifactPath(Name() + "-signin.png");
    ASSERT_TRUE(display.CloseWithWindowManager(launcher));
    const auto closed = Clock::now();
    const auto status = install->WaitForExit(30s);
    ASSERT_TRUE(status.has_value()) << Requests();
    EXPECT_TRUE(status->Succeeded()) << status->Describe();
    // Well within the report's own time limit: nobody waits for it on the way out.
    EXPECT_LT(Clock::now() - closed, 5s);
}

// How the sign-in page reaches the game entry, and the address the entry has.
struct HandOff {
    const char* name;
    bool signIn;           // the form post, answered by a redirect to the entry; else "快速进入"
    const char* entry;     // path and query of the game entry

    friend void PrintTo(const HandOff& handOff, std::ostream* out) { *out << handOff.name; }
};

class ExternalGameClientHandOff : public LauncherEdgeCases, public ::testing::WithParamInterface<HandOff> {};

TEST_P(ExternalGameClientHandOff, TheEntryNeverLeavesAndTheStandInGetsItsAddress) {
    StartClient({SignInPage(), "airclient=true"}, true);
    ASSERT_TRUE(WaitForSignInPainted()) << "see " << e2e::ArtifactPath(Name() + "-signin.png");
    const auto click = [&](layout::Point inPage) {
        const auto point = layout::OnScreen(launcherTopLeft, inPage);
        ASSERT_TRUE(display.ClickAt(point.x, point.y));
    };
    if (GetParam().signIn) {
        click(layout::kAccountField);
        ASSERT_TRUE(display.Type("hero01"));
        click(layout::kPasswordField);
        ASSERT_TRUE(display.Type("secret"));
        click(layout::kLoginButton);
    } else {
        click(layout::kQuickEnterButton);
    }

    ASSERT_TRUE(install->ExternalGameClientCalls().WaitFor(1, 30s)) << Requests();
    const auto status = WaitForExitWithoutOtherWindows(30s);
    ASSERT_TRUE(status.has_value()) << install->Output();
    EXPECT_TRUE(status->Succeeded()) << status->Describe();

    const auto calls = install->ExternalGameClientCalls().Calls();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls.front(), (e2e::CallLog::Call{GameClientPath().string(), "p", portal.Url(GetParam().entry)}));
    // Stopped before its request was made: the portal never heard of the game page.
    EXPECT_EQ(portal.CountRequests("/game/"), 0u);
    if (GetParam().signIn) {
        const auto post = portal.WaitForRequest("/login", 1s);
        ASSERT_TRUE(post.has_value());
        EXPECT_EQ(post->method, "POST");
        EXPECT_NE(post->body.find("account=hero01"), std::string::npos) << post->body;
    }
}

INSTANTIATE_TEST_SUITE_P(LauncherEdgeCases, ExternalGameClientHandOff,
                         ::testing::Values(HandOff{"QuickEnter", false, "/game/play.html?server_id=S1&quick=1"},
                                           HandOff{"SignInRedirect", true, "/game/play.html?server_id=S1&entry=login"}),
                         [](const auto& test) { return std::string(test.param.name); });

// What stands at game/OrvexClient when it cannot be started.
enum class Unusable { Missing, NotExecutable, Directory };

std::string Describe(Unusable what) {
    switch (what) {
        case Unusable::Missing: return "Missing";
        case Unusable::NotExecutable: return "NotExecutable";
        case Unusable::Directory: return "Directory";
    }
    return "Unknown";
}
void PrintTo(Unusable what, std::ostream* out) { *out << Describe(what); }

class UnusableExternalGameClient : public LauncherEdgeCases, public ::testing::WithParamInterface<Unusable> {};

TEST_P(UnusableExternalGameClient, TheLauncherStaysOnItsPage) {
    const std::string entry = "/game/play.html?server_id=S1&quick=1";
    Install({EntryPage(entry), "airclient=true"}, GetParam() != Unusable::Missing);
    if (GetParam() == Unusable::NotExecutable) {
        std::filesystem::permissions(GameClientPath(), std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    } else if (GetParam() == Unusable::Directory) {
        std::filesystem::remove(GameClientPath());
        std::filesystem::create_directory(GameClientPath());
    }
    StartInstalled();

    // The page asked for the entry, and lived on to say that it was still there.
    const auto navigating = WaitForEntryReport("navigating", 30s);
    ASSERT_TRUE(navigating.has_value()) << install->Output();
    EXPECT_EQ(*navigating, portal.Url(entry));
    const auto stayed = WaitForEntryReport("stayed", 30s);
    ASSERT_TRUE(stayed.has_value()) << install->Output();
    EXPECT_EQ(*stayed, portal.EntryUrl(entry));

    // A while later: still the launcher on that page, and nothing else.
    const auto until = Clock::now() + 2s;
    while (Clock::now() < until) {
        for (const auto& name : OtherClientWindows()) ADD_FAILURE() << "window '" << name << "' opened";
        std::this_thread::sleep_for(200ms);
    }
    EXPECT_TRUE(install->Running()) << install->Output();
    const auto shown = display.Windows("^Varnholt$");
    EXPECT_NE(std::find(shown.begin(), shown.end(), launcher), shown.end()) << "the launcher is gone";
    EXPECT_TRUE(WaitForPagePixel({40, 200}, IsEntryGreen, Name() + ".png")) << "see " << e2e::ArtifactPath(Name() + ".png");
    EXPECT_EQ(portal.CountRequests("/game/"), 0u);
    EXPECT_TRUE(install->ExternalGameClientCalls().Calls().empty());

    // And it still closes as usual.
    ASSERT_TRUE(display.CloseWithWindowManager(launcher));
    const auto status = install->WaitForExit(30s);
    ASSERT_TRUE(status.has_value()) << install->Output();
    EXPECT_TRUE(status->Succeeded()) << status->Describe();
}

INSTANTIATE_TEST_SUITE_P(LauncherEdgeCases, UnusableExternalGameClient,
                         ::testing::Values(Unusable::Missing, Unusable::NotExecutable, Unusable::Directory),
                         [](const auto& test) { return Describe(test.param); });

// A game address that the page navigates to, and the address the engine makes of it.
struct AwkwardAddress {
    const char* name;
    std::string target;    // as the page writes it
    std::string expected;  // path and query as the engine normalises it
    std::size_t pad = 0;   // characters of entry.html's pattern after the target

    friend void PrintTo(const AwkwardAddress& address, std::ostream* out) { *out << address.name; }
};

// What entry.html appends for ?pad=.
std::string Padding(std::size_t length) {
    const std::string pattern = "Varnholt-0123456789_abcdefghijklmnopqrstuvwxyz.ABCDEFGHIJKLMNOPQRSTUVWXYZ~";
    std::string padding;
    while (padding.size() < length) padding += pattern;
    padding.resize(length);
    return padding;
}

constexpr std::size_t kLongValue = 100 * 1024;

const AwkwardAddress kAwkwardAddresses[] = {
    {"SpacesInQuery", "/game/play.html?hero=Iron Guard&motto=hold the gate",
     "/game/play.html?hero=Iron%20Guard&motto=hold%20the%20gate"},
    {"SpaceInPath", "/game/my play.html?server_id=S1", "/game/my%20play.html?server_id=S1"},
    {"Quotes", "/game/play.html?say=\"hold\"&it='s&tick=`x`", "/game/play.html?say=%22hold%22&it=%27s&tick=`x`"},
    {"LeadingDashes", "/game/play.html?-p=--help&name=-rf", "/game/play.html?-p=--help&name=-rf"},
    {"ShellCharacters", "/game/play.html?cmd=$(reboot);a|b&c=*&d=\\n", "/game/play.html?cmd=$(reboot);a|b&c=*&d=\\n"},
    {"NonAscii", "/game/play.html?name=风暴要塞", "/game/play.html?name=%E9%A3%8E%E6%9A%B4%E8%A6%81%E5%A1%9E"},
    // Longer than the portal would take in a request line: only a stopped navigation can carry it.
    {"HundredKilobytes", "/game/play.html?server_id=S1&blob=", "/game/play.html?server_id=S1&blob=" + Padding(kLongValue),
     kLongValue},
};

class AwkwardGameAddress : public LauncherEdgeCases, public ::testing::WithParamInterface<AwkwardAddress> {};

TEST_P(AwkwardGameAddress, ReachesTheExternalGameClientAsOneArgument) {
    // The page goes on at once: the launcher may come and go between two looks.
    Install({EntryPage(GetParam().target, GetParam().pad), "airclient=true"}, true);
    install->Start(display);
    ASSERT_TRUE(install->ExternalGameClientCalls().WaitFor(1, 30s)) << Requests();
    const auto status = install->WaitForExit(30s);
    ASSERT_TRUE(status.has_value()) << install->Output();
    EXPECT_TRUE(status->Succeeded()) << status->Describe();

    // The page's own idea of the address it went to, and what the engine should make of it.
    const auto navigating = WaitForEntryReport("navigating", 5s);
    ASSERT_TRUE(navigating.has_value());
    EXPECT_EQ(*navigating, portal.Url(GetParam().expected));
    const auto calls = install->ExternalGameClientCalls().Calls();
    ASSERT_EQ(calls.size(), 1u);
    ASSERT_EQ(calls.front().size(), 3u);
    EXPECT_EQ(calls.front()[0], GameClientPath().string());
    EXPECT_EQ(calls.front()[1], "p");
    EXPECT_EQ(calls.front()[2], *navigating) << "the argument differs from the address the page went to";
    EXPECT_EQ(portal.CountRequests("/game/"), 0u);
}

INSTANTIATE_TEST_SUITE_P(LauncherEdgeCases, AwkwardGameAddress, ::testing::ValuesIn(kAwkwardAddresses),
                         [](const auto& test) { return std::string(test.param.name); });

TEST_F(LauncherEdgeCases, ShowsItsPictureAndLetsItsTransparentPartsThrough) {
    e2e::TempDirectory scratch("varnholt-backdrop");
    Backdrop backdrop(display, scratch);
    const auto ready = backdrop.WaitForLineStarting("ready ", 30s);
    ASSERT_TRUE(ready.has_value()) << "the backdrop did not come up";
    int backdropX = 0;
    int backdropY = 0;
    ASSERT_EQ(std::sscanf(ready->c_str(), "ready %d %d", &backdropX, &backdropY), 2) << *ready;

    StartClient({SignInPage()});
    ASSERT_TRUE(WaitForSignInPainted()) << "see " << e2e::ArtifactPath(Name() + "-signin.png");
    const auto shot = e2e::ArtifactPath(Name() + ".png");
    ASSERT_TRUE(display.Screenshot(shot));
    const auto screen = e2e::ScreenImage::Load(shot);
    const auto picture = e2e::ScreenImage::Load(e2e::DemoPortalRoot().parent_path().parent_path() / "images" / "143.png");
    ASSERT_EQ(picture.Width(), layout::kLauncherWidth);

    // Where no control covers the artwork, the screen shows the picture itself, pixel for pixel.
    struct Spot {
        const char* what;
        int x;
        int y;
    };
    for (const Spot spot : {Spot{"moon", 145, 310}, Spot{"title lettering", 45, 195}, Spot{"shield", 128, 100},
                            Spot{"mountains", 450, 180}, Spot{"sky", 650, 150}, Spot{"frame", 990, 150},
                            Spot{"town", 120, 500}}) {
        const e2e::PixelRect inPicture{spot.x - 2, spot.y - 2, 5, 5};
        const e2e::PixelRect onScreen{launcherTopLeft.x + spot.x - 2, launcherTopLeft.y + spot.y - 2, 5, 5};
        const e2e::Rgb expected = picture.Average(inPicture);
        const e2e::Rgb shown = screen.Average(onScreen);
        EXPECT_TRUE(shown.Near(expected, 10)) << spot.what << ": " << shown.Hex() << ", picture " << expected.Hex()
                                              << ", see " << shot;
        EXPECT_FALSE(shown.Near(Backdrop::kColor, 40)) << spot.what;
    }
    // Its fully transparent parts show what lies below.
    for (const layout::Point corner : {layout::Point{3, 3}, layout::Point{1012, 3}, layout::Point{3, 676},
                                       layout::Point{1012, 676}, layout::Point{500, 5}, layout::Point{20, 400}}) {
        const e2e::Rgb shown = screen.Pixel(launcherTopLeft.x + corner.x, launcherTopLeft.y + corner.y);
        EXPECT_TRUE(shown.Near(Backdrop::kColor, 8))
            << "launcher (" << corner.x << "," << corner.y << ") shows " << shown.Hex() << ", see " << shot;
    }

    // Clicks go the same way: one on the artwork stays with the launcher, one on a
    // transparent corner reaches the window below.
    const auto onMoon = layout::LauncherOnScreen(launcherTopLeft, {145, 310});
    ASSERT_TRUE(display.ClickAt(onMoon.x, onMoon.y));
    const auto onCorner = layout::LauncherOnScreen(launcherTopLeft, {3, 3});
    ASSERT_TRUE(display.ClickAt(onCorner.x, onCorner.y));
    const std::string expectedClick =
        "click " + std::to_string(onCorner.x - backdropX) + " " + std::to_string(onCorner.y - backdropY) + " 1";
    const auto click = backdrop.WaitForLineStarting("click ", 10s);
    ASSERT_TRUE(click.has_value()) << "the click on the transparent corner did not go through";
    EXPECT_EQ(*click, expectedClick);
    std::this_thread::sleep_for(300ms);
    std::vector<std::string> clicks;
    for (const auto& line : backdrop.Lines()) {
        if (line.rfind("click ", 0) == 0) clicks.push_back(line);
    }
    EXPECT_EQ(clicks, std::vector<std::string>{expectedClick});
    const auto geometry = display.Geometry(launcher);
    ASSERT_TRUE(geometry.has_value());
    EXPECT_EQ(geometry->x, launcherTopLeft.x);
    EXPECT_EQ(geometry->y, launcherTopLeft.y);
    EXPECT_TRUE(install->Running());
}

}  // namespace
