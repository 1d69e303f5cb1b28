// e2e-probe-window: a plain GTK window for testing the harness itself without the client.
// It reports what reaches it on stdout, one line each:
//   ready X Y W H        once mapped
//   click X Y BUTTON     a button press, in window coordinates
//   key NAME             a key press
//   closed               the window manager asked it to close; it then exits with --close-code
//
// usage: e2e-probe-window --title T [--size WxH] [--color #rrggbb] [--undecorated] [--center]
//                         [--close-code N]
#include <gtk/gtk.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

// GTK keeps its one-time allocations until the end; in a sanitizer build they would turn
// every exit into a leak report and exit code 1.
extern "C" const char* __asan_default_options() { return "detect_leaks=0"; }

namespace {

struct Probe {
    std::string title = "Probe";
    int width = 320;
    int height = 200;
    GdkRGBA color{0.75, 0.125, 0.125, 1.0};
    bool undecorated = false;
    bool center = false;
    int closeCode = 0;
};

void Report(const std::string& line) {
    std::fputs((line + "\n").c_str(), stdout);
    std::fflush(stdout);
}

bool Parse(int argc, char** argv, Probe& probe) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view option = argv[i];
        const bool hasValue = i + 1 < argc;
        if (option == "--undecorated") {
            probe.undecorated = true;
        } else if (option == "--center") {
            probe.center = true;
        } else if (option == "--title" && hasValue) {
            probe.title = argv[++i];
        } else if (option == "--size" && hasValue) {
            if (std::sscanf(argv[++i], "%dx%d", &probe.width, &probe.height) != 2) return false;
        } else if (option == "--color" && hasValue) {
            if (!gdk_rgba_parse(&probe.color, argv[++i])) return false;
        } else if (option == "--close-code" && hasValue) {
            probe.closeCode = std::atoi(argv[++i]);
        } else {
            return false;
        }
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    gtk_init(&argc, &argv);
    Probe probe;
    if (!Parse(argc, argv, probe)) {
        std::fputs("e2e-probe-window: bad arguments\n", stderr);
        return 2;
    }
    GtkWidget* window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    GtkWindow* asWindow = GTK_WINDOW(window);
    gtk_window_set_title(asWindow, probe.title.c_str());
    gtk_window_set_default_size(asWindow, probe.width, probe.height);
    gtk_window_set_resizable(asWindow, FALSE);
    gtk_window_set_decorated(asWindow, probe.undecorated ? FALSE : TRUE);
    if (probe.center) gtk_window_set_position(asWindow, GTK_WIN_POS_CENTER);
    gtk_widget_set_size_request(window, probe.width, probe.height);
    gtk_widget_set_app_paintable(window, TRUE);
    gtk_widget_add_events(window, GDK_BUTTON_PRESS_MASK | GDK_KEY_PRESS_MASK);

    g_signal_connect(window, "draw", G_CALLBACK(+[](GtkWidget*, cairo_t* cr, gpointer data) -> gboolean {
                         const auto* self = static_cast<const Probe*>(data);
                         gdk_cairo_set_source_rgba(cr, &self->color);
                         cairo_paint(cr);
                         return TRUE;
                     }),
                     &probe);
    g_signal_connect(window, "map-event", G_CALLBACK(+[](GtkWidget* widget, GdkEvent*, gpointer) -> gboolean {
                         int x = 0;
                         int y = 0;
                         gtk_window_get_position(GTK_WINDOW(widget), &x, &y);
                         Report("ready " + std::to_string(x) + " " + std::to_string(y) + " " +
                                std::to_string(gtk_widget_get_allocated_width(widget)) + " " +
                                std::to_string(gtk_widget_get_allocated_height(widget)));
                         return FALSE;
                     }),
                     nullptr);
    g_signal_connect(window, "button-press-event",
                     G_CALLBACK(+[](GtkWidget*, GdkEventButton* event, gpointer) -> gboolean {
                         Report("click " + std::to_string(static_cast<int>(event->x)) + " " +
                                std::to_string(static_cast<int>(event->y)) + " " + std::to_string(event->button));
                         return TRUE;
                     }),
                     nullptr);
    g_signal_connect(window, "key-press-event", G_CALLBACK(+[](GtkWidget*, GdkEventKey* event, gpointer) -> gboolean {
                         const char* name = gdk_keyval_name(event->keyval);
                         Report(std::string("key ") + (name != nullptr ? name : "?"));
                         return TRUE;
                     }),
                     nullptr);
    g_signal_connect(window, "delete-event", G_CALLBACK(+[](GtkWidget*, GdkEvent*, gpointer) -> gboolean {
                         Report("closed");
                         gtk_main_quit();
                         return TRUE;
                     }),
                     nullptr);
    gtk_widget_show_all(window);
    gtk_main();
    gtk_widget_destroy(window);
    return probe.closeCode;
}
