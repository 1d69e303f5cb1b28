// The harness on a real X display, with e2e-probe-window standing in for the client.
#include <gtest/gtest.h>
#include <signal.h>

#include <fstream>
#include <sstream>
#include <thread>

#include "Artifacts.h"
#include "ChildProcess.h"
#include "ClientInstall.h"
#include "DisplaySession.h"
#include "ScreenImage.h"
#include "TempDirectory.h"

using namespace std::chrono_literals;
using e2e::ChildProcess;
using e2e::DisplaySession;
using e2e::Rgb;
using e2e::ScreenImage;

namespace {

// A probe window on the display, with its report lines.
class ProbeWindow {
public:
    ProbeWindow(const DisplaySession& display, const e2e::TempDirectory& scratch, std::vector<std::string> arguments)
        : m_log(scratch.Path() / "probe.log") {
        ChildProcess::Options options;
        options.argv = {VARNHOLT_E2E_PROBE_WINDOW};
        options.argv.insert(options.argv.end(), arguments.begin(), arguments.end());
        options.environment = display.ClientEnvironment();
        options.outputFile = m_log;
        m_process = std::make_unique<ChildProcess>(options);
    }

    ChildProcess& Process() { return *m_process; }

    bool WaitForLine(const std::string& line, std::chrono::milliseconds timeout = 10s) const {
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        do {
            std::ifstream in(m_log);
            std::string each;
            while (std::getline(in, each)) {
                if (each == line) return true;
            }
            std::this_thread::sleep_for(50ms);
        } while (std::chrono::steady_clock::now() < deadline);
        return false;
    }

