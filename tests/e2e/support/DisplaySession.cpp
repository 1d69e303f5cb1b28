#include "DisplaySession.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

namespace e2e {

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

}  // namespace

std::vector<WindowId> ParseIds(const std::string& output) {
    std::vector<WindowId> ids;
    std::istringstream lines(output);
    std::string line;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.find_first_not_of("0123456789") == std::string::npos) ids.push_back(std::stoul(line));
    }
    return ids;
}

std::optional<int> ShellValue(const std::string& output, const std::string& key) {
    std::istringstream lines(output);
    std::string line;
    while (std::getline(lines, line)) {
        if (line.rfind(key + "=", 0) == 0) {
            try {
                return std::stoi(line.substr(key.size() + 1));
            } catch (...) {
                return std::nullopt;
            }
        }
    }
    return std::nullopt;
}

DisplaySession::DisplaySession() : DisplaySession(Options{}) {}

DisplaySession::DisplaySession(Options options) : m_options(options), m_scratch("varnholt-display") {
    StartServer();
    StartWindowManager();
    if (m_options.compositor) {
        ChildProcess::Options compositor;
        compositor.argv = {"xcompmgr"};
        compositor.environment = ClientEnvironment();
        compositor.outputFile = m_scratch.Path() / "xcompmgr.log";
        m_compositor = std::make_unique<ChildProcess>(compositor);
    }
}

DisplaySession::~DisplaySession() {
    // Clients first, the server last.
    m_compositor.reset();
    m_windowManager.reset();
    m_server.reset();
}

void DisplaySession::StartServer() {
    // Xvfb picks a free display itself and writes its number to this pipe once it
    // accepts connections.
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0) throw std::runtime_error("pipe2 failed");
    const std::string screen =
        std::to_string(m_options.width) + "x" + std::to_string(m_options.height) + "x24";
    ChildProcess::Options server;
    server.argv = {"Xvfb", "-displayfd", std::to_string(fds[1]), "-screen", "0", screen, "-nolisten", "tcp"};
    server.outputFile = m_scratch.Path() / "xvfb.log";
    server.inheritedFd = fds[1];
    try {
        m_server = std::make_unique<ChildProcess>(server);
    } catch (...) {
        ::close(fds[0]);
        ::close(fds[1]);
        throw;
    }
    ::close(fds[1]);

    std::string number;
    const auto deadline = Clock::now() + m_options.startTimeout;
    while (number.find('\n') == std::string::npos && Clock::now() < deadline) {
        pollfd waitFor{fds[0], POLLIN, 0};
        if (::poll(&waitFor, 1, 100) <= 0) continue;
        char buffer[32];
        const ssize_t n = ::read(fds[0], buffer, sizeof(buffer));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;  // Xvfb died
        number.append(buffer, static_cast<size_t>(n));
    }
    ::close(fds[0]);
    if (number.find('\n') == std::string::npos) {
        throw std::runtime_error("Xvfb did not start; its output:\n" + ReadLog("xvfb.log"));
    }
    m_display = ":" + number.substr(0, number.find('\n'));

    // Ready by its own word; still, clients have been seen to fail right after it, so
    // wait until one can actually connect.
    while (Clock::now() < deadline) {
        if (Tool({"xprop", "-root", "-len", "1", "WM_NAME"}, 2s).Ok()) return;
        if (!m_server->Running()) break;
        std::this_thread::sleep_for(50ms);
    }
    throw std::runtime_error("no connection to Xvfb on " + m_display + "; its output:\n" + ReadLog("xvfb.log"));
}

void DisplaySession::StartWindowManager() {
    ChildProcess::Options manager;
    manager.argv = {"openbox", "--sm-disable"};
    // Its own configuration home: the stock rc.xml (alt+F4 closes), never a developer's.
    manager.environment = ClientEnvironment()
                              .Set("XDG_CONFIG_HOME", m_scratch.MakeDirectory("config").string())
                              .Set("HOME", m_scratch.Path().string());
    // A UTF-8 locale, or it draws Chinese window titles as boxes.
    if (!manager.environment.Get("LANG")) manager.environment.Set("LANG", "C.UTF-8");
    manager.outputFile = m_scratch.Path() / "openbox.log";

    // Managing once it has announced itself on the root window. A window manager that
    // gave up at once gets another chance or two.
    const auto deadline = Clock::now() + m_options.startTimeout;
    for (int attempt = 0; attempt < 3 && Clock::now() < deadline; ++attempt) {
        m_windowManager = std::make_unique<ChildProcess>(manager);
        while (Clock::now() < deadline) {
            const CommandResult check = Tool({"xprop", "-root", "_NET_SUPPORTING_WM_CHECK"});
            if (check.Ok() && check.output.find("window id #") != std::string::npos) return;
            if (!m_windowManager->Running()) break;
            std::this_thread::sleep_for(100ms);
        }
        std::this_thread::sleep_for(200ms);
    }
    throw std::runtime_error("openbox did not start managing " + m_display + "; its output:\n" +
                             ReadLog("openbox.log") + "\nXvfb " + (m_server->Running() ? "runs" : "has exited") +
                             "; its output:\n" + ReadLog("xvfb.log"));
}

Environment DisplaySession::ClientEnvironment() const {
    Environment environment = Environment::Current();
    environment.Set("DISPLAY", m_display).Unset("WAYLAND_DISPLAY").Unset("XAUTHORITY").Set("GDK_BACKEND", "x11");
    return environment;
}

CommandResult DisplaySession::Tool(const std::vector<std::string>& argv, std::chrono::milliseconds timeout) const {
    // A UTF-8 locale so window names come back as UTF-8 text.
    return ChildProcess::Run(argv, ClientEnvironment().Set("LC_ALL", "C.UTF-8"), timeout);
}

