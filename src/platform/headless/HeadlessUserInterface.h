#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "../TrayIcon.h"
#include "../UserInterface.h"

namespace platform::headless {

class HeadlessWindow;

struct RecordedMessageBox {
    const Window* owner = nullptr;
    std::string text;
    std::string caption;
    MessageBoxButtons buttons = MessageBoxButtons::Ok;
    MessageBoxIcon icon = MessageBoxIcon::None;
};

class HeadlessUserInterface final : public UserInterface {
public:
    using ModalScript = std::function<void(HeadlessWindow&)>;

    std::unique_ptr<Window> CreateTopLevelWindow(const WindowDescription& description, WindowEvents& events,
                                                 Window* owner) override;
    MessageBoxResult ShowMessageBox(Window* owner, const std::string& text, const std::string& caption,
                                    MessageBoxButtons buttons, MessageBoxIcon icon) override;
    std::unique_ptr<TrayIcon> AddTrayIcon(int id, const std::string& tooltip, TrayEvents& events) override;
    int TrackPopupMenu(Window* owner, const std::vector<MenuItem>& items) override;
    void RequestQuit() override;
    bool IsQuitRequested() const override { return m_quitRequested; }

    // What happens while the next modal run is on screen, in order of the runs. A run whose
    // script ends nothing returns kUnendedRun.
    void ScriptModalRun(ModalScript script) { m_modalScripts.push_back(std::move(script)); }
    void AnswerNextMessageBox(MessageBoxResult answer) { m_answers.push_back(answer); }
    // Runs whenever a message box is shown (after its answer is chosen).
    void OnMessageBox(std::function<void(const RecordedMessageBox&)> observer) { m_messageBoxObserver = std::move(observer); }

    static constexpr int kUnendedRun = -1000;
    // The command the user picks from the next pop-up menu (0: dismissed).
    void ChooseFromNextMenu(int command) { m_menuChoices.push_back(command); }
    const std::vector<std::vector<MenuItem>>& Menus() const { return m_menus; }
    // The tray icons on screen now: id and tooltip; Tray(id) reaches their handler.
    struct TrayEntry {
        int id;
        std::string tooltip;
        TrayEvents* events;
    };
    const std::vector<TrayEntry>& TrayIcons() const { return m_trayIcons; }
    int TrayAdds() const { return m_trayAdds; }
    void RemoveTrayEntry(int id);
    // Ordered log of tray and process events, for checking sequences.
    std::vector<std::string>& EventLog() { return m_eventLog; }
    // The ready state a new browser reports before it is asked for anything.
    int newWebViewReadyState = 4;

    const std::vector<RecordedMessageBox>& MessageBoxes() const { return m_messageBoxes; }
    const std::vector<std::string>& ModalRuns() const { return m_modalRuns; }
    const std::vector<HeadlessWindow*>& Windows() const { return m_windows; }
    HeadlessWindow* LastWindow() const { return m_windows.empty() ? nullptr : m_windows.back(); }

    // Used by the windows.
    int RunModalLoop(HeadlessWindow& window, std::optional<int>& endResult);
    void EndInnermostModal(int result);
    void Register(HeadlessWindow* window) { m_windows.push_back(window); }
    void Unregister(HeadlessWindow* window);

private:
    std::deque<ModalScript> m_modalScripts;
    std::deque<MessageBoxResult> m_answers;
    std::function<void(const RecordedMessageBox&)> m_messageBoxObserver;
    std::vector<RecordedMessageBox> m_messageBoxes;
    std::vector<std::string> m_modalRuns;
    std::vector<HeadlessWindow*> m_windows;
    std::vector<std::optional<int>*> m_modalStack;
    bool m_quitRequested = false;
    std::deque<int> m_menuChoices;
    std::vector<std::vector<MenuItem>> m_menus;
    std::vector<TrayEntry> m_trayIcons;
    int m_trayAdds = 0;
    std::vector<std::string> m_eventLog;
};

}  // namespace platform::headless
