#pragma once

#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "Environment.h"

namespace e2e {

struct ExitStatus {
    bool exited = false;  // false: killed by a signal
    int code = 0;         // exit code when exited
    int signal = 0;       // the signal otherwise

    bool Succeeded() const { return exited && code == 0; }
    std::string Describe() const;
};

struct CommandResult {
    std::optional<ExitStatus> status;  // nullopt: it ran out of time and was killed
    std::string output;                // standard output

    bool Ok() const { return status && status->Succeeded(); }
};

// A child started with posix_spawn, leader of its own process group so that everything
// it starts in turn goes down with it. Arguments go to the program as they are: no shell.
class ChildProcess {
public:
    struct Options {
        std::vector<std::string> argv{};     // argv[0] is looked up in PATH when it has no '/'
        Environment environment = Environment::Current();
        std::filesystem::path workingDirectory{};  // empty: inherit
        std::filesystem::path outputFile{};        // stdout and stderr appended here; empty: /dev/null
        int inheritedFd = -1;                    // one descriptor the child keeps (e.g. Xvfb's -displayfd)
    };

    explicit ChildProcess(Options options);  // throws std::runtime_error when it cannot start
    ~ChildProcess();                         // Terminate()
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    pid_t Pid() const { return m_pid; }
    // The status once the leader has exited; nullopt while it runs.
    std::optional<ExitStatus> Poll();
    std::optional<ExitStatus> Wait(std::chrono::milliseconds timeout);
    bool Running() { return !Poll().has_value(); }
    // SIGTERM to the whole group, SIGKILL after the grace period, then reaps the leader.
    // Stragglers of the group are killed even when the leader is long gone.
    void Terminate(std::chrono::milliseconds grace = std::chrono::seconds(3));

    // Runs a program to its end and collects its standard output (stderr is dropped).
    static CommandResult Run(const std::vector<std::string>& argv, const Environment& environment,
                             std::chrono::milliseconds timeout = std::chrono::seconds(10));

    // The full path of a program found in PATH, empty when there is none.
    static std::filesystem::path FindProgram(const std::string& name);

private:
    ChildProcess() = default;
    // stdoutFd >= 0: standard output goes there and standard error is dropped.
    void Spawn(const Options& options, int stdoutFd);

    pid_t m_pid = -1;
    std::optional<ExitStatus> m_status;
};

// A process as /proc shows it.
struct ProcessEntry {
    pid_t pid = 0;
    pid_t parent = 0;
    std::string name;  // the kernel's short name (comm): at most 15 characters
};

// What /proc tells about processes, for finding what a client started (its restarted
// self, the engine's helper processes). A process that is gone gives empty answers.
std::vector<ProcessEntry> ListProcesses();
// Children, grandchildren and so on, parents before their children.
std::vector<ProcessEntry> Descendants(pid_t root);
std::vector<std::string> ProcessArguments(pid_t pid);  // from /proc/PID/cmdline
std::filesystem::path ProcessExecutable(pid_t pid);    // where /proc/PID/exe points

// For a process the code under test started outside our process groups (in a session of
// its own, so ChildProcess::Terminate misses it): when the guard dies, SIGTERM to the
// process (and its group when it leads one), SIGKILL after the grace period, and reaped
// when it came to this process as an orphan.
class ProcessGuard {
public:
    explicit ProcessGuard(pid_t pid) : m_pid(pid) {}
    ~ProcessGuard() { End(); }
    ProcessGuard(const ProcessGuard&) = delete;
    ProcessGuard& operator=(const ProcessGuard&) = delete;

    pid_t Pid() const { return m_pid; }
    void End(std::chrono::milliseconds grace = std::chrono::seconds(3));

private:
    pid_t m_pid;
};

}  // namespace e2e
