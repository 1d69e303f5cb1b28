#include "GtkOverlayLayer.h"

#include "GtkImageButton.h"
#include "GtkTopLevelWindow.h"
#include "GtkWebView.h"

namespace platform::gtk {

GtkOverlayLayer::GtkOverlayLayer(GtkTopLevelWindow& owner, WindowEvents& events) : m_owner(&owner), m_events(events) {}

GtkOverlayLayer::~GtkOverlayLayer() {
    if (m_owner != nullptr) {
        m_owner->ForgetOverlay(this);
    }
}

Rect GtkOverlayLayer::GetWindowRect() const {
    if (!m_rect.IsEmpty() || m_owner == nullptr) {
        return m_rect;
    }
    return m_owner->GetWindowRect();
}

void GtkOverlayLayer::MoveWindow(const Rect& rect) {
    m_rect = rect;
    m_events.OnMove();
}

void GtkOverlayLayer::ShowWindow(ShowCommand command) {
    m_visible = command != ShowCommand::Hide && command != ShowCommand::Minimize;
}

std::unique_ptr<ImageButton> GtkOverlayLayer::CreateImageButton(int id, const Image& normal, const Image& pressed) {
    if (m_owner == nullptr || m_owner->NativeWindow() == nullptr) {
        return nullptr;
    }
    return std::make_unique<GtkImageButton>(m_owner->Controls(), m_events, id, normal, pressed);
}

std::unique_ptr<WebView> GtkOverlayLayer::CreateWebView(WebViewEvents& events) {
    if (m_owner == nullptr || m_owner->NativeWindow() == nullptr) {
        return nullptr;
    }
    return std::make_unique<GtkWebView>(m_owner->Session(), m_owner->Controls(), events);
}

}  // namespace platform::gtk
