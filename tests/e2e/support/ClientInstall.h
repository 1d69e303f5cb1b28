#pragma once

#include <chrono>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "CallLog.h"
#include "ChildProcess.h"
#include "Environment.h"
#include "TempDirectory.h"

namespace e2e {

class DisplaySession;

// A throw-away installation of the client, laid out as a user would have it:
//
//   <tmp>/app/orvex-client           copy of the built executable
//   <tmp>/app/pm_config.ini          the given lines
//   <tmp>/app/game/OrvexClient       stand-in external game client (optional)
//   <tmp>/home/...                   HOME and the XDG directories, empty at first
//   <tmp>/tools/browser              stand-in default browser for http(s) addresses
//   <tmp>/work                       the working directory: NOT the install directory,
//                                    so the client has to find its files on its own
//   <tmp>/client.log                 the client's stdout and stderr
//
// The stand-ins record each call in a CallLog. The client runs in its own process
// group, which is killed when this object dies.
class ClientInstall {
public:
    struct Options {
        std::filesystem::path executable{};  // empty: DefaultExecutable()
        std::vector<std::string> configLines{};
        std::string lineEnding = "\r\n";   // installs come with DOS line ends
        bool externalGameClient = false;  // install game/OrvexClient
    };

    explicit ClientInstall(Options options);
    ~ClientInstall();
    ClientInstall(const ClientInstall&) = delete;
    ClientInstall& operator=(const ClientInstall&) = delete;

    // The built client given to the tests by CMake; empty when there is none.
    static std::filesystem::path DefaultExecutable();

    const std::filesystem::path& Root() const { return m_root.Path(); }
    std::filesystem::path AppDirectory() const { return Root() / "app"; }
    std::filesystem::path Executable() const { return AppDirectory() / "orvex-client"; }
    std::filesystem::path ConfigFile() const { return AppDirectory() / "pm_config.ini"; }
    std::filesystem::path HomeDirectory() const { return Root() / "home"; }
    std::string ReadConfig() const;

    // Starts the client on the display. Extra variables override the prepared environment.
    void Start(const DisplaySession& display, const std::vector<std::string>& arguments = {},
               const Environment* overrides = nullptr);
    bool Started() const { return m_process != nullptr; }
    pid_t Pid() const;
    std::optional<ExitStatus> WaitForExit(std::chrono::milliseconds timeout);
    bool Running();
    void Kill();
    // What the client printed so far.
    std::string Output() const;

    const CallLog& ExternalGameClientCalls() const { return m_gameClientCalls; }
    const CallLog& BrowserCalls() const { return m_browserCalls; }

private:
    void InstallStandIns();
    Environment PrepareEnvironment(const DisplaySession& display) const;

    Options m_options;
    TempDirectory m_root;
    CallLog m_gameClientCalls;
    CallLog m_browserCalls;
    std::unique_ptr<ChildProcess> m_process;
};

}  // namespace e2e
