#pragma once

#include <libsoup/soup.h>

#include "../Services.h"
#include "../glib/GObjectPtr.h"

namespace platform::gtk {

// One-shot GETs on the main loop with libsoup: system proxy settings, an explicit timeout
// and a cancellable, so nothing ever waits for them.
class SoupHttpClient final : public HttpClient {
public:
    SoupHttpClient();
    ~SoupHttpClient() override;
    void FetchAsync(const std::string& address, const std::string& userAgent, std::chrono::milliseconds timeout,
                    std::function<void()> onFinished) override;
};

}  // namespace platform::gtk
