#include "ElfSectionReader.h"

#include <cstdint>
#include <cstring>
#include <fstream>
#include <vector>

namespace {

struct SectionHeader {
    std::uint32_t nameOffset = 0;
    std::uint64_t offset = 0;
    std::uint64_t size = 0;
    std::uint32_t type = 0;
};

constexpr std::uint32_t kSectionTypeNoBits = 8;
constexpr std::size_t kMaxSectionCount = 65535;
constexpr std::size_t kMaxNameTableSize = 1 << 20;

template <typename T>
T ReadLittleEndian(const unsigned char* bytes) {
    T value = 0;
    for (std::size_t i = 0; i < sizeof(T); ++i) {
        value |= static_cast<T>(static_cast<T>(bytes[i]) << (8 * i));
    }
    return value;
}

class ElfFile {
public:
    explicit ElfFile(const std::string& path) : m_stream(path, std::ios::binary) {}

    bool ReadAt(std::uint64_t offset, void* buffer, std::size_t size) {
        if (!m_stream) {
            return false;
        }
        m_stream.clear();
        m_stream.seekg(static_cast<std::streamoff>(offset));
        m_stream.read(static_cast<char*>(buffer), static_cast<std::streamsize>(size));
        return m_stream.gcount() == static_cast<std::streamsize>(size);
    }

private:
    std::ifstream m_stream;
};

}  // namespace

std::optional<std::string> ElfSectionReader::ReadSection(const std::string& path, const std::string& sectionName,
                                                         std::size_t maxBytes) {
    ElfFile file(path);
    unsigned char ident[64] = {};
    if (!file.ReadAt(0, ident, 16) || std::memcmp(ident, "\x7f" "ELF", 4) != 0 || ident[5] != 1) {
        return std::nullopt;
    }
    const bool is64 = ident[4] == 2;
    if (!is64 && ident[4] != 1) {
        return std::nullopt;
    }
    const std::size_t headerSize = is64 ? 64 : 52;
    if (!file.ReadAt(0, ident, headerSize)) {
        return std::nullopt;
    }
    const std::uint64_t tableOffset =
        is64 ? ReadLittleEndian<std::uint64_t>(ident + 0x28) : ReadLittleEndian<std::uint32_t>(ident + 0x20);
    const std::uint16_t entrySize = ReadLittleEndian<std::uint16_t>(ident + (is64 ? 0x3A : 0x2E));
    const std::uint16_t count = ReadLittleEndian<std::uint16_t>(ident + (is64 ? 0x3C : 0x30));
    const std::uint16_t namesIndex = ReadLittleEndian<std::uint16_t>(ident + (is64 ? 0x3E : 0x32));
    const std::size_t minimumEntry = is64 ? 64 : 40;
    if (count == 0 || count > kMaxSectionCount || entrySize < minimumEntry || namesIndex >= count) {
        return std::nullopt;
    }

    std::vector<SectionHeader> sections(count);
    std::vector<unsigned char> entry(entrySize);
    for (std::uint16_t i = 0; i < count; ++i) {
        if (!file.ReadAt(tableOffset + static_cast<std::uint64_t>(i) * entrySize, entry.data(), entrySize)) {
            return std::nullopt;
        }
        SectionHeader& header = sections[i];
        header.nameOffset = ReadLittleEndian<std::uint32_t>(entry.data());
        header.type = ReadLittleEndian<std::uint32_t>(entry.data() + 4);
        if (is64) {
            header.offset = ReadLittleEndian<std::uint64_t>(entry.data() + 0x18);
            header.size = ReadLittleEndian<std::uint64_t>(entry.data() + 0x20);
        } else {
            header.offset = ReadLittleEndian<std::uint32_t>(entry.data() + 0x10);
            header.size = ReadLittleEndian<std::uint32_t>(entry.data() + 0x14);
        }
    }

    const SectionHeader& nameTable = sections[namesIndex];
    if (nameTable.size == 0 || nameTable.size > kMaxNameTableSize) {
        return std::nullopt;
    }
    std::string names(static_cast<std::size_t>(nameTable.size), '\0');
    if (!file.ReadAt(nameTable.offset, names.data(), names.size())) {
        return std::nullopt;
    }
    for (const SectionHeader& header : sections) {
        if (header.nameOffset >= names.size() || sectionName != names.c_str() + header.nameOffset) {
            continue;
        }
        if (header.type == kSectionTypeNoBits || header.size > maxBytes) {
            return std::nullopt;
        }
        std::string content(static_cast<std::size_t>(header.size), '\0');
        if (!file.ReadAt(header.offset, content.data(), content.size())) {
            return std::nullopt;
        }
        return content;
    }
    return std::nullopt;
}
