#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace platform {

struct NetworkAdapter {
    std::string name;
    std::vector<std::uint8_t> hardwareAddress;
    bool isLoopback = false;
};

class NetworkAdapters {
public:
    virtual ~NetworkAdapters() = default;
    // In the order the system lists them; nullopt when the query itself fails.
    virtual std::optional<std::vector<NetworkAdapter>> ListAdapters() = 0;
};

}  // namespace platform
