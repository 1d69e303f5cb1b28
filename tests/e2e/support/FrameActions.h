#pragma once
// Pointer and window-manager actions for frame tests: what a person does to a window's
// frame (hover, press and hold, drag, double-click) and what the window manager and the
// tray make of it, read back through xdotool, xprop, xwininfo and screenshots.

#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ChildProcess.h"
#include "DisplaySession.h"
#include "ScreenImage.h"

namespace e2e {

struct ScreenPoint {
    int x = 0;
    int y = 0;
    bool operator==(const ScreenPoint&) const = default;
};

// Polls the condition until it holds or the time is up; true when it held.
bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout,
               std::chrono::milliseconds interval = std::chrono::milliseconds(100));

// A part of the screen as pixels, addressed in screen coordinates.
struct ScreenArea {
    PixelRect area;
    ScreenImage image;
    Rgb Pixel(int x, int y) const { return image.Pixel(x - area.x, y - area.y); }
};

class FrameActions {
public:
    explicit FrameActions(const DisplaySession& display) : m_display(display) {}

    std::optional<ScreenPoint> Pointer() const;
    // Jumps there in one motion. Unlike `xdotool mousemove --sync`, returns at once when the
    // pointer is already there (xdotool then waits ~15 s for a motion that never comes).
    bool MovePointer(ScreenPoint to) const;
    // Moves there from where the pointer is in even steps, as a hand on a mouse does.
    bool GlidePointer(ScreenPoint to, int steps = 8) const;
    bool ButtonDown(int button = 1) const;
    bool ButtonUp(int button = 1) const;
    bool Click(int button = 1) const;  // where the pointer is
    bool DoubleClick(ScreenPoint at) const;
    // Press at `from`, glide by `by` in steps, wait until `arrived` holds (when given),
    // release.
    bool Drag(ScreenPoint from, ScreenPoint by, int steps = 10,
              const std::function<bool()>& arrived = nullptr) const;

    bool IsViewable(WindowId window) const;  // mapped and not hidden by an unmapped parent
    // The atoms of _NET_WM_STATE, e.g. "_NET_WM_STATE_MAXIMIZED_VERT".
    std::vector<std::string> NetWmState(WindowId window) const;
    bool HasNetWmState(WindowId window, const std::string& atom) const;
    // xprop's text for one property of the window.
    std::string Property(WindowId window, const std::string& name) const;
    // The window manager's list of managed windows: what a taskbar shows.
    std::vector<WindowId> ManagedWindows() const;
    std::vector<WindowId> WindowsOfClass(const std::string& windowClass, bool onlyVisible = true) const;

    // A screenshot of just this part of the screen (faster than the whole of it).
    std::optional<ScreenArea> Capture(const PixelRect& area, const std::filesystem::path& file) const;

private:
    CommandResult Tool(const std::vector<std::string>& argv,
                       std::chrono::milliseconds timeout = std::chrono::seconds(10)) const;

    const DisplaySession& m_display;
};

// A caption button's artwork: a horizontal strip of equal frames (normal, hover, pressed).
class ButtonStrip {
public:
    // Reads res/images/<id>.png of the source tree.
    static ButtonStrip Load(int imageId, int frames = 3);

    int Frames() const { return m_frames; }
    int FrameWidth() const { return m_image.Width() / m_frames; }
    int Height() const { return m_image.Height(); }
    // Mean difference per channel between the button drawn at `button` on the screen and
    // each frame scaled to the button's size; pixels inside `skip` (button coordinates,
    // e.g. where a label is drawn over the face) do not count.
    std::vector<double> Distances(const ScreenArea& screen, const PixelRect& button,
                                  const std::optional<PixelRect>& skip = std::nullopt) const;

private:
    ScreenImage m_image;
    int m_frames = 3;
};

// The frame whose distance is smallest.
int ClosestFrame(const std::vector<double>& distances);
std::string DescribeDistances(const std::vector<double>& distances);

// The source tree's res/images.
std::filesystem::path ImagesDirectory();

// An XEmbed system tray (trayer) on the display, so that a tray icon without a
// StatusNotifier host has somewhere to live: a 100x24 panel at the bottom left, below
// every other window and reserving no space, so maximised windows get the whole screen.
class TrayHost {
public:
    explicit TrayHost(const DisplaySession& display);
    ~TrayHost();
    TrayHost(const TrayHost&) = delete;
    TrayHost& operator=(const TrayHost&) = delete;

    // The panel's window once it is on screen.
    std::optional<WindowId> WaitUntilShown(std::chrono::milliseconds timeout = std::chrono::seconds(10)) const;
    std::string Log() const;

private:
    const DisplaySession& m_display;
    std::filesystem::path m_log;
    std::unique_ptr<ChildProcess> m_process;
};

}  // namespace e2e
