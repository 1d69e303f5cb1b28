#pragma once

#include "../Services.h"

namespace platform::gtk {

class WebSession;

class GtkWebDataStore final : public WebDataStore {
public:
    explicit GtkWebDataStore(WebSession& session) : m_session(session) {}
    void ClearAllExceptCookies(std::function<void()> onDone) override;

private:
    WebSession& m_session;
};

}  // namespace platform::gtk
