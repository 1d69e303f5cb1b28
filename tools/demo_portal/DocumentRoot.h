#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <variant>

namespace demo_portal {

struct StaticFile {
    std::filesystem::path path;
    std::uintmax_t size = 0;
    std::string contentType;
    std::string etag;  // quoted, changes with size and modification time
};

enum class LookupError {
    NotFound,   // nothing there, or not a regular file
    Forbidden,  // the address tried to leave the root or name something hidden
};

// Maps request paths onto the regular files under one directory, and nothing outside it.
class DocumentRoot {
public:
    // Throws std::runtime_error when the directory does not exist.
    explicit DocumentRoot(const std::filesystem::path& directory);

    const std::filesystem::path& Directory() const { return m_directory; }

    // `urlPath` is the path of the request as sent (percent-encoded, starting with '/').
    // A path ending in '/' means that directory's index.html.
    std::variant<StaticFile, LookupError> Lookup(std::string_view urlPath) const;

    static std::string ContentTypeFor(const std::filesystem::path& file);

private:
    std::filesystem::path m_directory;  // canonical
};

}  // namespace demo_portal
