#include "PosixNetworkAdapters.h"

#include <ifaddrs.h>
#include <linux/if_packet.h>
#include <net/if.h>
#include <sys/socket.h>

#include <memory>

namespace platform::posix {

std::optional<std::vector<NetworkAdapter>> PosixNetworkAdapters::ListAdapters() {
    ifaddrs* list = nullptr;
    if (getifaddrs(&list) != 0) {
        return std::nullopt;
    }
    std::unique_ptr<ifaddrs, decltype(&freeifaddrs)> owner(list, &freeifaddrs);
    std::vector<NetworkAdapter> adapters;
    // Link-layer entries carry the hardware address; one per interface, in kernel order.
    for (const ifaddrs* entry = list; entry != nullptr; entry = entry->ifa_next) {
        if (entry->ifa_addr == nullptr || entry->ifa_addr->sa_family != AF_PACKET) {
            continue;
        }
        const auto* link = reinterpret_cast<const sockaddr_ll*>(entry->ifa_addr);
        NetworkAdapter adapter;
        adapter.name = entry->ifa_name != nullptr ? entry->ifa_name : "";
        adapter.hardwareAddress.assign(link->sll_addr, link->sll_addr + link->sll_halen);
        adapter.isLoopback = (entry->ifa_flags & IFF_LOOPBACK) != 0;
        adapters.push_back(std::move(adapter));
    }
    return adapters;
}

}  // namespace platform::posix
