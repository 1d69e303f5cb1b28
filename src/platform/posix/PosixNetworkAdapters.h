#pragma once

#include "../NetworkAdapters.h"

namespace platform::posix {

class PosixNetworkAdapters final : public NetworkAdapters {
public:
    std::optional<std::vector<NetworkAdapter>> ListAdapters() override;
};

}  // namespace platform::posix
