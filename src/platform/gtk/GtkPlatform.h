#pragma once

#include <memory>

#include "../Platform.h"
#include "../posix/PosixFileAccess.h"
#include "../posix/PosixNetworkAdapters.h"
#include "../posix/PosixProcessInfo.h"
#include "../posix/PosixProcessLauncher.h"

namespace platform::gtk {

class GtkUserInterface;
class GtkResources;
class GioShell;
class SoupHttpClient;
class WebSession;
class GtkWebDataStore;

class SystemClock final : public Clock {
public:
    std::chrono::system_clock::time_point Now() override { return std::chrono::system_clock::now(); }
};

// The product's backend: GTK 3, WebKitGTK, libsoup and GIO.
class GtkPlatform final : public Platform {
public:
    GtkPlatform(int& argc, char**& argv);
    ~GtkPlatform() override;

    ProcessInfo& Process() override { return m_process; }
    NetworkAdapters& Network() override { return m_network; }
    FileAccess& Files() override { return m_files; }
    UserInterface& Ui() override;
    Resources& Res() override;
    Shell& ShellOpen() override;
    ProcessLauncher& Launcher() override { return m_launcher; }
    HttpClient& Http() override;
    Clock& Time() override { return m_clock; }
    WebDataStore& WebData() override;

private:
    posix::PosixProcessInfo m_process;
    posix::PosixNetworkAdapters m_network;
    posix::PosixFileAccess m_files;
    posix::PosixProcessLauncher m_launcher;
    SystemClock m_clock;
    std::unique_ptr<GtkResources> m_resources;
    std::unique_ptr<WebSession> m_webSession;
    std::unique_ptr<GtkUserInterface> m_ui;
    std::unique_ptr<GioShell> m_shell;
    std::unique_ptr<SoupHttpClient> m_http;
    std::unique_ptr<GtkWebDataStore> m_webData;
};

}  // namespace platform::gtk
