#pragma once

#include <memory>
#include <string>
#include <vector>

#include "Window.h"

namespace platform {

enum class MessageBoxButtons { Ok, YesNo };
enum class MessageBoxIcon { None, Exclamation };
enum class MessageBoxResult { Ok, Yes, No };

class TrayIcon;
class TrayEvents;

struct MenuItem {
    int command = 0;
    std::string text;
};

class UserInterface {
public:
    virtual ~UserInterface() = default;
    // owner: null for a window of its own; else it stays above its owner and goes with it.
    virtual std::unique_ptr<Window> CreateTopLevelWindow(const WindowDescription& description, WindowEvents& events,
                                                         Window* owner) = 0;
    // Runs a message box modally; owner may be null. A dismissed Yes/No box answers No.
    virtual MessageBoxResult ShowMessageBox(Window* owner, const std::string& text, const std::string& caption,
                                            MessageBoxButtons buttons, MessageBoxIcon icon) = 0;
    // Adds a notification-area icon; nullptr when there is no way to show one.
    virtual std::unique_ptr<TrayIcon> AddTrayIcon(int id, const std::string& tooltip, TrayEvents& events) = 0;
    // Shows a pop-up menu at the pointer and returns the chosen command, 0 when dismissed.
    virtual int TrackPopupMenu(Window* owner, const std::vector<MenuItem>& items) = 0;
    // Ends the running modal loop with -1; every later modal run returns -1 at once.
    virtual void RequestQuit() = 0;
    virtual bool IsQuitRequested() const = 0;
};

}  // namespace platform
