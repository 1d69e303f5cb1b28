#pragma once

#include "../Services.h"

namespace platform::posix {

class PosixProcessLauncher final : public ProcessLauncher {
public:
    bool Spawn(const std::string& path, const std::vector<std::string>& argv) override;
};

}  // namespace platform::posix
