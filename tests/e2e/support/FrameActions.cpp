#include "FrameActions.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iomanip>
#include <sstream>
#include <stdexcept>
#include <thread>

#include "Artifacts.h"

namespace e2e {

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;


// The comma-separated values after " = " (xprop's "NAME(TYPE) = a, b") or after "# "
// (its "window id # 0x1, 0x2"); nothing when the property is not set.
std::vector<std::string> PropertyValues(const std::string& output, const std::string& marker) {
    std::vector<std::string> values;
    const size_t at = output.find(marker);
    if (at == std::string::npos) return values;
    std::istringstream rest(output.substr(at + marker.size()));
    std::string value;
    while (std::getline(rest, value, ',')) {
        const size_t first = value.find_first_not_of(" \n");
        const size_t last = value.find_last_not_of(" \n");
        if (first != std::string::npos) values.push_back(value.substr(first, last - first + 1));
    }
    return values;
}

Environment ToolEnvironment(const DisplaySession& display) {
    // A UTF-8 locale so that names come back as UTF-8 text.
    return display.ClientEnvironment().Set("LC_ALL", "C.UTF-8");
}

}  // namespace

bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout,
               std::chrono::milliseconds interval) {
    const auto deadline = Clock::now() + timeout;
    for (;;) {
        if (condition()) return true;
        if (Clock::now() >= deadline) return false;
        std::this_thread::sleep_for(interval);
    }
}

CommandResult FrameActions::Tool(const std::vector<std::string>& argv, std::chrono::milliseconds timeout) const {
    return ChildProcess::Run(argv, ToolEnvironment(m_display), timeout);
}

std::optional<ScreenPoint> FrameActions::Pointer() const {
    const CommandResult result = Tool({"xdotool", "getmouselocation", "--shell"});
    const auto x = ShellValue(result.output, "X");
    const auto y = ShellValue(result.output, "Y");
    if (!result.Ok() || !x || !y) return std::nullopt;
    return ScreenPoint{*x, *y};
}

bool FrameActions::MovePointer(ScreenPoint to) const {
    if (Pointer() == to) return true;
    return Tool({"xdotool", "mousemove", "--sync", std::to_string(to.x), std::to_string(to.y)}).Ok();
}

bool FrameActions::GlidePointer(ScreenPoint to, int steps) const {
    const auto from = Pointer();
    if (!from) return false;
    steps = std::max(1, steps);
    for (int i = 1; i <= steps; ++i) {
        const ScreenPoint step{from->x + (to.x - from->x) * i / steps, from->y + (to.y - from->y) * i / steps};
        if (!MovePointer(step)) return false;
        // Room for the client to see each motion on its own.
        std::this_thread::sleep_for(15ms);
    }
    return true;
}

bool FrameActions::ButtonDown(int button) const { return Tool({"xdotool", "mousedown", std::to_string(button)}).Ok(); }

bool FrameActions::ButtonUp(int button) const { return Tool({"xdotool", "mouseup", std::to_string(button)}).Ok(); }

bool FrameActions::Click(int button) const { return Tool({"xdotool", "click", std::to_string(button)}).Ok(); }

bool FrameActions::DoubleClick(ScreenPoint at) const {
    // Well inside the toolkit's double-click time (400 ms by default).
    return MovePointer(at) && Tool({"xdotool", "click", "--repeat", "2", "--delay", "80", "1"}).Ok();
}

bool FrameActions::Drag(ScreenPoint from, ScreenPoint by, int steps, const std::function<bool()>& arrived) const {
    if (!GlidePointer(from, 4) || !ButtonDown(1)) return false;
    const bool glided = GlidePointer({from.x + by.x, from.y + by.y}, steps);
    // The window manager takes the drag over asynchronously: releasing before it has
    // followed the pointer would end the drag early, or leave it waiting for a release.
    const bool followed = !arrived || WaitUntil(arrived, 5s);
    const bool released = ButtonUp(1);
    return glided && followed && released;
}

bool FrameActions::IsViewable(WindowId window) const {
    const CommandResult result = Tool({"xwininfo", "-id", std::to_string(window)});
    return result.Ok() && result.output.find("Map State: IsViewable") != std::string::npos;
}

std::vector<std::string> FrameActions::NetWmState(WindowId window) const {
    return PropertyValues(Tool({"xprop", "-id", std::to_string(window), "_NET_WM_STATE"}).output, " = ");
}

bool FrameActions::HasNetWmState(WindowId window, const std::string& atom) const {
    const auto atoms = NetWmState(window);
    return std::find(atoms.begin(), atoms.end(), atom) != atoms.end();
}

std::string FrameActions::Property(WindowId window, const std::string& name) const {
    return Tool({"xprop", "-id", std::to_string(window), name}).output;
}

