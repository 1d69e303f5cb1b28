#pragma once

#include "../ProcessInfo.h"

namespace platform::posix {

class PosixProcessInfo final : public ProcessInfo {
public:
    PosixProcessInfo(int argc, char** argv);
    std::string ExecutablePath() override;
    std::string ExecutableImagePath() override;
    std::vector<std::string> CommandLineArguments() override;

private:
    std::vector<std::string> m_arguments;
};

}  // namespace platform::posix
