#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// The executable's version block: a text section of "\Path\To\Entry=value" lines, the same
// query paths a release engineer knows from version resources:
//   \VarFileInfo\Translation=080404b0
//   \StringFileInfo\080404b0\FileVersion=1.0.0.1
class VersionBlock {
public:
    static constexpr const char* kSectionName = ".varnholt.version";

    // nullopt when the file cannot be read or carries no block.
    static std::optional<VersionBlock> ReadFromFile(const std::string& path);
    static VersionBlock Parse(const std::string& text);

    std::optional<std::string> Query(const std::string& path) const;
    // Pairs of (language, code page); empty without a translation list.
    std::vector<std::pair<std::uint16_t, std::uint16_t>> Translations() const;

private:
    std::vector<std::pair<std::string, std::string>> m_entries;
};
