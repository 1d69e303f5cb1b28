#include "TempPortalTree.h"

#include <cstdlib>
#include <fstream>
#include <stdexcept>

TempPortalTree::TempPortalTree() {
    std::string pattern = (std::filesystem::temp_directory_path() / "varnholt-portal-test-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    m_base = pattern;
    m_root = m_base / "root";
    std::filesystem::create_directories(m_root / "css");
    std::ofstream(m_base / "secret.txt") << kSecret;
    Write("index.html", kIndex);
    Write("css/site.css", "body { color: #c9a14a; }");
    Write("data.bin", "\x01\x02");
    Write(".hidden", "hidden");
    std::filesystem::create_symlink("../secret.txt", m_root / "escape.txt");
    std::filesystem::create_symlink("index.html", m_root / "alias.html");
}

TempPortalTree::~TempPortalTree() {
    std::error_code ignored;
    std::filesystem::remove_all(m_base, ignored);
}

void TempPortalTree::Write(const std::filesystem::path& relative, std::string_view content) const {
    std::ofstream out(m_root / relative, std::ios::binary | std::ios::trunc);
    out << content;
}
