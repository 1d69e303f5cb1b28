#include "VersionBlock.h"

#include <sstream>

#include "ElfSectionReader.h"

namespace {
constexpr std::size_t kMaxBlockSize = 64 * 1024;

bool IsHexDigits(const std::string& text) {
    for (char c : text) {
        const bool digit = (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
        if (!digit) {
            return false;
        }
    }
    return !text.empty();
}
}  // namespace

std::optional<VersionBlock> VersionBlock::ReadFromFile(const std::string& path) {
    std::optional<std::string> section = ElfSectionReader::ReadSection(path, kSectionName, kMaxBlockSize);
    if (!section) {
        return std::nullopt;
    }
    return Parse(*section);
}

VersionBlock VersionBlock::Parse(const std::string& text) {
    VersionBlock block;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (line.empty() || line.front() != '\\') {
            continue;  // comments and padding
        }
        const std::size_t equals = line.find('=');
        if (equals == std::string::npos) {
            continue;
        }
        block.m_entries.emplace_back(line.substr(0, equals), line.substr(equals + 1));
    }
    return block;
}

std::optional<std::string> VersionBlock::Query(const std::string& path) const {
    for (const auto& [key, value] : m_entries) {
        if (key == path) {
            return value;
        }
    }
    return std::nullopt;
}

std::vector<std::pair<std::uint16_t, std::uint16_t>> VersionBlock::Translations() const {
    std::vector<std::pair<std::uint16_t, std::uint16_t>> pairs;
    const std::optional<std::string> list = Query("\\VarFileInfo\\Translation");
    if (!list) {
        return pairs;
    }
    std::istringstream words(*list);
    std::string word;
    while (words >> word) {
        if (word.size() != 8 || !IsHexDigits(word)) {
            continue;
        }
        const auto language = static_cast<std::uint16_t>(std::stoul(word.substr(0, 4), nullptr, 16));
        const auto codePage = static_cast<std::uint16_t>(std::stoul(word.substr(4, 4), nullptr, 16));
        pairs.emplace_back(language, codePage);
    }
    return pairs;
}
