#pragma once

#include <gtk/gtk.h>
#include <libayatana-appindicator/app-indicator.h>

#include <string>

#include "../TrayIcon.h"
#include "../glib/GObjectPtr.h"

namespace platform::gtk {

class GtkResources;

// A StatusNotifierItem with the menu "显示" / "退出". Picking an item is reported as the
// right-button message; the menu the core then asks for answers with that pick.
class GtkTrayIcon final : public TrayIcon {
public:
    static constexpr int kShowCommand = 15;
    static constexpr int kExitCommand = 17;

    GtkTrayIcon(int id, const std::string& tooltip, TrayEvents& events, GtkResources& resources);
    ~GtkTrayIcon() override;

    int Id() const override { return m_id; }
    // The pick that led to the current right-button message; 0 when there is none.
    int TakePendingChoice();

private:
    void OnMenuItem(int command);
    GtkWidget* AddItem(const char* label, int command);

    int m_id;
    TrayEvents& m_events;
    GObjectPtr<AppIndicator> m_indicator;
    GObjectPtr<GtkWidget> m_menu;
    SignalConnections m_signals;
    int m_pendingChoice = 0;
};

}  // namespace platform::gtk
