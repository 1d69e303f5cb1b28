#pragma once

#include <gtk/gtk.h>

#include <vector>

#include "../UserInterface.h"

namespace platform::gtk {

class WebSession;
class GtkResources;
class GtkTrayIcon;

// Modal runs are nested main loops; the innermost one is on top of the stack.
class GtkUserInterface final : public UserInterface {
public:
    GtkUserInterface(WebSession& webSession, GtkResources& resources);

    std::unique_ptr<Window> CreateTopLevelWindow(const WindowDescription& description, WindowEvents& events,
                                                 Window* owner) override;
    MessageBoxResult ShowMessageBox(Window* owner, const std::string& text, const std::string& caption,
                                    MessageBoxButtons buttons, MessageBoxIcon icon) override;
    std::unique_ptr<TrayIcon> AddTrayIcon(int id, const std::string& tooltip, TrayEvents& events) override;
    int TrackPopupMenu(Window* owner, const std::vector<MenuItem>& items) override;
    void RequestQuit() override;
    void ForgetTrayIcon(GtkTrayIcon* icon);
    bool IsQuitRequested() const override { return m_quitRequested; }

    struct ModalRun {
        GMainLoop* loop = nullptr;
        int result = 0;
        bool ended = false;
    };
    // Runs a nested loop until End(run) or a quit request; returns the run's result.
    int RunNestedLoop(ModalRun& run);
    void End(ModalRun& run, int result);

private:
    WebSession& m_webSession;
    GtkResources& m_resources;
    std::vector<ModalRun*> m_modalStack;
    std::vector<GtkTrayIcon*> m_trayIcons;
    bool m_quitRequested = false;
};

}  // namespace platform::gtk
