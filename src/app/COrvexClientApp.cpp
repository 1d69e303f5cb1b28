#include "COrvexClientApp.h"

#include "../gamewnd/ChtmlbrowserDlg.h"
#include "../launcher/COrvexClientDlg.h"
#include "../platform/Platform.h"
#include "AppSettings.h"
#include "DialogResult.h"

namespace {
COrvexClientApp* g_application = nullptr;
}

COrvexClientApp::COrvexClientApp() { g_application = this; }

COrvexClientApp::~COrvexClientApp() {
    if (g_application == this) {
        g_application = nullptr;
    }
}

COrvexClientApp* COrvexClientApp::Current() { return g_application; }

bool COrvexClientApp::InitInstance() {
    AppSettings::Instance();
    if (!m_pLauncher) {
        m_pLauncher = std::make_unique<COrvexClientDlg>();
    }
    const int result = m_pLauncher->DoModal();
    if (result != IDOK) {
        return false;
    }
    m_pLauncher->DestroyWindow();
    m_pLauncher.reset();

    ChtmlbrowserDlg gameWindow;
    gameWindow.DoModal();
    return false;
}

std::string COrvexClientApp::GetAppName() const {
    std::string name = platform::Current().Process().ExecutablePath();
    const std::size_t slash = name.rfind('/');
    if (slash != std::string::npos) {
        name.erase(0, slash + 1);
    }
    const std::size_t dot = name.rfind('.');
    if (dot != std::string::npos && dot > 0) {
        name.erase(dot);
    }
    return name;
}
