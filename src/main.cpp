#include "app/COrvexClientApp.h"
#include "platform/gtk/GtkPlatform.h"

COrvexClientApp theApp;

int main(int argc, char** argv) {
    platform::gtk::GtkPlatform backend(argc, argv);
    platform::SetCurrent(&backend);
    theApp.InitInstance();
    platform::SetCurrent(nullptr);
    return 0;
}
