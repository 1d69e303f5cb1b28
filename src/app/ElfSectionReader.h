#pragma once

#include <cstddef>
#include <optional>
#include <string>

// Reads one named section out of an ELF file on disk (32 or 64 bit, little endian).
class ElfSectionReader {
public:
    // nullopt when the file cannot be read, is not ELF, has no such section or the section is
    // larger than maxBytes.
    static std::optional<std::string> ReadSection(const std::string& path, const std::string& sectionName,
                                                  std::size_t maxBytes);
};
