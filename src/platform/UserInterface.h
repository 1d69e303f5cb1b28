#pragma once

#include <memory>
#include <string>

#include "Window.h"

namespace platform {

enum class MessageBoxButtons { Ok, YesNo };
enum class MessageBoxIcon { None, Exclamation };
enum class MessageBoxResult { Ok, Yes, No };

class UserInterface {
public:
    virtual ~UserInterface() = default;
    virtual std::unique_ptr<Window> CreateTopLevelWindow(const WindowDescription& description,
                                                         WindowEvents& events) = 0;
    // Runs a message box modally; owner may be null. A dismissed Yes/No box answers No.
    virtual MessageBoxResult ShowMessageBox(Window* owner, const std::string& text, const std::string& caption,
                                            MessageBoxButtons buttons, MessageBoxIcon icon) = 0;
    // Ends the running modal loop with -1; every later modal run returns -1 at once.
    virtual void RequestQuit() = 0;
    virtual bool IsQuitRequested() const = 0;
};

}  // namespace platform
