#include "RestartLauncher.h"

#include "../platform/Platform.h"

void RestartLauncher() {
    platform::ProcessInfo& process = platform::Current().Process();
    // The running file itself, even if an update replaced the path since it started.
    (void)platform::Current().Launcher().Spawn(process.ExecutableImagePath(), {process.ExecutablePath()});
}
