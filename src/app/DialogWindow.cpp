#include "DialogWindow.h"

#include "../platform/Platform.h"
#include "DialogResult.h"

DialogWindow::DialogWindow(platform::WindowDescription description) : m_description(std::move(description)) {}

DialogWindow::~DialogWindow() = default;

platform::KeyDisposition DialogWindow::SendEnterAndEscapeToPage(platform::Key key) {
    if (key == platform::Key::Enter || key == platform::Key::Escape) {
        return platform::KeyDisposition::DispatchToTarget;
    }
    return platform::KeyDisposition::DialogDefault;
}

int DialogWindow::DoModal() {
    platform::UserInterface& ui = platform::Current().Ui();
    if (ui.IsQuitRequested()) {
        return kModalResultQuit;
    }
    m_window = ui.CreateTopLevelWindow(m_description, *this, nullptr);
    OnCreate();
    OnInitDialog();
    if (CentresOnScreen()) {
        m_window->CenterOnScreen();
    }
    const int result = m_window->RunModal();
    // The framework destroys the dialog's window once its modal run is over.
    m_window->Destroy();
    return result;
}

bool DialogWindow::CreateOverlay(platform::Window& owner) {
    m_window = owner.CreateOverlayLayer(*this);
    if (!m_window) {
        return false;
    }
    OnCreate();
    OnInitDialog();
    return true;
}

bool DialogWindow::CreateModeless(platform::Window* owner) {
    m_modeless = true;
    m_window = platform::Current().Ui().CreateTopLevelWindow(m_description, *this, owner);
    if (!m_window) {
        return false;
    }
    OnCreate();
    OnInitDialog();
    return true;
}

void DialogWindow::EndDialog(int result) {
    if (!m_window) {
        return;
    }
    if (m_modeless) {
        // Ending a modeless dialog only hides it; it keeps its state and its page.
        m_window->ShowWindow(platform::ShowCommand::Hide);
        return;
    }
    m_window->EndModal(result);
}

bool DialogWindow::DestroyWindow() {
    if (!m_window) {
        return false;
    }
    m_window->Destroy();
    return true;
}

void DialogWindow::OnOK() { EndDialog(IDOK); }

void DialogWindow::OnCancel() { EndDialog(IDCANCEL); }

void DialogWindow::OnCloseRequested() { OnCancel(); }
