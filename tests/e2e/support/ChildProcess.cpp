#include "ChildProcess.h"

#include <fcntl.h>
#include <sys/prctl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <mutex>
#include <stdexcept>
#include <thread>
#include <utility>

namespace e2e {

namespace {

using Clock = std::chrono::steady_clock;

std::vector<char*> CStrings(const std::vector<std::string>& strings) {
    std::vector<char*> pointers;
    pointers.reserve(strings.size() + 1);
    for (const std::string& s : strings) pointers.push_back(const_cast<char*>(s.c_str()));
    pointers.push_back(nullptr);
    return pointers;
}

ExitStatus Decode(int raw) {
    ExitStatus status;
    status.exited = WIFEXITED(raw);
    status.code = status.exited ? WEXITSTATUS(raw) : 0;
    status.signal = WIFSIGNALED(raw) ? WTERMSIG(raw) : 0;
    return status;
}

}  // namespace

std::string ExitStatus::Describe() const {
    if (exited) return "exit code " + std::to_string(code);
    return std::string("signal ") + std::to_string(signal) + " (" + ::strsignal(signal) + ")";
}

std::filesystem::path ChildProcess::FindProgram(const std::string& name) {
    if (name.find('/') != std::string::npos) return name;
    const char* path = std::getenv("PATH");
    std::string directories = path != nullptr ? path : "/usr/local/bin:/usr/bin:/bin";
    size_t start = 0;
    while (start <= directories.size()) {
        const size_t end = std::min(directories.find(':', start), directories.size());
        const std::filesystem::path candidate = std::filesystem::path(directories.substr(start, end - start)) / name;
        if (end > start && ::access(candidate.c_str(), X_OK) == 0) return candidate;
        start = end + 1;
    }
    return {};
}

ChildProcess::ChildProcess(Options options) { Spawn(options, -1); }

ChildProcess::~ChildProcess() { Terminate(); }

void ChildProcess::Spawn(const Options& options, int stdoutFd) {
    if (options.argv.empty()) throw std::runtime_error("no program given");
    // Orphans of our children (a client's helpers, whatever it started on its own) come
    // to this process instead of init, so Terminate can reap them rather than leave
    // zombies that still count as members of the group.
    static std::once_flag adoptOrphans;
    std::call_once(adoptOrphans, [] { ::prctl(PR_SET_CHILD_SUBREAPER, 1, 0, 0, 0); });
    const std::filesystem::path program = FindProgram(options.argv.front());
    if (program.empty()) throw std::runtime_error("program not found in PATH: " + options.argv.front());

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);

    const std::string output = options.outputFile.empty() ? "/dev/null" : options.outputFile.string();
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    if (stdoutFd >= 0) {
        posix_spawn_file_actions_adddup2(&actions, stdoutFd, STDOUT_FILENO);
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    } else {
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, output.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
        posix_spawn_file_actions_adddup2(&actions, STDOUT_FILENO, STDERR_FILENO);
    }
    // dup2 onto itself clears close-on-exec: the one descriptor the child may keep.
    if (options.inheritedFd >= 0) posix_spawn_file_actions_adddup2(&actions, options.inheritedFd, options.inheritedFd);
    if (!options.workingDirectory.empty()) {
        posix_spawn_file_actions_addchdir_np(&actions, options.workingDirectory.c_str());
    }

    // Own process group; default signal dispositions and an empty mask, whatever the
    // test runner has set up.
    sigset_t noSignals;
    sigemptyset(&noSignals);
    sigset_t allSignals;
    sigfillset(&allSignals);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    posix_spawnattr_setpgroup(&attributes, 0);
    posix_spawnattr_setsigmask(&attributes, &noSignals);
    posix_spawnattr_setsigdefault(&attributes, &allSignals);

    std::vector<std::string> argv = options.argv;
    const std::vector<std::string> environment = options.environment.Entries();
    const auto argvPointers = CStrings(argv);
    const auto environmentPointers = CStrings(environment);
    const int error =
        ::posix_spawn(&m_pid, program.c_str(), &actions, &attributes, argvPointers.data(), environmentPointers.data());
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    if (error != 0) {
        m_pid = -1;
        throw std::runtime_error("cannot start " + program.string() + ": " + std::strerror(error));
    }
}

std::optional<ExitStatus> ChildProcess::Poll() {
    if (m_status || m_pid <= 0) return m_status;
    int raw = 0;
    const pid_t done = ::waitpid(m_pid, &raw, WNOHANG);
    if (done == m_pid) m_status = Decode(raw);
    return m_status;
}

