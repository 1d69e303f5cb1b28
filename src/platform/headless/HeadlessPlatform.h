#pragma once

#include <chrono>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "../Image.h"
#include "../Platform.h"
#include "../posix/PosixFileAccess.h"
#include "HeadlessUserInterface.h"

namespace platform::headless {

struct SpawnRecord {
    std::string path;
    std::vector<std::string> argv;
};

struct FetchRecord {
    std::string address;
    std::string userAgent;
    std::chrono::milliseconds timeout{0};
    std::function<void()> onFinished;
};

// Every service in memory; files are real (tests point the executable into a temporary
// directory). A test sets what the system would answer and reads what the core asked.
class HeadlessPlatform final : public Platform, ProcessInfo, NetworkAdapters, Resources, Shell,
                                      ProcessLauncher, HttpClient, Clock, WebDataStore {
public:
    HeadlessPlatform();
    ~HeadlessPlatform() override;

    ProcessInfo& Process() override { return *this; }
    NetworkAdapters& Network() override { return *this; }
    FileAccess& Files() override { return m_files; }
    UserInterface& Ui() override { return m_ui; }
    Resources& Res() override { return *this; }
    Shell& ShellOpen() override { return *this; }
    ProcessLauncher& Launcher() override { return *this; }
    HttpClient& Http() override { return *this; }
    Clock& Time() override { return *this; }
    WebDataStore& WebData() override { return *this; }

    HeadlessUserInterface& HeadlessUi() { return m_ui; }

    // ProcessInfo
    std::string ExecutablePath() override { return executablePath; }
    std::string ExecutableImagePath() override { return executableImagePath; }
    std::vector<std::string> CommandLineArguments() override { return arguments; }
    // NetworkAdapters
    std::optional<std::vector<NetworkAdapter>> ListAdapters() override { ++adapterQueries; return adapters; }
    // Resources: pictures are registered ready-made; "bytes" name them.
    std::optional<std::vector<std::uint8_t>> Find(int id, ResourceKind kind) override;
    std::unique_ptr<Image> Decode(const std::vector<std::uint8_t>& bytes) override;
    // Shell
    void Open(const std::string& address) override { openedAddresses.push_back(address); }
    // ProcessLauncher
    bool Spawn(const std::string& path, const std::vector<std::string>& argv) override;
    // HttpClient
    void FetchAsync(const std::string& address, const std::string& userAgent, std::chrono::milliseconds timeout,
                    std::function<void()> onFinished) override;
    // WebDataStore: the removal finishes at once unless a test holds it.
    void ClearAllExceptCookies(std::function<void()> onDone) override;
    // Clock
    std::chrono::system_clock::time_point Now() override { return now; }

    void AddResource(int id, ResourceKind kind, Image image);
    // Finishes every request still in flight, as answered or failed.
    void FinishFetches();

    std::string executablePath = "/opt/varnholt/orvex-client";
    std::string executableImagePath = "/opt/varnholt/orvex-client";
    std::vector<std::string> arguments;
    std::optional<std::vector<NetworkAdapter>> adapters = std::vector<NetworkAdapter>{};
    int adapterQueries = 0;
    std::vector<std::string> openedAddresses;
    std::vector<SpawnRecord> spawns;
    bool spawnSucceeds = true;
    std::function<void(const SpawnRecord&)> onSpawn;
    std::vector<FetchRecord> fetches;
    std::chrono::system_clock::time_point now{};
    int webDataClears = 0;
    bool holdWebDataClears = false;
    std::vector<std::function<void()>> heldWebDataClears;

private:
    posix::PosixFileAccess m_files;
    HeadlessUserInterface m_ui;
    std::map<std::pair<int, ResourceKind>, int> m_resourceIndex;
    std::vector<Image> m_images;
};

}  // namespace platform::headless
