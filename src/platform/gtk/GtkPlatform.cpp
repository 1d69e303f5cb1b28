#include "GtkPlatform.h"

#include <gtk/gtk.h>

#include "GioShell.h"
#include "GtkResources.h"
#include "GtkWebDataStore.h"
#include "GtkUserInterface.h"
#include "SoupHttpClient.h"
#include "WebSession.h"

extern "C" void varnholt_register_resource(void);

namespace platform::gtk {

GtkPlatform::GtkPlatform(int& argc, char**& argv) : m_process(argc, argv) {
    gtk_init(&argc, &argv);
    varnholt_register_resource();
    m_resources = std::make_unique<GtkResources>();
    m_webSession = std::make_unique<WebSession>();
    m_ui = std::make_unique<GtkUserInterface>(*m_webSession, *m_resources);
    m_shell = std::make_unique<GioShell>();
    m_http = std::make_unique<SoupHttpClient>();
    m_webData = std::make_unique<GtkWebDataStore>(*m_webSession);
}

GtkPlatform::~GtkPlatform() = default;

UserInterface& GtkPlatform::Ui() { return *m_ui; }
Resources& GtkPlatform::Res() { return *m_resources; }
Shell& GtkPlatform::ShellOpen() { return *m_shell; }
HttpClient& GtkPlatform::Http() { return *m_http; }
WebDataStore& GtkPlatform::WebData() { return *m_webData; }

}  // namespace platform::gtk
