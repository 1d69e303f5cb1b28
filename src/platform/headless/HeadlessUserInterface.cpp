#include "HeadlessUserInterface.h"

#include <algorithm>

#include "HeadlessWindow.h"

namespace platform::headless {

std::unique_ptr<Window> HeadlessUserInterface::CreateTopLevelWindow(const WindowDescription& description,
                                                                    WindowEvents& events) {
    return std::make_unique<HeadlessWindow>(*this, description, events, nullptr);
}

MessageBoxResult HeadlessUserInterface::ShowMessageBox(Window* owner, const std::string& text,
                                                       const std::string& caption, MessageBoxButtons buttons,
                                                       MessageBoxIcon icon) {
    m_messageBoxes.push_back({owner, text, caption, buttons, icon});
    MessageBoxResult answer = buttons == MessageBoxButtons::Ok ? MessageBoxResult::Ok : MessageBoxResult::No;
    if (!m_answers.empty()) {
        answer = m_answers.front();
        m_answers.pop_front();
    }
    if (m_messageBoxObserver) {
        m_messageBoxObserver(m_messageBoxes.back());
    }
    return answer;
}

void HeadlessUserInterface::RequestQuit() {
    m_quitRequested = true;
    EndInnermostModal(-1);
}

int HeadlessUserInterface::RunModalLoop(HeadlessWindow& window, std::optional<int>& endResult) {
    m_modalRuns.push_back(window.Description().title);
    if (m_quitRequested) {
        return -1;
    }
    m_modalStack.push_back(&endResult);
    if (!m_modalScripts.empty()) {
        ModalScript script = std::move(m_modalScripts.front());
        m_modalScripts.pop_front();
        script(window);
    }
    m_modalStack.pop_back();
    if (m_quitRequested) {
        return -1;
    }
    return endResult.value_or(kUnendedRun);
}

void HeadlessUserInterface::EndInnermostModal(int result) {
    if (!m_modalStack.empty() && !m_modalStack.back()->has_value()) {
        *m_modalStack.back() = result;
    }
}

void HeadlessUserInterface::Unregister(HeadlessWindow* window) { std::erase(m_windows, window); }

}  // namespace platform::headless
