#pragma once

#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ChildProcess.h"
#include "Environment.h"
#include "ScreenImage.h"
#include "TempDirectory.h"

namespace e2e {

using WindowId = unsigned long;

struct WindowGeometry {
    int x = 0;  // of the window's own area (inside any frame), on the root window
    int y = 0;
    int width = 0;
    int height = 0;
};

// A private X display for one test: Xvfb on a free display number, openbox managing it,
// optionally xcompmgr. Everything started here stops with the object. The X helpers drive
// the display the way a person would, through xdotool, xprop and ImageMagick's import.
class DisplaySession {
public:
    struct Options {
        int width = 1920;
        int height = 1080;
        bool compositor = false;  // run xcompmgr too
        std::chrono::milliseconds startTimeout = std::chrono::seconds(30);
    };

    DisplaySession();
    explicit DisplaySession(Options options);
    ~DisplaySession();
    DisplaySession(const DisplaySession&) = delete;
    DisplaySession& operator=(const DisplaySession&) = delete;

    const std::string& Display() const { return m_display; }  // ":N"
    int Width() const { return m_options.width; }
    int Height() const { return m_options.height; }
    // This process's environment, pointed at this display and nowhere else.
    Environment ClientEnvironment() const;
    // Where the X server's and window manager's output went.
    const std::filesystem::path& LogDirectory() const { return m_scratch.Path(); }

    // Windows whose name matches the (extended) regular expression, mapped ones only
    // unless asked otherwise; no waiting.
    std::vector<WindowId> Windows(const std::string& namePattern, bool onlyVisible = true) const;
    // The first matching window, polling until the timeout.
    std::optional<WindowId> WaitForWindow(const std::string& namePattern,
                                          std::chrono::milliseconds timeout = std::chrono::seconds(30)) const;
    // True once the window is no longer mapped (or gone).
    bool WaitForWindowGone(WindowId window, std::chrono::milliseconds timeout = std::chrono::seconds(10)) const;
    std::optional<WindowGeometry> Geometry(WindowId window) const;
    std::string WindowName(WindowId window) const;
    std::optional<int> WindowPid(WindowId window) const;  // from _NET_WM_PID
    bool IsDecorated(WindowId window) const;              // per _NET_FRAME_EXTENTS

    bool Activate(WindowId window) const;
    bool MoveMouse(int x, int y) const;
    bool ClickAt(int x, int y, int button = 1) const;
    // Key names as xdotool takes them, e.g. "Return", "ctrl+a", "alt+F4".
    bool Key(const std::string& keys) const;
    bool Type(const std::string& text) const;
    // Asks the window manager to close the window, as alt+F4 on the focused window does.
    bool CloseWithWindowManager(WindowId window) const;

    bool Screenshot(const std::filesystem::path& file) const;
    bool ScreenshotWindow(WindowId window, const std::filesystem::path& file) const;
    // Takes screenshots into `file` until the pixel at (x, y) passes the check, since
    // pages paint a while after they load. Returns the last screenshot taken.
    std::optional<ScreenImage> WaitForPixel(int x, int y, const std::function<bool(const Rgb&)>& check,
                                            const std::filesystem::path& file,
                                            std::chrono::milliseconds timeout = std::chrono::seconds(30)) const;

private:
    void StartServer();
    void StartWindowManager();
    CommandResult Tool(const std::vector<std::string>& argv,
                       std::chrono::milliseconds timeout = std::chrono::seconds(10)) const;
    std::string ReadLog(const std::string& name) const;

    Options m_options;
    TempDirectory m_scratch;
    std::string m_display;
    std::unique_ptr<ChildProcess> m_server;
    std::unique_ptr<ChildProcess> m_windowManager;
    std::unique_ptr<ChildProcess> m_compositor;
};

// ImageMagick's screenshot tool.
inline constexpr const char* kImport = "/usr/bin/import";

// The decimal window ids, one a line, that xdotool search prints.
std::vector<WindowId> ParseIds(const std::string& output);

// The value of KEY in the KEY=value lines that xdotool's --shell output has.
std::optional<int> ShellValue(const std::string& output, const std::string& key);

}  // namespace e2e
