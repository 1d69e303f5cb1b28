#include "TempDirectory.h"

#include <cstdlib>
#include <fstream>
#include <iostream>
#include <stdexcept>

namespace e2e {

TempDirectory::TempDirectory(const std::string& prefix) {
    std::string pattern = (std::filesystem::temp_directory_path() / (prefix + "-XXXXXX")).string();
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot create a directory like " + pattern);
    m_path = pattern;
}

TempDirectory::~TempDirectory() {
    if (KeepRequested()) {
        std::cerr << "[e2e] kept " << m_path << '\n';
        return;
    }
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}

bool TempDirectory::KeepRequested() {
    const char* keep = std::getenv("VARNHOLT_E2E_KEEP");
    return keep != nullptr && *keep != '\0' && std::string(keep) != "0";
}

std::filesystem::path TempDirectory::MakeDirectory(const std::filesystem::path& relative) const {
    const std::filesystem::path directory = m_path / relative;
    std::filesystem::create_directories(directory);
    return directory;
}

std::filesystem::path TempDirectory::WriteFile(const std::filesystem::path& relative, const std::string& content) const {
    const std::filesystem::path file = m_path / relative;
    std::filesystem::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << content;
    if (!out.flush()) throw std::runtime_error("cannot write " + file.string());
    return file;
}

}  // namespace e2e
