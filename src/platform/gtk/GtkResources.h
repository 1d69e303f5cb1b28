#pragma once

#include <gdk-pixbuf/gdk-pixbuf.h>

#include <map>

#include "../Services.h"
#include "../glib/GObjectPtr.h"

namespace platform::gtk {

// The pictures compiled into the executable as a GResource bundle, by id.
class GtkResources final : public Resources {
public:
    std::optional<std::vector<std::uint8_t>> Find(int id, ResourceKind kind) override;
    std::unique_ptr<Image> Decode(const std::vector<std::uint8_t>& bytes) override;
    // The window icon; null when it is missing.
    GdkPixbuf* Icon(int id);

private:
    std::map<int, GObjectPtr<GdkPixbuf>> m_icons;
};

}  // namespace platform::gtk
