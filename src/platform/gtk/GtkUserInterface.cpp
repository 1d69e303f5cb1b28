#include "GtkUserInterface.h"

#include "GObjectPtr.h"
#include "GtkOverlayLayer.h"
#include "GtkTopLevelWindow.h"

namespace platform::gtk {

GtkUserInterface::GtkUserInterface(WebSession& webSession, GtkResources& resources)
    : m_webSession(webSession), m_resources(resources) {}

std::unique_ptr<Window> GtkUserInterface::CreateTopLevelWindow(const WindowDescription& description,
                                                               WindowEvents& events) {
    return std::make_unique<GtkTopLevelWindow>(*this, m_webSession, m_resources, description, events);
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
