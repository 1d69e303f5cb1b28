#pragma once

namespace platform {

// Mouse messages a tray icon reports, as the shell numbers them.
constexpr int WM_LBUTTONDBLCLK = 0x0203;
constexpr int WM_RBUTTONUP = 0x0205;

class TrayEvents {
public:
    virtual ~TrayEvents() = default;
    // The icon's callback: its id and the mouse message on it.
    virtual int OnTrayNotify(int id, int message) = 0;
};

// An icon in the notification area; it goes when this object does.
class TrayIcon {
public:
    virtual ~TrayIcon() = default;
    virtual int Id() const = 0;
};

}  // namespace platform
