#include "Environment.h"

extern char** environ;

namespace e2e {

Environment Environment::Current() {
    Environment environment;
    for (char** entry = environ; entry != nullptr && *entry != nullptr; ++entry) {
        const std::string text(*entry);
        const size_t eq = text.find('=');
        if (eq != std::string::npos && eq > 0) environment.m_variables[text.substr(0, eq)] = text.substr(eq + 1);
    }
    return environment;
}

Environment& Environment::Set(const std::string& name, const std::string& value) {
    m_variables[name] = value;
    return *this;
}

Environment& Environment::Unset(const std::string& name) {
    m_variables.erase(name);
    return *this;
}

std::optional<std::string> Environment::Get(const std::string& name) const {
    const auto it = m_variables.find(name);
    if (it == m_variables.end()) return std::nullopt;
    return it->second;
}

std::vector<std::string> Environment::Entries() const {
    std::vector<std::string> entries;
    entries.reserve(m_variables.size());
    for (const auto& [name, value] : m_variables) entries.push_back(name + "=" + value);
    return entries;
}

}  // namespace e2e
