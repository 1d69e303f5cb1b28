#pragma once

#include "FileAccess.h"
#include "NetworkAdapters.h"
#include "ProcessInfo.h"
#include "Services.h"
#include "UserInterface.h"

namespace platform {

// The services one backend gives the core.
class Platform {
public:
    virtual ~Platform() = default;
    virtual ProcessInfo& Process() = 0;
    virtual NetworkAdapters& Network() = 0;
    virtual FileAccess& Files() = 0;
    virtual UserInterface& Ui() = 0;
    virtual Resources& Res() = 0;
    virtual Shell& ShellOpen() = 0;
    virtual ProcessLauncher& Launcher() = 0;
    virtual HttpClient& Http() = 0;
    virtual Clock& Time() = 0;
    virtual WebDataStore& WebData() = 0;
};

// The backend chosen at start-up.
Platform& Current();
void SetCurrent(Platform* backend);

}  // namespace platform
