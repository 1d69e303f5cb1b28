#include "DocumentRoot.h"

#include <sys/stat.h>

#include <array>
#include <cstdio>
#include <stdexcept>
#include <utility>

#include "GLibPtr.h"

namespace demo_portal {

namespace {

bool IsInside(const std::filesystem::path& candidate, const std::filesystem::path& root) {
    auto c = candidate.begin();
    for (auto r = root.begin(); r != root.end(); ++r, ++c) {
        if (c == candidate.end() || *c != *r) return false;
    }
    return true;
}

std::string MakeEtag(const struct stat& info) {
    const long long nanos = static_cast<long long>(info.st_mtim.tv_sec) * 1000000000LL + info.st_mtim.tv_nsec;
    std::array<char, 64> buffer{};
    std::snprintf(buffer.data(), buffer.size(), "\"%llx-%llx\"", static_cast<unsigned long long>(info.st_size),
                  static_cast<unsigned long long>(nanos));
    return buffer.data();
}

}  // namespace

DocumentRoot::DocumentRoot(const std::filesystem::path& directory) {
    std::error_code error;
    m_directory = std::filesystem::canonical(directory, error);
    if (error || !std::filesystem::is_directory(m_directory)) {
        throw std::runtime_error("document root is not a directory: " + directory.string());
    }
}

std::variant<StaticFile, LookupError> DocumentRoot::Lookup(std::string_view urlPath) const {
    if (urlPath.empty() || urlPath.front() != '/') return LookupError::Forbidden;
    const std::string encoded(urlPath);
    // An encoded slash or backslash could smuggle a separator past the segment check;
    // g_uri_unescape_string also refuses %00.
    GCharPtr decoded(g_uri_unescape_string(encoded.c_str(), "/\\"));
    if (!decoded) return LookupError::Forbidden;
    std::string path(decoded.get());
    if (path.find('\\') != std::string::npos) return LookupError::Forbidden;
    if (path.back() == '/') path += "index.html";

    std::filesystem::path relative;
    size_t start = 1;
    while (start <= path.size()) {
        const size_t end = std::min(path.find('/', start), path.size());
        const std::string segment = path.substr(start, end - start);
        start = end + 1;
        if (segment.empty()) continue;
        // No parent steps, and no hidden files (editor droppings, .git).
        if (segment == ".." || segment.front() == '.') return LookupError::Forbidden;
        relative /= segment;
    }
    if (relative.empty()) return LookupError::NotFound;

    std::error_code error;
    const std::filesystem::path resolved = std::filesystem::canonical(m_directory / relative, error);
    if (error) return LookupError::NotFound;
    // A symbolic link may point anywhere; only what resolves inside the root is served.
    if (!IsInside(resolved, m_directory)) return LookupError::Forbidden;

    struct stat info {};
    if (::stat(resolved.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return LookupError::NotFound;
    StaticFile file;
    file.path = resolved;
    file.size = static_cast<std::uintmax_t>(info.st_size);
    file.contentType = ContentTypeFor(resolved);
    file.etag = MakeEtag(info);
    return file;
}

std::string DocumentRoot::ContentTypeFor(const std::filesystem::path& file) {
    static constexpr std::array<std::pair<std::string_view, std::string_view>, 14> kTypes{{
        {".html", "text/html; charset=utf-8"},
        {".htm", "text/html; charset=utf-8"},
        {".css", "text/css; charset=utf-8"},
        {".js", "text/javascript; charset=utf-8"},
        {".json", "application/json"},
        {".txt", "text/plain; charset=utf-8"},
        {".svg", "image/svg+xml"},
        {".png", "image/png"},
        {".jpg", "image/jpeg"},
        {".jpeg", "image/jpeg"},
        {".gif", "image/gif"},
        {".ico", "image/x-icon"},
        {".webp", "image/webp"},
        {".woff2", "font/woff2"},
    }};
    std::string extension = file.extension().string();
    for (char& c : extension) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    for (const auto& [suffix, type] : kTypes) {
        if (extension == suffix) return std::string(type);
    }
    return "application/octet-stream";
}

}  // namespace demo_portal
