#pragma once

#include <chrono>
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace e2e {

// The calls recorded by the stand-in program (e2e-call-recorder): one line per call,
// each a JSON array of the argument strings, argv[0] first. Control characters are
// escaped, so arguments with newlines or odd bytes survive intact.
class CallLog {
public:
    using Call = std::vector<std::string>;

    explicit CallLog(std::filesystem::path file) : m_file(std::move(file)) {}

    const std::filesystem::path& File() const { return m_file; }
    // All complete calls so far; an absent file means none.
    std::vector<Call> Calls() const;
    // True once at least `count` calls are there.
    bool WaitFor(std::size_t count, std::chrono::milliseconds timeout) const;

    // One recorded line, in the recorder's format.
    static std::string Encode(const Call& call);
    static std::optional<Call> Decode(std::string_view line);

private:
    std::filesystem::path m_file;
};

}  // namespace e2e
