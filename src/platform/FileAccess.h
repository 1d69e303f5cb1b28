#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace platform {

enum class AppendOutcome { Appended, NotOpened, WriteFailed };

class FileAccess {
public:
    virtual ~FileAccess() = default;
    // Whole content of a regular file of at most maxBytes; nullopt when it is missing, not a
    // regular file, unreadable or larger.
    virtual std::optional<std::string> ReadRegularFile(const std::string& path, std::size_t maxBytes) = 0;
    // Appends data with one write to a file that must already exist; never creates or truncates.
    // A short or failed write is rolled back so earlier content stays intact.
    virtual AppendOutcome AppendToExistingFile(const std::string& path, const std::string& data) = 0;
};

}  // namespace platform
