#include "GioShell.h"

#include <gio/gio.h>

#include "../glib/GObjectPtr.h"

namespace platform::gtk {

void GioShell::Open(const std::string& address) {
    if (address.empty()) {
        return;
    }
    GError* rawError = nullptr;
    // Failures are not the player's concern: nothing opens and nothing is shown.
    g_app_info_launch_default_for_uri(address.c_str(), nullptr, &rawError);
    GErrorPtr error(rawError);
}

}  // namespace platform::gtk
