#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace e2e {

// A process environment as data, so children get exactly what a test decided.
class Environment {
public:
    // Empty, or a copy of this process's environment.
    static Environment Empty() { return Environment(); }
    static Environment Current();

    Environment& Set(const std::string& name, const std::string& value);
    Environment& Unset(const std::string& name);
    std::optional<std::string> Get(const std::string& name) const;

    // "NAME=value" entries, as execve wants them.
    std::vector<std::string> Entries() const;

private:
    std::map<std::string, std::string> m_variables;
};

}  // namespace e2e
