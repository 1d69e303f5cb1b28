// The end-to-end harness's own pieces that need no display.
#include <gtest/gtest.h>
#include <signal.h>

#include <cerrno>
#include <fstream>
#include <thread>

#include "CallLog.h"
#include "ChildProcess.h"
#include "ClientInstall.h"
#include "TempDirectory.h"

using namespace std::chrono_literals;
using e2e::CallLog;
using e2e::ChildProcess;
using e2e::Environment;

namespace {

TEST(CallLog, RoundTripsAwkwardArguments) {
    const CallLog::Call call = {
        "/tmp/app/game/OrvexClient", "p", "", "with space", "line\nbreak\r\n", "tab\there", "quote\"inside",
        "back\\slash", "风暴要塞", std::string("\x01\x1f\x7f", 3), "[\"],", "http://127.0.0.1:1/play.html?a=1&b=%20",
    };
    const std::string line = CallLog::Encode(call);
    EXPECT_EQ(line.find('\n'), std::string::npos);
    EXPECT_EQ(CallLog::Decode(line), call);
    EXPECT_EQ(CallLog::Decode(CallLog::Encode({})), CallLog::Call{});
}

TEST(CallLog, RejectsDamagedLines) {
    for (const char* line : {"", "[", "[\"a\"", "[\"a\",]", "[\"a\"]x", "[a]", "[\"\\q\"]", "[\"\\u00zz\"]",
                             "[\"\\u0100\"]", "[\"a\" \"b\"]"}) {
        EXPECT_FALSE(CallLog::Decode(line).has_value()) << line;
    }
}

TEST(CallRecorder, AppendsOneLinePerCallUnderItsOwnName) {
    e2e::TempDirectory directory("varnholt-recorder-test");
    const auto standIn = directory.MakeDirectory("game") / "OrvexClient";
    std::filesystem::copy_file(VARNHOLT_E2E_CALL_RECORDER, standIn);
    const CallLog log(directory.Path() / "game" / "OrvexClient.calls");
    EXPECT_TRUE(log.Calls().empty());

    const std::string address = "http://127.0.0.1:8/game/play.html?server_id=S1&x=\n";
    EXPECT_TRUE(ChildProcess::Run({standIn.string(), "p", address}, Environment::Empty()).Ok());
    EXPECT_TRUE(ChildProcess::Run({standIn.string()}, Environment::Empty()).Ok());
    const auto calls = log.Calls();
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0], (CallLog::Call{standIn.string(), "p", address}));
    EXPECT_EQ(calls[1], (CallLog::Call{standIn.string()}));

    // A call still being written does not count yet.
    std::ofstream(log.File(), std::ios::app) << "[\"half";
    EXPECT_EQ(log.Calls().size(), 2u);
    EXPECT_FALSE(log.WaitFor(3, 100ms));
}

TEST(ChildProcess, RunPassesArgumentsAndEnvironmentVerbatim) {
    const auto printed = ChildProcess::Run({"printf", "%s|", "a b", "$HOME", "*", "'"}, Environment::Empty());
    EXPECT_TRUE(printed.Ok());
    EXPECT_EQ(printed.output, "a b|$HOME|*|'|");

    const auto environment = ChildProcess::Run({"/usr/bin/env"}, Environment::Empty().Set("ONLY", "this one"));
    EXPECT_EQ(environment.output, "ONLY=this one\n");
}

TEST(ChildProcess, RunReportsExitCodesSignalsAndTimeouts) {
    const auto failed = ChildProcess::Run({"false"}, Environment::Current());
    ASSERT_TRUE(failed.status.has_value());
    EXPECT_TRUE(failed.status->exited);
    EXPECT_EQ(failed.status->code, 1);
    EXPECT_FALSE(failed.Ok());

    const auto started = std::chrono::steady_clock::now();
    const auto slow = ChildProcess::Run({"sleep", "30"}, Environment::Current(), 300ms);
    EXPECT_FALSE(slow.status.has_value());
    EXPECT_LT(std::chrono::steady_clock::now() - started, 5s);

    EXPECT_THROW(ChildProcess::Run({"no-such-program-varnholt"}, Environment::Current()), std::runtime_error);
}

TEST(ChildProcess, TerminateTakesTheWholeProcessGroup) {
    ChildProcess::Options options;
    // The grandchildren ignore SIGTERM: only the SIGKILL after the grace period ends them.
    options.argv = {"sh", "-c", "trap '' TERM; sleep 300 & sleep 300 & wait"};
    ChildProcess shell(options);
    const pid_t group = shell.Pid();
    std::this_thread::sleep_for(200ms);
    ASSERT_EQ(::kill(-group, 0), 0);
    shell.Terminate(300ms);
    const auto status = shell.Poll();
    ASSERT_TRUE(status.has_value());
    EXPECT_FALSE(status->exited) << status->Describe();
    // Nothing of the group is left, grandchildren included.
    for (int i = 0; i < 50 && ::kill(-group, 0) == 0; ++i) std::this_thread::sleep_for(20ms);
    EXPECT_EQ(::kill(-group, 0), -1);
    EXPECT_EQ(errno, ESRCH);
}

TEST(ClientInstall, LaysOutAnInstallWithConfigAndStandIns) {
    e2e::ClientInstall install({.executable = "/usr/bin/true",
                                .configLines = {"page=http://127.0.0.1:1/login.html?game=varnholt", "airclient=true"},
                                .lineEnding = "\r\n",
                                .externalGameClient = true});
    EXPECT_EQ(install.ReadConfig(), "page=http://127.0.0.1:1/login.html?game=varnholt\r\nairclient=true");
    const auto perms = std::filesystem::status(install.Executable()).permissions();
    EXPECT_NE(perms & std::filesystem::perms::owner_exec, std::filesystem::perms::none);
    EXPECT_TRUE(std::filesystem::is_regular_file(install.AppDirectory() / "game" / "OrvexClient"));
    EXPECT_TRUE(std::filesystem::is_directory(install.HomeDirectory() / ".cache"));
    EXPECT_EQ(install.ExternalGameClientCalls().File(), install.AppDirectory() / "game" / "OrvexClient.calls");
    EXPECT_TRUE(install.ExternalGameClientCalls().Calls().empty());

    e2e::ClientInstall plain({.executable = "/usr/bin/true", .configLines = {"a=1", "b=2"}, .lineEnding = "\n"});
    EXPECT_EQ(plain.ReadConfig(), "a=1\nb=2");
    EXPECT_FALSE(std::filesystem::exists(plain.AppDirectory() / "game"));
    EXPECT_NE(plain.Root(), install.Root());
}

TEST(ClientInstall, RefusesAMissingExecutable) {
    EXPECT_THROW(e2e::ClientInstall({.executable = "/nonexistent/orvex-client"}), std::runtime_error);
}

}  // namespace
