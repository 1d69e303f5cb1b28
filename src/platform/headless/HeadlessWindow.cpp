#include "HeadlessWindow.h"

#include <algorithm>

#include "HeadlessUserInterface.h"
#include "HeadlessWebView.h"

namespace platform::headless {

namespace {
constexpr Size kScreen{1920, 1080};
}

HeadlessImageButton::HeadlessImageButton(HeadlessWindow& owner, int id, const Image& normal, const Image& pressed)
    : m_owner(&owner), m_id(id), m_normalSize{normal.Width(), normal.Height()},
      m_pressedSize{pressed.Width(), pressed.Height()} {}

HeadlessImageButton::~HeadlessImageButton() {
    if (m_owner != nullptr) {
        m_owner->Forget(this);
    }
}

void HeadlessImageButton::Click() {
    if (m_owner != nullptr) {
        m_owner->Events().OnCommand(m_id);
    }
}

HeadlessWindow::HeadlessWindow(HeadlessUserInterface& ui, WindowDescription description, WindowEvents& events,
                               HeadlessWindow* owner)
    : m_ui(ui), m_description(std::move(description)), m_events(events), m_owner(owner),
      m_title(m_description.title), m_rect(Rect::FromPointSize({0, 0}, m_description.size)) {
    m_ui.Register(this);
}

HeadlessWindow::~HeadlessWindow() {
    for (HeadlessWebView* view : m_webViews) {
        view->Detach();
    }
    for (HeadlessImageButton* button : m_buttons) {
        button->Detach();
    }
    if (m_owner != nullptr && m_owner->m_overlay == this) {
        m_owner->ForgetOverlay();
    }
    if (m_overlay != nullptr) {
        m_overlay->m_owner = nullptr;
    }
    m_ui.Unregister(this);
}

int HeadlessWindow::RunModal() {
    if (!m_visible) {
        m_visible = true;
    }
    m_modalRunning = true;
    m_endResult.reset();
    const int result = m_ui.RunModalLoop(*this, m_endResult);
    m_modalRunning = false;
    return result;
}

void HeadlessWindow::EndModal(int result) {
    if (m_modalRunning && !m_endResult) {
        m_endResult = result;
    }
}

void HeadlessWindow::Destroy() {
    m_destroyed = true;
    m_visible = false;
}

Rect HeadlessWindow::GetWindowRect() const {
    // A layer has no rectangle of its own: it covers its owner.
    if (m_owner != nullptr && m_owner->m_overlay == this && m_rect.IsEmpty()) {
        return m_owner->GetWindowRect();
    }
    return m_rect;
}

void HeadlessWindow::MoveWindow(const Rect& rect) {
    m_rect = rect;
    m_events.OnMove();
}

void HeadlessWindow::ShowWindow(ShowCommand command) {
    switch (command) {
        case ShowCommand::Show: m_visible = true; break;
        case ShowCommand::Hide: m_visible = false; break;
        case ShowCommand::ShowMaximized:
        case ShowCommand::Maximize:
            m_visible = true;
            m_maximized = true;
            break;
        case ShowCommand::Minimize:
            m_events.OnSize(SizeType::Minimized, m_rect.GetSize());
            break;
        case ShowCommand::Restore:
            m_visible = true;
            m_maximized = false;
            break;
    }
}

void HeadlessWindow::CenterOnScreen() {
    const Size size = m_rect.GetSize();
    m_rect = Rect::FromPointSize({(kScreen.width - size.width) / 2, (kScreen.height - size.height) / 2}, size);
    m_events.OnMove();
}

void HeadlessWindow::SetLayeredPicture(const Image& premultiplied) {
    m_layeredPicture = premultiplied;
    m_rect = Rect::FromPointSize(m_rect.TopLeft(), {premultiplied.Width(), premultiplied.Height()});
}

std::unique_ptr<Window> HeadlessWindow::CreateOverlayLayer(WindowEvents& events) {
    WindowDescription description;
    auto layer = std::make_unique<HeadlessWindow>(m_ui, description, events, this);
    layer->m_rect = {};
    m_overlay = layer.get();
    return layer;
}

std::unique_ptr<ImageButton> HeadlessWindow::CreateImageButton(int id, const Image& normal, const Image& pressed) {
    auto button = std::make_unique<HeadlessImageButton>(*this, id, normal, pressed);
    m_buttons.push_back(button.get());
    return button;
}

std::unique_ptr<WebView> HeadlessWindow::CreateWebView(WebViewEvents& events) {
    auto view = std::make_unique<HeadlessWebView>(*this, events);
    view->SetReadyState(m_ui.newWebViewReadyState);
    m_webViews.push_back(view.get());
    return view;
}

HeadlessWebView* HeadlessWindow::WebViewAt(std::size_t index) const {
    return index < m_webViews.size() ? m_webViews[index] : nullptr;
}

HeadlessImageButton* HeadlessWindow::ButtonWithId(int id) const {
    for (HeadlessImageButton* button : m_buttons) {
        if (button->Id() == id) {
            return button;
        }
    }
    return nullptr;
}

void HeadlessWindow::DeliverPostedCommands() {
    const std::vector<int> commands = std::move(m_postedCommands);
    m_postedCommands.clear();
    for (int id : commands) {
        m_events.OnCommand(id);
    }
}

void HeadlessWindow::ResizeTo(Size size, SizeType type) {
    m_rect = Rect::FromPointSize(m_rect.TopLeft(), size);
    m_maximized = type == SizeType::Maximized;
    m_events.OnSize(type, size);
}

void HeadlessWindow::DragTo(Point topLeft) {
    m_rect = Rect::FromPointSize(topLeft, m_rect.GetSize());
    m_events.OnMove();
}

void HeadlessWindow::PressKey(Key key) {
    switch (m_events.PreTranslateKeyDown(key)) {
        case KeyDisposition::Discard:
        case KeyDisposition::DispatchToTarget: return;
        case KeyDisposition::DialogDefault:
            if (key == Key::Enter) {
                m_events.OnOK();
            } else if (key == Key::Escape) {
                m_events.OnCancel();
            }
            return;
    }
}

void HeadlessWindow::Forget(HeadlessWebView* view) { std::erase(m_webViews, view); }

void HeadlessWindow::Forget(HeadlessImageButton* button) { std::erase(m_buttons, button); }

}  // namespace platform::headless
