#include "Platform.h"

#include <cstdlib>

namespace platform {

namespace {
Platform* g_current = nullptr;
}

Platform& Current() {
    if (g_current == nullptr) {
        std::abort();  // a backend must be installed before the core runs
    }
    return *g_current;
}

void SetCurrent(Platform* backend) { g_current = backend; }

}  // namespace platform