std::optional<ExitStatus> ChildProcess::Wait(std::chrono::milliseconds timeout) {
    const auto deadline = Clock::now() + timeout;
    for (;;) {
        if (auto status = Poll()) return status;
        if (Clock::now() >= deadline) return std::nullopt;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

void ChildProcess::Terminate(std::chrono::milliseconds grace) {
    if (m_pid <= 0) return;
    if (!Poll()) {
        ::kill(-m_pid, SIGTERM);
        if (!Wait(grace)) {
            ::kill(-m_pid, SIGKILL);
            Wait(std::chrono::seconds(5));
        }
    }
    // Helpers the leader left behind in its group; reap those that came to us.
    ::kill(-m_pid, SIGKILL);
    const auto deadline = Clock::now() + std::chrono::seconds(2);
    while (Clock::now() < deadline) {
        int ignored = 0;
        const pid_t reaped = ::waitpid(-m_pid, &ignored, WNOHANG);
        if (reaped < 0) break;  // none of the group is our child any more
        if (reaped == 0) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

CommandResult ChildProcess::Run(const std::vector<std::string>& argv, const Environment& environment,
                                std::chrono::milliseconds timeout) {
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0) throw std::runtime_error("pipe2 failed");
    const int readEnd = fds[0];
    ChildProcess child;
    try {
        Options options;
        options.argv = argv;
        options.environment = environment;
        child.Spawn(options, fds[1]);
    } catch (...) {
        ::close(fds[0]);
        ::close(fds[1]);
        throw;
    }
    ::close(fds[1]);

    CommandResult result;
    const auto deadline = Clock::now() + timeout;
    char buffer[4096];
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0) break;
        pollfd waitFor{readEnd, POLLIN, 0};
        const int ready = ::poll(&waitFor, 1, static_cast<int>(left.count()));
        if (ready < 0 && errno == EINTR) continue;
        if (ready <= 0) continue;
        const ssize_t n = ::read(readEnd, buffer, sizeof(buffer));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        result.output.append(buffer, static_cast<size_t>(n));
    }
    ::close(readEnd);
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    result.status = child.Wait(std::max(left, std::chrono::milliseconds(0)));
    if (!result.status) child.Terminate(std::chrono::milliseconds(200));
    return result;
}

std::vector<ProcessEntry> ListProcesses() {
    std::vector<ProcessEntry> processes;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator("/proc", error)) {
        const std::string name = entry.path().filename().string();
        if (name.empty() || name.find_first_not_of("0123456789") != std::string::npos) continue;
        std::ifstream in(entry.path() / "stat");
        const std::string stat((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        // "PID (COMM) STATE PPID ...": the name may hold anything, even ") ", so it ends
        // at the last parenthesis.
        const size_t open = stat.find('(');
        const size_t close = stat.rfind(')');
        if (open == std::string::npos || close == std::string::npos || close < open) continue;
        ProcessEntry process;
        process.pid = static_cast<pid_t>(std::stol(name));
        process.name = stat.substr(open + 1, close - open - 1);
        char state = 0;
        int parent = 0;
        if (std::sscanf(stat.c_str() + close + 1, " %c %d", &state, &parent) != 2) continue;
        process.parent = static_cast<pid_t>(parent);
        processes.push_back(std::move(process));
    }
    return processes;
}

std::vector<ProcessEntry> Descendants(pid_t root) {
    const std::vector<ProcessEntry> all = ListProcesses();
    std::vector<ProcessEntry> found;
    std::vector<pid_t> parents{root};
    for (size_t next = 0; next < parents.size(); ++next) {
        for (const ProcessEntry& process : all) {
            if (process.parent == parents[next] && process.pid != root) {
                found.push_back(process);
                parents.push_back(process.pid);
            }
        }
    }
    return found;
}

std::vector<std::string> ProcessArguments(pid_t pid) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/cmdline", std::ios::binary);
    const std::string raw((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<std::string> arguments;
    size_t start = 0;
    while (start < raw.size()) {
        const size_t end = std::min(raw.find('\0', start), raw.size());
        arguments.push_back(raw.substr(start, end - start));
        start = end + 1;
    }
    return arguments;
}

std::filesystem::path ProcessExecutable(pid_t pid) {
    std::error_code error;
    const auto target = std::filesystem::read_symlink("/proc/" + std::to_string(pid) + "/exe", error);
    return error ? std::filesystem::path() : target;
}

void ProcessGuard::End(std::chrono::milliseconds grace) {
    if (m_pid <= 0) return;
    const pid_t pid = std::exchange(m_pid, -1);
    const bool leader = ::getpgid(pid) == pid;
    const auto signal = [&](int number) {
        if (leader) ::kill(-pid, number);
        ::kill(pid, number);
    };
    // Gone once it is neither running nor a zombie of ours.
    const auto gone = [&] {
        int ignored = 0;
        const pid_t reaped = ::waitpid(pid, &ignored, WNOHANG);
        return reaped == pid || (reaped < 0 && ::kill(pid, 0) != 0);
    };
    signal(SIGTERM);
    auto deadline = Clock::now() + grace;
    while (!gone() && Clock::now() < deadline) std::this_thread::sleep_for(std::chrono::milliseconds(20));
    signal(SIGKILL);
    deadline = Clock::now() + std::chrono::seconds(5);
    while (!gone() && Clock::now() < deadline) std::this_thread::sleep_for(std::chrono::milliseconds(20));
}

}  // namespace e2e