std::string DisplaySession::ReadLog(const std::string& name) const {
    std::ifstream in(m_scratch.Path() / name);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<WindowId> DisplaySession::Windows(const std::string& namePattern, bool onlyVisible) const {
    std::vector<std::string> argv = {"xdotool", "search"};
    if (onlyVisible) argv.push_back("--onlyvisible");
    argv.insert(argv.end(), {"--name", namePattern});
    return ParseIds(Tool(argv).output);
}

std::optional<WindowId> DisplaySession::WaitForWindow(const std::string& namePattern,
                                                      std::chrono::milliseconds timeout) const {
    const auto deadline = Clock::now() + timeout;
    for (;;) {
        const auto found = Windows(namePattern);
        if (!found.empty()) return found.front();
        if (Clock::now() >= deadline) return std::nullopt;
        std::this_thread::sleep_for(100ms);
    }
}

bool DisplaySession::WaitForWindowGone(WindowId window, std::chrono::milliseconds timeout) const {
    const auto deadline = Clock::now() + timeout;
    for (;;) {
        const CommandResult state = Tool({"xwininfo", "-id", std::to_string(window)});
        if (!state.Ok() || state.output.find("Map State: IsViewable") == std::string::npos) return true;
        if (Clock::now() >= deadline) return false;
        std::this_thread::sleep_for(100ms);
    }
}

std::optional<WindowGeometry> DisplaySession::Geometry(WindowId window) const {
    const CommandResult result = Tool({"xdotool", "getwindowgeometry", "--shell", std::to_string(window)});
    if (!result.Ok()) return std::nullopt;
    const auto x = ShellValue(result.output, "X");
    const auto y = ShellValue(result.output, "Y");
    const auto width = ShellValue(result.output, "WIDTH");
    const auto height = ShellValue(result.output, "HEIGHT");
    if (!x || !y || !width || !height) return std::nullopt;
    return WindowGeometry{*x, *y, *width, *height};
}

std::string DisplaySession::WindowName(WindowId window) const {
    std::string name = Tool({"xdotool", "getwindowname", std::to_string(window)}).output;
    if (!name.empty() && name.back() == '\n') name.pop_back();
    return name;
}

std::optional<int> DisplaySession::WindowPid(WindowId window) const {
    const CommandResult result = Tool({"xdotool", "getwindowpid", std::to_string(window)});
    if (!result.Ok()) return std::nullopt;
    try {
        return std::stoi(result.output);
    } catch (...) {
        return std::nullopt;
    }
}

bool DisplaySession::IsDecorated(WindowId window) const {
    const CommandResult result = Tool({"xprop", "-id", std::to_string(window), "_NET_FRAME_EXTENTS"});
    const size_t eq = result.output.find(" = ");
    if (!result.Ok() || eq == std::string::npos) return false;
    return result.output.find_first_not_of("0, \n", eq + 3) != std::string::npos;
}

bool DisplaySession::Activate(WindowId window) const {
    return Tool({"xdotool", "windowactivate", "--sync", std::to_string(window)}).Ok();
}

bool DisplaySession::MoveMouse(int x, int y) const {
    // "mousemove --sync" waits for the pointer to move, which it never does when it is
    // already there: a second click at the same place would time out.
    const CommandResult location = Tool({"xdotool", "getmouselocation", "--shell"});
    if (location.Ok() && ShellValue(location.output, "X") == x && ShellValue(location.output, "Y") == y) return true;
    return Tool({"xdotool", "mousemove", "--sync", std::to_string(x), std::to_string(y)}).Ok();
}

bool DisplaySession::ClickAt(int x, int y, int button) const {
    return MoveMouse(x, y) && Tool({"xdotool", "click", std::to_string(button)}).Ok();
}

bool DisplaySession::Key(const std::string& keys) const {
    return Tool({"xdotool", "key", "--clearmodifiers", keys}).Ok();
}

bool DisplaySession::Type(const std::string& text) const {
    return Tool({"xdotool", "type", "--clearmodifiers", "--delay", "30", text}, std::chrono::seconds(30)).Ok();
}

bool DisplaySession::CloseWithWindowManager(WindowId window) const {
    // Through the keyboard: openbox grabs alt+F4 on the root window, so the keys must be
    // real (XTEST) presses with the window focused, not events sent to the window.
    return Activate(window) && Tool({"xdotool", "key", "--clearmodifiers", "alt+F4"}).Ok();
}

bool DisplaySession::Screenshot(const std::filesystem::path& file) const {
    if (file.has_parent_path()) std::filesystem::create_directories(file.parent_path());
    return Tool({kImport, "-window", "root", file.string()}, std::chrono::seconds(30)).Ok();
}

bool DisplaySession::ScreenshotWindow(WindowId window, const std::filesystem::path& file) const {
    if (file.has_parent_path()) std::filesystem::create_directories(file.parent_path());
    return Tool({kImport, "-window", std::to_string(window), file.string()}, std::chrono::seconds(30)).Ok();
}

}  // namespace e2e

namespace e2e {

std::optional<ScreenImage> DisplaySession::WaitForPixel(int x, int y, const std::function<bool(const Rgb&)>& check,
                                                        const std::filesystem::path& file,
                                                        std::chrono::milliseconds timeout) const {
    const auto deadline = Clock::now() + timeout;
    std::optional<ScreenImage> image;
    do {
        if (Screenshot(file)) {
            image = ScreenImage::Load(file);
            if (x >= 0 && y >= 0 && x < image->Width() && y < image->Height() && check(image->Pixel(x, y))) break;
        }
        std::this_thread::sleep_for(250ms);
    } while (Clock::now() < deadline);
    return image;
}

}  // namespace e2e
