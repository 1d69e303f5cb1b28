#pragma once

#include "../FileAccess.h"

namespace platform::posix {

class PosixFileAccess final : public FileAccess {
public:
    std::optional<std::string> ReadRegularFile(const std::string& path, std::size_t maxBytes) override;
    AppendOutcome AppendToExistingFile(const std::string& path, const std::string& data) override;
};

}  // namespace platform::posix
