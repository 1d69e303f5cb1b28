#include "PosixProcessInfo.h"

#include <climits>
#include <cstdlib>
#include <memory>

namespace platform::posix {

PosixProcessInfo::PosixProcessInfo(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        m_arguments.emplace_back(argv[i]);
    }
}

std::string PosixProcessInfo::ExecutablePath() {
    std::unique_ptr<char, decltype(&std::free)> resolved(realpath("/proc/self/exe", nullptr), &std::free);
    return resolved ? std::string(resolved.get()) : std::string();
}

std::string PosixProcessInfo::ExecutableImagePath() { return "/proc/self/exe"; }

std::vector<std::string> PosixProcessInfo::CommandLineArguments() { return m_arguments; }

}  // namespace platform::posix
