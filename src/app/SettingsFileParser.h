#pragma once

#include <string>
#include <utility>
#include <vector>

// The key=value lines of a settings file, in file order. Lines that are not readable
// settings (comments, [section] headers, blank lines, lines without "=", lines with NUL
// bytes, control characters or invalid UTF-8) are skipped, never fatal.
class SettingsFileParser {
public:
    static std::vector<std::pair<std::string, std::string>> Parse(const std::string& content);
};
