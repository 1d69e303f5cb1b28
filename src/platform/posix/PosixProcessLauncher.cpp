#include "PosixProcessLauncher.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

extern char** environ;

namespace platform::posix {

bool PosixProcessLauncher::Spawn(const std::string& path, const std::vector<std::string>& argv) {
    if (path.empty() || ::access(path.c_str(), X_OK) != 0) {
        return false;
    }
    std::vector<char*> arguments;
    arguments.reserve(argv.size() + 1);
    for (const std::string& argument : argv) {
        arguments.push_back(const_cast<char*>(argument.c_str()));
    }
    arguments.push_back(nullptr);

    // The started program lives on its own: new session, so our exit or a terminal
    // hang-up does not take it down.
    posix_spawnattr_t attributes;
    if (posix_spawnattr_init(&attributes) != 0) {
        return false;
    }
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID | POSIX_SPAWN_SETSIGMASK);
    sigset_t empty;
    sigemptyset(&empty);
    posix_spawnattr_setsigmask(&attributes, &empty);
    pid_t child = 0;
    const int error = posix_spawn(&child, path.c_str(), nullptr, &attributes, arguments.data(), environ);
    posix_spawnattr_destroy(&attributes);
    return error == 0;
}

}  // namespace platform::posix
