#pragma once

#include <string>
#include <vector>

namespace platform {

// What the process knows about itself.
class ProcessInfo {
public:
    virtual ~ProcessInfo() = default;
    // Absolute path of the running executable, symlinks resolved; empty when unknown.
    virtual std::string ExecutablePath() = 0;
    // A path that opens the running executable's file even if it was replaced on disk since.
    virtual std::string ExecutableImagePath() = 0;
    // The arguments after the program's own path.
    virtual std::vector<std::string> CommandLineArguments() = 0;
};

}  // namespace platform
