#pragma once

#include "../Services.h"

namespace platform::gtk {

// Opens addresses with the user's default handler through GIO.
class GioShell final : public Shell {
public:
    void Open(const std::string& address) override;
};

}  // namespace platform::gtk