std::vector<WindowId> FrameActions::ManagedWindows() const {
    std::vector<WindowId> windows;
    for (const std::string& hex : PropertyValues(Tool({"xprop", "-root", "_NET_CLIENT_LIST"}).output, "# ")) {
        try {
            windows.push_back(std::stoul(hex, nullptr, 16));
        } catch (...) {
        }
    }
    return windows;
}

std::vector<WindowId> FrameActions::WindowsOfClass(const std::string& windowClass, bool onlyVisible) const {
    std::vector<std::string> argv = {"xdotool", "search"};
    if (onlyVisible) argv.push_back("--onlyvisible");
    argv.insert(argv.end(), {"--class", windowClass});
    return ParseIds(Tool(argv).output);
}

std::optional<ScreenArea> FrameActions::Capture(const PixelRect& area, const std::filesystem::path& file) const {
    if (file.has_parent_path()) std::filesystem::create_directories(file.parent_path());
    const std::string geometry = std::to_string(area.width) + "x" + std::to_string(area.height) + "+" +
                                 std::to_string(area.x) + "+" + std::to_string(area.y);
    if (!Tool({kImport, "-window", "root", "-crop", geometry, "+repage", file.string()}, 30s).Ok()) {
        return std::nullopt;
    }
    ScreenArea captured{area, ScreenImage::Load(file)};
    if (captured.image.Width() != area.width || captured.image.Height() != area.height) return std::nullopt;
    return captured;
}

std::filesystem::path ImagesDirectory() { return DemoPortalRoot().parent_path().parent_path() / "images"; }

ButtonStrip ButtonStrip::Load(int imageId, int frames) {
    ButtonStrip strip;
    strip.m_image = ScreenImage::Load(ImagesDirectory() / (std::to_string(imageId) + ".png"));
    strip.m_frames = frames;
    if (frames <= 0 || strip.m_image.Width() < frames) throw std::runtime_error("not a strip of frames");
    return strip;
}

std::vector<double> ButtonStrip::Distances(const ScreenArea& screen, const PixelRect& button,
                                           const std::optional<PixelRect>& skip) const {
    std::vector<double> distances;
    const int frameWidth = FrameWidth();
    for (int frame = 0; frame < m_frames; ++frame) {
        double sum = 0.0;
        int counted = 0;
        for (int y = 0; y < button.height; ++y) {
            for (int x = 0; x < button.width; ++x) {
                if (skip && x >= skip->x && x < skip->x + skip->width && y >= skip->y && y < skip->y + skip->height) {
                    continue;
                }
                // The face is stretched to the button: nearest source pixel.
                const Rgb want = m_image.Pixel(frame * frameWidth + x * frameWidth / button.width,
                                               y * Height() / button.height);
                const Rgb got = screen.Pixel(button.x + x, button.y + y);
                sum += (std::abs(want.r - got.r) + std::abs(want.g - got.g) + std::abs(want.b - got.b)) / 3.0;
                ++counted;
            }
        }
        distances.push_back(counted > 0 ? sum / counted : 0.0);
    }
    return distances;
}

int ClosestFrame(const std::vector<double>& distances) {
    int best = -1;
    for (int i = 0; i < static_cast<int>(distances.size()); ++i) {
        if (best < 0 || distances[static_cast<size_t>(i)] < distances[static_cast<size_t>(best)]) best = i;
    }
    return best;
}

std::string DescribeDistances(const std::vector<double>& distances) {
    std::ostringstream text;
    text << std::fixed << std::setprecision(1);
    for (size_t i = 0; i < distances.size(); ++i) text << (i ? ", " : "") << "frame " << i << ": " << distances[i];
    return text.str();
}

TrayHost::TrayHost(const DisplaySession& display)
    : m_display(display), m_log(display.LogDirectory() / "trayer.log") {
    ChildProcess::Options options;
    // A plain window, lowered: a maximised window covers it and it shows once that is gone.
    options.argv = {"trayer", "-l", "--edge", "bottom", "--align", "left", "--widthtype", "pixel", "--width", "100",
                    "--height", "24", "--transparent", "false", "--SetDockType", "false", "--SetPartialStrut",
                    "false", "--expand", "false"};
    options.environment = display.ClientEnvironment();
    options.outputFile = m_log;
    m_process = std::make_unique<ChildProcess>(options);
}

TrayHost::~TrayHost() = default;

std::optional<WindowId> TrayHost::WaitUntilShown(std::chrono::milliseconds timeout) const {
    std::optional<WindowId> panel;
    WaitUntil(
        [&] {
            const CommandResult found = ChildProcess::Run(
                {"xdotool", "search", "--onlyvisible", "--class", "^trayer$"},
                ToolEnvironment(m_display));
            const auto ids = ParseIds(found.output);
            if (!ids.empty()) panel = ids.front();
            return panel.has_value();
        },
        timeout);
    return panel;
}

std::string TrayHost::Log() const {
    std::ifstream in(m_log);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace e2e
