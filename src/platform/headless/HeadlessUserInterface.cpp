#include "HeadlessUserInterface.h"

#include <algorithm>

#include "HeadlessWindow.h"

namespace platform::headless {

std::unique_ptr<Window> HeadlessUserInterface::CreateTopLevelWindow(const WindowDescription& description,
                                                                    WindowEvents& events, Window* owner) {
    auto window = std::make_unique<HeadlessWindow>(*this, description, events, nullptr);
    window->SetOwnerWindow(dynamic_cast<HeadlessWindow*>(owner));
    return window;
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

namespace {
class HeadlessTrayIcon final : public TrayIcon {
public:
    HeadlessTrayIcon(HeadlessUserInterface& ui, int id) : m_ui(ui), m_id(id) {}
    ~HeadlessTrayIcon() override { m_ui.RemoveTrayEntry(m_id); }
    int Id() const override { return m_id; }

private:
    HeadlessUserInterface& m_ui;
    int m_id;
};
}  // namespace

std::unique_ptr<TrayIcon> HeadlessUserInterface::AddTrayIcon(int id, const std::string& tooltip, TrayEvents& events) {
    m_trayIcons.push_back({id, tooltip, &events});
    ++m_trayAdds;
    m_eventLog.push_back("tray-add");
    return std::make_unique<HeadlessTrayIcon>(*this, id);
}

void HeadlessUserInterface::RemoveTrayEntry(int id) {
    std::erase_if(m_trayIcons, [id](const TrayEntry& entry) { return entry.id == id; });
    m_eventLog.push_back("tray-remove");
}

int HeadlessUserInterface::TrackPopupMenu(Window*, const std::vector<MenuItem>& items) {
    m_menus.push_back(items);
    if (m_menuChoices.empty()) {
        return 0;
    }
    const int choice = m_menuChoices.front();
    m_menuChoices.pop_front();
    return choice;
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
