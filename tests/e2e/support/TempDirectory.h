#pragma once

#include <filesystem>
#include <string>

namespace e2e {

// A fresh directory under $TMPDIR (or /tmp), removed with everything in it when the
// object dies, unless VARNHOLT_E2E_KEEP is set in the environment: then it stays for a
// post-mortem and its path is printed.
class TempDirectory {
public:
    explicit TempDirectory(const std::string& prefix);
    ~TempDirectory();
    TempDirectory(const TempDirectory&) = delete;
    TempDirectory& operator=(const TempDirectory&) = delete;

    const std::filesystem::path& Path() const { return m_path; }
    // Creates a subdirectory (and its parents) and returns its path.
    std::filesystem::path MakeDirectory(const std::filesystem::path& relative) const;
    // Writes a file (parents created) and returns its path.
    std::filesystem::path WriteFile(const std::filesystem::path& relative, const std::string& content) const;

    static bool KeepRequested();

private:
    std::filesystem::path m_path;
};

}  // namespace e2e
