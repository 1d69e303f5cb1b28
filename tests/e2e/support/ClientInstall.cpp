#include "ClientInstall.h"

#include <sys/stat.h>

#include <fstream>
#include <sstream>
#include <stdexcept>

#include "DisplaySession.h"

namespace e2e {

namespace {

constexpr const char* kBrowserDesktopFile = "varnholt-e2e-browser.desktop";

void CopyExecutable(const std::filesystem::path& from, const std::filesystem::path& to) {
    std::filesystem::create_directories(to.parent_path());
    std::filesystem::copy_file(from, to, std::filesystem::copy_options::overwrite_existing);
    std::filesystem::permissions(to, std::filesystem::perms::owner_all | std::filesystem::perms::group_read |
                                         std::filesystem::perms::group_exec | std::filesystem::perms::others_read |
                                         std::filesystem::perms::others_exec);
}

// Quoting of an Exec= argument per the desktop entry format.
std::string DesktopQuote(const std::string& text) {
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"' || c == '`' || c == '$' || c == '\\') quoted += '\\';
        quoted += c;
    }
    return quoted + "\"";
}

}  // namespace

std::filesystem::path ClientInstall::DefaultExecutable() {
#ifdef ORVEX_CLIENT_EXECUTABLE
    return ORVEX_CLIENT_EXECUTABLE;
#else
    return {};
#endif
}

ClientInstall::ClientInstall(Options options)
    : m_options(std::move(options)),
      m_root("varnholt-client"),
      m_gameClientCalls(m_root.Path() / "app" / "game" / "OrvexClient.calls"),
      m_browserCalls(m_root.Path() / "tools" / "browser.calls") {
    if (m_options.executable.empty()) m_options.executable = DefaultExecutable();
    if (m_options.executable.empty() || !std::filesystem::exists(m_options.executable)) {
        throw std::runtime_error("no client executable to install: '" + m_options.executable.string() + "'");
    }
    CopyExecutable(m_options.executable, Executable());
    std::string config;
    for (const std::string& line : m_options.configLines) {
        if (!config.empty()) config += m_options.lineEnding;
        config += line;
    }
    m_root.WriteFile("app/pm_config.ini", config);
    for (const char* directory : {"home/.local/share", "home/.cache", "home/.config", "work", "runtime"}) {
        m_root.MakeDirectory(directory);
    }
    ::chmod((Root() / "runtime").c_str(), 0700);
    InstallStandIns();
}

ClientInstall::~ClientInstall() { Kill(); }

void ClientInstall::InstallStandIns() {
#ifdef VARNHOLT_E2E_CALL_RECORDER
    const std::filesystem::path recorder = VARNHOLT_E2E_CALL_RECORDER;
    if (m_options.externalGameClient) CopyExecutable(recorder, AppDirectory() / "game" / "OrvexClient");
    const std::filesystem::path browser = Root() / "tools" / "browser";
    CopyExecutable(recorder, browser);
    // The default handler of web addresses, for GIO and anything reading the XDG
    // associations; BROWSER (set in the environment) covers the rest.
    m_root.WriteFile("home/.local/share/applications/" + std::string(kBrowserDesktopFile),
                     "[Desktop Entry]\nType=Application\nName=Varnholt test browser\n"
                     "Exec=" + DesktopQuote(browser.string()) + " %u\n"
                     "MimeType=x-scheme-handler/http;x-scheme-handler/https;text/html;\nNoDisplay=true\n");
    m_root.WriteFile("home/.config/mimeapps.list",
                     "[Default Applications]\n"
                     "x-scheme-handler/http=" + std::string(kBrowserDesktopFile) + "\n"
                     "x-scheme-handler/https=" + std::string(kBrowserDesktopFile) + "\n"
                     "text/html=" + std::string(kBrowserDesktopFile) + "\n");
#else
    if (m_options.externalGameClient) throw std::runtime_error("built without the call recorder");
#endif
}

Environment ClientInstall::PrepareEnvironment(const DisplaySession& display) const {
    Environment environment = display.ClientEnvironment();
    const std::filesystem::path home = HomeDirectory();
    environment.Set("HOME", home.string())
        .Set("XDG_DATA_HOME", (home / ".local/share").string())
        .Set("XDG_CACHE_HOME", (home / ".cache").string())
        .Set("XDG_CONFIG_HOME", (home / ".config").string())
        .Set("XDG_RUNTIME_DIR", (Root() / "runtime").string())
        .Set("BROWSER", (Root() / "tools" / "browser").string())
        .Set("NO_AT_BRIDGE", "1")
        // No session bus: nothing of the developer's desktop may answer for the client.
        .Unset("DBUS_SESSION_BUS_ADDRESS");
    if (!environment.Get("LANG")) environment.Set("LANG", "C.UTF-8");
    return environment;
}

void ClientInstall::Start(const DisplaySession& display, const std::vector<std::string>& arguments,
                          const Environment* overrides) {
    if (m_process) throw std::runtime_error("the client is already started");
    ChildProcess::Options options;
    options.argv = {Executable().string()};
    options.argv.insert(options.argv.end(), arguments.begin(), arguments.end());
    options.environment = PrepareEnvironment(display);
    if (overrides != nullptr) {
        for (const std::string& entry : overrides->Entries()) {
            const size_t eq = entry.find('=');
            options.environment.Set(entry.substr(0, eq), entry.substr(eq + 1));
        }
    }
    options.workingDirectory = Root() / "work";
    options.outputFile = Root() / "client.log";
    m_process = std::make_unique<ChildProcess>(options);
}

pid_t ClientInstall::Pid() const { return m_process ? m_process->Pid() : -1; }

std::optional<ExitStatus> ClientInstall::WaitForExit(std::chrono::milliseconds timeout) {
    if (!m_process) throw std::runtime_error("the client was never started");
    return m_process->Wait(timeout);
}

bool ClientInstall::Running() { return m_process && m_process->Running(); }

void ClientInstall::Kill() {
    if (m_process) m_process->Terminate(std::chrono::seconds(2));
}

std::string ClientInstall::ReadConfig() const {
    std::ifstream in(ConfigFile(), std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string ClientInstall::Output() const {
    std::ifstream in(Root() / "client.log", std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace e2e
