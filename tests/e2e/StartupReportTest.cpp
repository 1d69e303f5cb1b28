// The first-open report of the "baidu" platform, against the portal's /report route.
#include <gtest/gtest.h>

#include <regex>
#include <thread>

#include "Artifacts.h"
#include "ClientInstall.h"
#include "DisplaySession.h"
#include "PortalServer.h"

using namespace std::chrono_literals;

namespace {

bool WaitForConfigEnding(const e2e::ClientInstall& install, const std::string& ending, std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    do {
        const std::string config = install.ReadConfig();
        if (config.size() >= ending.size() && config.compare(config.size() - ending.size(), ending.size(), ending) == 0) {
            return true;
        }
        std::this_thread::sleep_for(100ms);
    } while (std::chrono::steady_clock::now() < deadline);
    return false;
}

TEST(StartupReport, ReportsOnceWithMacAndTimeThenMarksTheConfig) {
    demo_portal::PortalServer portal({e2e::DemoPortalRoot()});
    portal.Start();
    e2e::DisplaySession display;
    const std::vector<std::string> config = {
        "page=" + portal.Url("/login.html?game=varnholt"),
        "platform=baidu",
        "success=" + portal.Url("/report?game=varnholt&channel=demo"),
    };
    e2e::ClientInstall install({.configLines = config});
    const std::string original = install.ReadConfig();
    install.Start(display);

    const auto report = portal.WaitForRequest("/report", 30s);
    ASSERT_TRUE(report.has_value()) << install.Output();
    EXPECT_EQ(report->method, "GET");
    EXPECT_EQ(report->userAgent, "orvex-client");
    EXPECT_EQ(report->QueryValue("game"), "varnholt");
    EXPECT_EQ(report->QueryValue("channel"), "demo");
    EXPECT_TRUE(std::regex_match(report->QueryValue("mac").value_or(""), std::regex("[0-9A-Fa-f]{12}")))
        << report->query;
    EXPECT_TRUE(std::regex_match(report->QueryValue("time").value_or(""),
                                 std::regex("[0-2][0-9]:[0-5][0-9]:[0-5][0-9] GMT\\+0800")))
        << report->query;

    ASSERT_TRUE(WaitForConfigEnding(install, "\r\nfirstopen=false", 10s)) << install.ReadConfig();
    EXPECT_EQ(install.ReadConfig(), original + "\r\nfirstopen=false");

    const auto launcher = display.WaitForWindow("^Varnholt$", 60s);
    ASSERT_TRUE(launcher.has_value()) << install.Output();
    ASSERT_TRUE(display.CloseWithWindowManager(*launcher));
    const auto status = install.WaitForExit(30s);
    ASSERT_TRUE(status.has_value()) << install.Output();
    EXPECT_TRUE(status->Succeeded()) << status->Describe();
    EXPECT_EQ(portal.CountRequests("/report"), 1u);
}

}  // namespace
