#pragma once

#include <filesystem>
#include <string>
#include <string_view>

// A throw-away document root under /tmp:
//   secret.txt                 outside the root: must never be served
//   root/index.html, root/css/site.css, root/data.bin, root/.hidden
//   root/escape.txt  -> ../secret.txt     (link out of the root)
//   root/alias.html  -> index.html        (link inside the root)
class TempPortalTree {
public:
    static constexpr std::string_view kSecret = "the-secret-outside-the-root";
    static constexpr std::string_view kIndex = "<!doctype html><title>index</title>";

    TempPortalTree();
    ~TempPortalTree();
    TempPortalTree(const TempPortalTree&) = delete;
    TempPortalTree& operator=(const TempPortalTree&) = delete;

    const std::filesystem::path& Root() const { return m_root; }
    void Write(const std::filesystem::path& relative, std::string_view content) const;

private:
    std::filesystem::path m_base;
    std::filesystem::path m_root;
};
