#include "CallLog.h"

#include <array>
#include <cctype>
#include <cstdio>
#include <fstream>
#include <thread>

namespace e2e {

std::string CallLog::Encode(const Call& call) {
    std::string line = "[";
    for (size_t i = 0; i < call.size(); ++i) {
        if (i > 0) line += ',';
        line += '"';
        for (const char c : call[i]) {
            const auto byte = static_cast<unsigned char>(c);
            if (c == '"' || c == '\\') {
                line += '\\';
                line += c;
            } else if (byte < 0x20 || byte == 0x7f) {
                std::array<char, 8> escaped{};
                std::snprintf(escaped.data(), escaped.size(), "\\u%04x", byte);
                line += escaped.data();
            } else {
                line += c;
            }
        }
        line += '"';
    }
    return line + "]";
}

std::optional<CallLog::Call> CallLog::Decode(std::string_view line) {
    Call call;
    size_t i = 0;
    const auto at = [&](char c) { return i < line.size() && line[i] == c; };
    if (!at('[')) return std::nullopt;
    ++i;
    if (at(']')) return i + 1 == line.size() ? std::optional<Call>(call) : std::nullopt;
    for (;;) {
        if (!at('"')) return std::nullopt;
        ++i;
        std::string argument;
        while (i < line.size() && line[i] != '"') {
            if (line[i] != '\\') {
                argument += line[i++];
                continue;
            }
            if (++i >= line.size()) return std::nullopt;
            const char escape = line[i++];
            switch (escape) {
                case '"': case '\\': case '/': argument += escape; break;
                case 'n': argument += '\n'; break;
                case 'r': argument += '\r'; break;
                case 't': argument += '\t'; break;
                case 'u': {
                    if (i + 4 > line.size()) return std::nullopt;
                    unsigned code = 0;
                    for (const char digit : line.substr(i, 4)) {
                        const int value = std::isdigit(static_cast<unsigned char>(digit)) ? digit - '0'
                                          : (digit >= 'a' && digit <= 'f')                ? digit - 'a' + 10
                                          : (digit >= 'A' && digit <= 'F')                ? digit - 'A' + 10
                                                                                          : -1;
                        if (value < 0) return std::nullopt;
                        code = code * 16 + static_cast<unsigned>(value);
                    }
                    // The recorder escapes single bytes only.
                    if (code > 0xff) return std::nullopt;
                    argument += static_cast<char>(code);
                    i += 4;
                    break;
                }
                default: return std::nullopt;
            }
        }
        if (!at('"')) return std::nullopt;
        ++i;
        call.push_back(std::move(argument));
        if (at(',')) {
            ++i;
            continue;
        }
        if (at(']') && i + 1 == line.size()) return call;
        return std::nullopt;
    }
}

std::vector<CallLog::Call> CallLog::Calls() const {
    std::vector<Call> calls;
    std::ifstream in(m_file, std::ios::binary);
    std::string line;
    // A line without its newline is a call still being written: skipped until complete.
    while (std::getline(in, line) && !in.eof()) {
        if (auto call = Decode(line)) calls.push_back(std::move(*call));
    }
    return calls;
}

bool CallLog::WaitFor(std::size_t count, std::chrono::milliseconds timeout) const {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        if (Calls().size() >= count) return true;
        if (std::chrono::steady_clock::now() >= deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
}

}  // namespace e2e