    std::string Log() const {
        std::ifstream in(m_log);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

private:
    std::filesystem::path m_log;
    std::unique_ptr<ChildProcess> m_process;
};

// "pid state name" of each process still in the group, for failure messages.
std::string GroupMembers(pid_t group) {
    std::string members;
    for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
        std::ifstream stat(entry.path() / "stat");
        std::string line;
        if (!std::getline(stat, line)) continue;
        // pid (name) state ppid pgrp ...
        const size_t close = line.rfind(')');
        if (close == std::string::npos) continue;
        std::istringstream rest(line.substr(close + 2));
        char state = '?';
        long parent = 0;
        long processGroup = 0;
        rest >> state >> parent >> processGroup;
        if (processGroup == group) members += line.substr(0, close + 1) + " " + state + "\n";
    }
    return members;
}

class Harness : public ::testing::Test {
protected:
    e2e::TempDirectory scratch{"varnholt-harness-test"};
    DisplaySession display;
};

TEST_F(Harness, FindsACentredUndecoratedWindowWithItsExactGeometry) {
    ProbeWindow probe(display, scratch, {"--title", "Varnholt Probe", "--size", "1016x680", "--undecorated", "--center"});
    const auto window = display.WaitForWindow("^Varnholt Probe$", 20s);
    ASSERT_TRUE(window.has_value()) << probe.Log();
    EXPECT_EQ(display.WindowName(*window), "Varnholt Probe");
    EXPECT_EQ(display.WindowPid(*window), probe.Process().Pid());
    EXPECT_FALSE(display.IsDecorated(*window));
    const auto geometry = display.Geometry(*window);
    ASSERT_TRUE(geometry.has_value());
    EXPECT_EQ(geometry->width, 1016);
    EXPECT_EQ(geometry->height, 680);
    EXPECT_EQ(geometry->x, (display.Width() - 1016) / 2);
    EXPECT_EQ(geometry->y, (display.Height() - 680) / 2);
    EXPECT_TRUE(display.Windows("^No Such Window$").empty());
    EXPECT_FALSE(display.WaitForWindow("^No Such Window$", 300ms).has_value());
}

TEST_F(Harness, ReadsWindowNamesAsUtf8AndSeesDecorations) {
    ProbeWindow probe(display, scratch, {"--title", "Varnholt - 风暴要塞"});
    const auto window = display.WaitForWindow("^Varnholt - ", 20s);
    ASSERT_TRUE(window.has_value()) << probe.Log();
    EXPECT_EQ(display.WindowName(*window), "Varnholt - 风暴要塞");
    EXPECT_TRUE(display.IsDecorated(*window));
    const auto geometry = display.Geometry(*window);
    ASSERT_TRUE(geometry.has_value());
    EXPECT_EQ(geometry->width, 320);
    EXPECT_EQ(geometry->height, 200);
}

TEST_F(Harness, ScreenshotsShowWhatIsOnScreen) {
    ProbeWindow probe(display, scratch, {"--title", "Painted", "--size", "400x300", "--color", "#c02020",
                                         "--undecorated", "--center"});
    const auto window = display.WaitForWindow("^Painted$", 20s);
    ASSERT_TRUE(window.has_value()) << probe.Log();
    ASSERT_TRUE(probe.WaitForLine("ready 760 390 400 300")) << probe.Log();
    const auto whole = e2e::ArtifactPath("HarnessScreenshot.png");
    const Rgb red{0xc0, 0x20, 0x20};
    // Painting may lag the mapping a little.
    std::optional<ScreenImage> image;
    for (int attempt = 0; attempt < 20; ++attempt) {
        ASSERT_TRUE(display.Screenshot(whole));
        image = ScreenImage::Load(whole);
        if (image->Pixel(960, 540) == red) break;
        std::this_thread::sleep_for(100ms);
    }
    EXPECT_EQ(image->Width(), 1920);
    EXPECT_EQ(image->Height(), 1080);
    EXPECT_EQ(image->Pixel(960, 540).Hex(), "#c02020");
    EXPECT_EQ(image->Pixel(760, 390), red);    // top-left corner of the window
    EXPECT_EQ(image->Pixel(1159, 689), red);   // bottom-right corner
    EXPECT_NE(image->Pixel(759, 389), red);    // just outside
    EXPECT_NE(image->Pixel(1160, 690), red);
    EXPECT_EQ(image->DistinctColors({760, 390, 400, 300}), 1u);
    EXPECT_TRUE(image->Average({760, 390, 400, 300}).Near(red, 1));

    const auto own = scratch.Path() / "window.png";
    ASSERT_TRUE(display.ScreenshotWindow(*window, own));
    const ScreenImage windowImage = ScreenImage::Load(own);
    EXPECT_EQ(windowImage.Width(), 400);
    EXPECT_EQ(windowImage.Height(), 300);
    EXPECT_EQ(windowImage.Pixel(0, 0), red);
    EXPECT_THROW(windowImage.Pixel(400, 0), std::out_of_range);
}

TEST_F(Harness, ClicksAndKeysReachTheWindow) {
    ProbeWindow probe(display, scratch, {"--title", "Input", "--size", "400x300", "--undecorated", "--center"});
    const auto window = display.WaitForWindow("^Input$", 20s);
    ASSERT_TRUE(window.has_value()) << probe.Log();
    const auto geometry = display.Geometry(*window);
    ASSERT_TRUE(geometry.has_value());
    ASSERT_TRUE(display.ClickAt(geometry->x + 100, geometry->y + 50));
    EXPECT_TRUE(probe.WaitForLine("click 100 50 1")) << probe.Log();
    ASSERT_TRUE(display.ClickAt(geometry->x + 399, geometry->y + 299, 3));
    EXPECT_TRUE(probe.WaitForLine("click 399 299 3")) << probe.Log();

    ASSERT_TRUE(display.Activate(*window));
    ASSERT_TRUE(display.Key("Return"));
    EXPECT_TRUE(probe.WaitForLine("key Return")) << probe.Log();
    ASSERT_TRUE(display.Type("Az"));
    EXPECT_TRUE(probe.WaitForLine("key A")) << probe.Log();
    EXPECT_TRUE(probe.WaitForLine("key z")) << probe.Log();
}

TEST_F(Harness, TheWindowManagerClosesTheFocusedWindowOnAltF4) {
    ProbeWindow other(display, scratch, {"--title", "Bystander", "--size", "200x100"});
    ASSERT_TRUE(display.WaitForWindow("^Bystander$", 20s).has_value());
    e2e::TempDirectory secondScratch("varnholt-harness-test");
    ProbeWindow probe(display, secondScratch, {"--title", "Closing", "--undecorated", "--close-code", "7"});
    const auto window = display.WaitForWindow("^Closing$", 20s);
    ASSERT_TRUE(window.has_value()) << probe.Log();

    ASSERT_TRUE(display.CloseWithWindowManager(*window));
    const auto status = probe.Process().Wait(10s);
    ASSERT_TRUE(status.has_value()) << probe.Log();
    EXPECT_TRUE(status->exited);
    EXPECT_EQ(status->code, 7);
    EXPECT_TRUE(probe.WaitForLine("closed"));
    EXPECT_TRUE(display.WaitForWindowGone(*window, 5s));
    // Only the focused window was asked.
    EXPECT_TRUE(other.Process().Running());
    EXPECT_EQ(display.Windows("^Bystander$").size(), 1u);
}

TEST(HarnessDisplays, EachSessionHasItsOwnDisplayAndCleansUp) {
    std::string first;
    {
        DisplaySession one;
        DisplaySession two({.compositor = true});
        first = one.Display();
        EXPECT_NE(one.Display(), two.Display());
        EXPECT_EQ(one.ClientEnvironment().Get("DISPLAY"), one.Display());
        EXPECT_FALSE(one.ClientEnvironment().Get("WAYLAND_DISPLAY").has_value());
        EXPECT_TRUE(std::filesystem::exists("/tmp/.X11-unix/X" + first.substr(1)));
    }
    EXPECT_FALSE(std::filesystem::exists("/tmp/.X11-unix/X" + first.substr(1)));
}

TEST_F(Harness, ClientInstallRunsInAPreparedEnvironment) {
    e2e::ClientInstall printer({.executable = "/usr/bin/env"});
    printer.Start(display);
    ASSERT_TRUE(printer.WaitForExit(10s).value_or(e2e::ExitStatus{}).Succeeded()) << printer.Output();
    const std::string environment = printer.Output();
    const std::string home = printer.HomeDirectory().string();
    for (const std::string& expected :
         {"DISPLAY=" + display.Display(), "HOME=" + home, "XDG_CACHE_HOME=" + home + "/.cache",
          "XDG_CONFIG_HOME=" + home + "/.config", "XDG_DATA_HOME=" + home + "/.local/share",
          "BROWSER=" + (printer.Root() / "tools" / "browser").string()}) {
        EXPECT_NE(environment.find(expected + "\n"), std::string::npos) << expected << " in\n" << environment;
    }
    EXPECT_EQ(environment.find("DBUS_SESSION_BUS_ADDRESS="), std::string::npos);

    e2e::ClientInstall whereAmI({.executable = "/bin/pwd"});
    whereAmI.Start(display);
    ASSERT_TRUE(whereAmI.WaitForExit(10s).has_value());
    EXPECT_EQ(whereAmI.Output(), (whereAmI.Root() / "work").string() + "\n");
}

TEST_F(Harness, WebAddressesOpenInTheStandInBrowser) {
    // What a GTK program does to open an address in the default browser.
    e2e::ClientInstall opener({.executable = "/usr/bin/gio"});
    const std::string address = "http://127.0.0.1:9/bbs.html?game=varnholt&from=client";
    opener.Start(display, {"open", address});
    ASSERT_TRUE(opener.BrowserCalls().WaitFor(1, 15s)) << opener.Output();
    const auto call = opener.BrowserCalls().Calls().front();
    ASSERT_EQ(call.size(), 2u);
    EXPECT_EQ(call[1], address);
}

TEST_F(Harness, ClientInstallEndsTheClientsProcessGroup) {
    pid_t group = -1;
    {
        e2e::ClientInstall install({.executable = "/bin/sh"});
        install.Start(display, {"-c", "sleep 300 & sleep 300 & wait"});
        group = install.Pid();
        std::this_thread::sleep_for(200ms);
        ASSERT_EQ(::kill(-group, 0), 0);
        EXPECT_FALSE(install.WaitForExit(100ms).has_value());
    }
    for (int i = 0; i < 50 && ::kill(-group, 0) == 0; ++i) std::this_thread::sleep_for(20ms);
    EXPECT_EQ(::kill(-group, 0), -1) << GroupMembers(group);
}

}  // namespace
