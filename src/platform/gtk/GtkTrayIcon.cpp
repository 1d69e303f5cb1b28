#include "GtkTrayIcon.h"

#include <glib/gstdio.h>

#include "GtkResources.h"

namespace platform::gtk {

namespace {
constexpr const char* kIconName = "varnholt-client-tray";
constexpr const char* kCommandKey = "varnholt-command";

// The indicator loads its icon from a theme folder; the icon lives in our resources, so it
// is written once to the user's cache.
std::string IconFolder(GtkResources& resources, int iconId) {
    GCharPtr folder(g_build_filename(g_get_user_cache_dir(), "varnholt", "icons", nullptr));
    g_mkdir_with_parents(folder.get(), 0700);
    GCharPtr file(g_strconcat(folder.get(), G_DIR_SEPARATOR_S, kIconName, ".png", nullptr));
    if (GdkPixbuf* icon = resources.Icon(iconId)) {
        GObjectPtr<GdkPixbuf> scaled = AdoptObject(gdk_pixbuf_scale_simple(icon, 48, 48, GDK_INTERP_BILINEAR));
        if (scaled) {
            gdk_pixbuf_save(scaled.get(), file.get(), "png", nullptr, nullptr);
        }
    }
    return folder.get();
}
}  // namespace

GtkTrayIcon::GtkTrayIcon(int id, const std::string& tooltip, TrayEvents& events, GtkResources& resources)
    : m_id(id), m_events(events) {
    const std::string folder = IconFolder(resources, id);
    m_indicator = AdoptObject(app_indicator_new_with_path("varnholt-client", kIconName,
                                                          APP_INDICATOR_CATEGORY_APPLICATION_STATUS, folder.c_str()));
    app_indicator_set_title(m_indicator.get(), tooltip.c_str());
    m_menu = RetainObject(gtk_menu_new());
    GtkWidget* show = AddItem("显示", kShowCommand);
    AddItem("退出", kExitCommand);
    gtk_widget_show_all(m_menu.get());
    app_indicator_set_menu(m_indicator.get(), GTK_MENU(m_menu.get()));
    // Where the tray has no double-click, its activate action (middle click) shows the window.
    app_indicator_set_secondary_activate_target(m_indicator.get(), show);
    app_indicator_set_status(m_indicator.get(), APP_INDICATOR_STATUS_ACTIVE);
}

GtkTrayIcon::~GtkTrayIcon() {
    m_signals.DisconnectAll();
    app_indicator_set_status(m_indicator.get(), APP_INDICATOR_STATUS_PASSIVE);
}

GtkWidget* GtkTrayIcon::AddItem(const char* label, int command) {
    GtkWidget* item = gtk_menu_item_new_with_label(label);
    g_object_set_data(G_OBJECT(item), kCommandKey, GINT_TO_POINTER(command));
    m_signals.Connect(item, "activate", +[](GtkMenuItem* menuItem, gpointer self) {
        const int picked = GPOINTER_TO_INT(g_object_get_data(G_OBJECT(menuItem), kCommandKey));
        static_cast<GtkTrayIcon*>(self)->OnMenuItem(picked);
    }, this);
    gtk_menu_shell_append(GTK_MENU_SHELL(m_menu.get()), item);
    return item;
}

void GtkTrayIcon::OnMenuItem(int command) {
    m_pendingChoice = command;
    m_events.OnTrayNotify(m_id, WM_RBUTTONUP);
    m_pendingChoice = 0;
}

int GtkTrayIcon::TakePendingChoice() {
    const int choice = m_pendingChoice;
    m_pendingChoice = 0;
    return choice;
}

}  // namespace platform::gtk
