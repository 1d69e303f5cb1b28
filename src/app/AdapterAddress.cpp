#include "AdapterAddress.h"

#include <cstdio>

#include "../platform/Platform.h"

std::string GetAdapterAddressText() {
    const auto adapters = platform::Current().Network().ListAdapters();
    if (!adapters) {
        return {};
    }
    for (const platform::NetworkAdapter& adapter : *adapters) {
        if (adapter.isLoopback || adapter.hardwareAddress.size() != 6) {
            continue;
        }
        const auto& a = adapter.hardwareAddress;
        char text[13] = {};
        std::snprintf(text, sizeof text, "%02X%02X%02X%02X%02X%02X", a[0], a[1], a[2], a[3], a[4], a[5]);
        return text;
    }
    return {};
}
