#include "GtkUserInterface.h"

#include "../glib/GObjectPtr.h"
#include "GtkOverlayLayer.h"
#include "GtkTopLevelWindow.h"
#include "GtkTrayIcon.h"

namespace platform::gtk {

GtkUserInterface::GtkUserInterface(WebSession& webSession, GtkResources& resources)
    : m_webSession(webSession), m_resources(resources) {}

std::unique_ptr<Window> GtkUserInterface::CreateTopLevelWindow(const WindowDescription& description,
                                                               WindowEvents& events, Window* owner) {
    auto window = std::make_unique<GtkTopLevelWindow>(*this, m_webSession, m_resources, description, events);
    if (auto* ownerWindow = dynamic_cast<GtkTopLevelWindow*>(owner); ownerWindow != nullptr) {
        window->SetOwner(*ownerWindow);
    }
    return window;
}

MessageBoxResult GtkUserInterface::ShowMessageBox(Window* owner, const std::string& text, const std::string& caption,
                                                  MessageBoxButtons buttons, MessageBoxIcon icon) {
    GtkWindow* parent = nullptr;
    if (auto* window = dynamic_cast<GtkTopLevelWindow*>(owner)) {
        parent = window->NativeWindow();
    } else if (auto* layer = dynamic_cast<GtkOverlayLayer*>(owner)) {
        parent = layer->Owner().NativeWindow();
    }
    const GtkMessageType type = icon == MessageBoxIcon::Exclamation ? GTK_MESSAGE_WARNING : GTK_MESSAGE_OTHER;
    const GtkButtonsType gtkButtons = buttons == MessageBoxButtons::YesNo ? GTK_BUTTONS_YES_NO : GTK_BUTTONS_OK;
    GtkWidget* dialog = gtk_message_dialog_new(parent, static_cast<GtkDialogFlags>(GTK_DIALOG_MODAL | GTK_DIALOG_DESTROY_WITH_PARENT), type,
                                               gtkButtons, "%s", text.c_str());
    gtk_window_set_title(GTK_WINDOW(dialog), caption.c_str());
    gtk_window_set_position(GTK_WINDOW(dialog), parent != nullptr ? GTK_WIN_POS_CENTER_ON_PARENT
                                                                  : GTK_WIN_POS_CENTER);
    gtk_window_set_keep_above(GTK_WINDOW(dialog), TRUE);

    // A nested loop of our own, so a quit request ends the box like any modal run.
    ModalRun run;
    run.result = GTK_RESPONSE_DELETE_EVENT;
    struct ResponseContext {
        GtkUserInterface* ui;
        ModalRun* run;
    } context{this, &run};
    const gulong handler = g_signal_connect(
        dialog, "response", reinterpret_cast<GCallback>(+[](GtkDialog*, gint response, gpointer data) {
            auto* ctx = static_cast<ResponseContext*>(data);
            ctx->ui->End(*ctx->run, response);
        }),
        &context);
    gtk_widget_show_all(dialog);
    const int response = m_quitRequested ? GTK_RESPONSE_DELETE_EVENT : RunNestedLoop(run);
    g_signal_handler_disconnect(dialog, handler);
    gtk_widget_destroy(dialog);

    if (buttons == MessageBoxButtons::Ok) {
        return MessageBoxResult::Ok;
    }
    return response == GTK_RESPONSE_YES ? MessageBoxResult::Yes : MessageBoxResult::No;
}

namespace {
// Unregisters itself from the interface when the core removes the icon.
class RegisteredTrayIcon final : public TrayIcon {
public:
    RegisteredTrayIcon(GtkUserInterface& ui, std::unique_ptr<GtkTrayIcon> icon) : m_ui(ui), m_icon(std::move(icon)) {}
    ~RegisteredTrayIcon() override { m_ui.ForgetTrayIcon(m_icon.get()); }
    int Id() const override { return m_icon->Id(); }

private:
    GtkUserInterface& m_ui;
    std::unique_ptr<GtkTrayIcon> m_icon;
};
}  // namespace

std::unique_ptr<TrayIcon> GtkUserInterface::AddTrayIcon(int id, const std::string& tooltip, TrayEvents& events) {
    auto icon = std::make_unique<GtkTrayIcon>(id, tooltip, events, m_resources);
    m_trayIcons.push_back(icon.get());
    return std::make_unique<RegisteredTrayIcon>(*this, std::move(icon));
}

void GtkUserInterface::ForgetTrayIcon(GtkTrayIcon* icon) { std::erase(m_trayIcons, icon); }

int GtkUserInterface::TrackPopupMenu(Window* owner, const std::vector<MenuItem>& items) {
    // A pick made in a tray menu already answers the menu the core asks for.
    for (GtkTrayIcon* icon : m_trayIcons) {
        if (const int choice = icon->TakePendingChoice(); choice != 0) {
            return choice;
        }
    }
    GtkWidget* menu = gtk_menu_new();
    g_object_ref_sink(menu);
    GObjectPtr<GtkWidget> menuOwner(menu);
    struct Tracking {
        GtkUserInterface* ui;
        ModalRun run;
        int chosen = 0;
    } tracking{this, {}, 0};
    SignalConnections signals;
    for (const MenuItem& entry : items) {
        GtkWidget* item = gtk_menu_item_new_with_label(entry.text.c_str());
        g_object_set_data(G_OBJECT(item), "varnholt-command", GINT_TO_POINTER(entry.command));
        signals.Connect(item, "activate", +[](GtkMenuItem* menuItem, gpointer data) {
            static_cast<Tracking*>(data)->chosen =
                GPOINTER_TO_INT(g_object_get_data(G_OBJECT(menuItem), "varnholt-command"));
        }, &tracking);
        gtk_menu_shell_append(GTK_MENU_SHELL(menu), item);
    }
    // "deactivate" comes before an item's "activate"; the loop ends once the menu is done.
    signals.Connect(menu, "selection-done", +[](GtkMenuShell*, gpointer data) {
        auto* t = static_cast<Tracking*>(data);
        t->ui->End(t->run, 0);
    }, &tracking);
    gtk_widget_show_all(menu);
    if (auto* window = dynamic_cast<GtkTopLevelWindow*>(owner); window != nullptr && window->NativeWindow() != nullptr) {
        gtk_menu_attach_to_widget(GTK_MENU(menu), GTK_WIDGET(window->NativeWindow()), nullptr);
    }
    gtk_menu_popup_at_pointer(GTK_MENU(menu), nullptr);
    RunNestedLoop(tracking.run);
    signals.DisconnectAll();
    gtk_widget_destroy(menu);
    return tracking.chosen;
}

void GtkUserInterface::RequestQuit() {
    m_quitRequested = true;
    if (!m_modalStack.empty()) {
        End(*m_modalStack.back(), -1);
    }
}

int GtkUserInterface::RunNestedLoop(ModalRun& run) {
    if (m_quitRequested) {
        return -1;
    }
    GMainLoopPtr loop(g_main_loop_new(nullptr, FALSE));
    run.loop = loop.get();
    m_modalStack.push_back(&run);
    if (!run.ended) {
        g_main_loop_run(loop.get());
    }
    m_modalStack.pop_back();
    run.loop = nullptr;
    // A quit request seen by an inner loop ends the loops around it as well.
    if (m_quitRequested) {
        if (!m_modalStack.empty()) {
            End(*m_modalStack.back(), -1);
        }
        return -1;
    }
    return run.result;
}

void GtkUserInterface::End(ModalRun& run, int result) {
    if (run.ended) {
        return;
    }
    run.ended = true;
    run.result = result;
    if (run.loop != nullptr) {
        g_main_loop_quit(run.loop);
    }
}

}  // namespace platform::gtk
