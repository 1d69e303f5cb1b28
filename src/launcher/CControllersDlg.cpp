#include "CControllersDlg.h"

#include "../app/AppSettings.h"
#include "../app/COrvexClientApp.h"
#include "../app/DialogResult.h"
#include "../browser/CDocHostUIHandlerImpl.h"
#include "../platform/Image.h"
#include "../platform/Platform.h"
#include "../report/FirstOpenReport.h"
#include "../skin/ResourceImageCache.h"
#include "COrvexClientDlg.h"
#include "GameEntryRules.h"

namespace {

// Process-wide: the one host handler, created at the panel's first DocumentComplete.
CDocHostUIHandlerImpl* g_pHostUIHandler = nullptr;

// Where the customer-service face sits on the launcher artwork.
constexpr platform::Rect kServiceButtonRect{80, 586, 80 + 104, 586 + 31};

platform::WindowDescription PanelDescription() {
    platform::WindowDescription description;
    // The template's 416 x 252 dialog units; the launcher's rectangle decides the real size.
    description.size = DialogWindow::DialogUnitsToPixels(416, 252);
    return description;
}

}  // namespace

CControllersDlg::CControllersDlg() : DialogWindow(PanelDescription()) {}

// The panel gives up its reference to the host handler when it goes, like its DestroyWindow.
CControllersDlg::~CControllersDlg() {
    m_browser.DestroyWindow();
    ReleaseHostUIHandler();
}

void CControllersDlg::ReleaseHostUIHandler() {
    if (g_pHostUIHandler != nullptr) {
        g_pHostUIHandler->Release();
        g_pHostUIHandler = nullptr;
    }
}

CDocHostUIHandlerImpl* CControllersDlg::HostUIHandler() { return g_pHostUIHandler; }

void CControllersDlg::ResetProcessStateForTests() { ReleaseHostUIHandler(); }

void CControllersDlg::CreateImageButton(std::unique_ptr<platform::ImageButton>& button, int id, int normalImage,
                                        int pressedImage) {
    // The buttons' faces belong to them alone and do not pass through the cache.
    const platform::Image normal = ResourceImageCache::LoadUncached(normalImage, platform::ResourceKind::Bitmap);
    const platform::Image pressed = ResourceImageCache::LoadUncached(pressedImage, platform::ResourceKind::Bitmap);
    button = GetWindow()->CreateImageButton(id, normal, pressed);
    if (button) {
        button->SetSize({normal.Width(), normal.Height()});
        button->MoveWindow({0, 0, 100, 100});
    }
}

bool CControllersDlg::OnInitDialog() {
    CreateImageButton(m_btnClose, kCloseButton, 135, 151);
    CreateImageButton(m_btnHome, kHomeButton, 155, 159);
    CreateImageButton(m_btnBbs, kBbsButton, 153, 157);
    CreateImageButton(m_btnCharge, kChargeButton, 154, 158);
    // The customer-service face keeps one fixed place on the artwork.
    CreateImageButton(m_btnService, kServiceButton, 156, 160);
    if (m_btnService) {
        m_btnService->MoveWindow(kServiceButtonRect);
    }

    if (m_browser.Create(*GetWindow(), *this)) {
        m_browser.SetVisible(true);
        m_browser.SetVisible(false);
        m_browser.MoveWindow(platform::Rect::FromPointSize({2000, 2000}, {1, 1}));
        m_browser.SetSilent(true);
    }

    AppSettings::Instance().SetDefaults();
    ReportFirstOpen();

    if (m_browser.GetReadyState() == platform::READYSTATE_COMPLETE) {
        m_browser.Navigate("about:blank");
    }
    return true;
}

void CControllersDlg::OnMove() {
    if (!m_btnClose || GetWindow() == nullptr) {
        return;
    }
    const int width = GetWindow()->GetWindowRect().Width();
    m_btnClose->MoveWindow(platform::Rect::FromPointSize({width - 63, 56}, {23, 23}));
    if (m_btnHome) {
        m_btnHome->MoveWindow(platform::Rect::FromPointSize({289, 45}, {138, 37}));
    }
    if (m_btnBbs) {
        m_btnBbs->MoveWindow(platform::Rect::FromPointSize({572, 45}, {138, 37}));
    }
    if (m_btnCharge) {
        m_btnCharge->MoveWindow(platform::Rect::FromPointSize({431, 45}, {138, 37}));
    }
}

void CControllersDlg::OnCommand(int id) {
    switch (id) {
        case kCloseButton: {
            const platform::MessageBoxResult answer = platform::Current().Ui().ShowMessageBox(
                GetWindow(), "正在游戏中，确定退出游戏?", "关闭提示", platform::MessageBoxButtons::YesNo,
                platform::MessageBoxIcon::None);
            if (answer == platform::MessageBoxResult::Yes) {
                platform::Current().Ui().RequestQuit();
            }
            break;
        }
        case kHomeButton: OpenSetting("home"); break;
        case kBbsButton: OpenSetting("bbs"); break;
        case kServiceButton: OpenSetting("service"); break;
        case kChargeButton: OpenSetting("charge"); break;
        default: break;
    }
}

void CControllersDlg::OpenSetting(const char* key) {
    platform::Current().ShellOpen().Open(AppSettings::Instance().GetValue(key));
}

void CControllersDlg::OnCloseRequested() { EndDialog(IDCANCEL); }

platform::KeyDisposition CControllersDlg::PreTranslateKeyDown(platform::Key key) { return SendEnterAndEscapeToPage(key); }

// What no control covers belongs to the launcher below, which is dragged by it.
platform::HitTestCode CControllersDlg::OnHitTest(platform::Point) { return platform::HitTestCode::Caption; }

void CControllersDlg::OnDocumentComplete(const std::string& url, platform::NavigationTarget) {
    if (g_pHostUIHandler == nullptr) {
        if (m_browser.GetDocument()) {
            g_pHostUIHandler = new CDocHostUIHandlerImpl();
            m_browser.SetUIHandler(*g_pHostUIHandler);
        }
        m_browser.Navigate(AppSettings::Instance().GetStartPage());
        return;
    }
    if (url.find("about:blank") != std::string::npos) {
        return;
    }
    if (AppSettings::Instance().GetValue("platform") == "6711") {
        m_browser.MoveWindow(platform::Rect::FromPointSize({317, 114}, {681, 500}));
    } else {
        m_browser.MoveWindow(platform::Rect::FromPointSize({279, 266}, {682, 351}));
    }
    m_browser.SetVisible(true);
}

void CControllersDlg::OnBeforeNavigate2(const std::string& url, platform::NavigationTarget, bool& cancel) {
    AppSettings& settings = AppSettings::Instance();
    if (!IsGameEntryAddress(settings.GetValue("platform"), url)) {
        return;
    }
    cancel = true;
    m_browser.Stop();
    if (settings.GetValue("airclient") == "true") {
        StartAirClient(url);
        return;
    }
    COrvexClientApp* application = COrvexClientApp::Current();
    if (application == nullptr) {
        return;
    }
    application->m_strGameUrl = url;
    if (COrvexClientDlg* launcher = application->LauncherInstance()) {
        launcher->OnOK();
    }
}

void CControllersDlg::OnNewWindow(const std::string& url) {
    bool cancel = false;
    OnBeforeNavigate2(url, platform::NavigationTarget::NewWindow, cancel);
    if (!cancel) {
        platform::Current().ShellOpen().Open(url);
    }
}

void CControllersDlg::StartAirClient(std::string address) {
    const std::string path = AppSettings::Instance().GetModuleDirectory() + "/game/OrvexClient";
    if (platform::Current().Launcher().Spawn(path, {path, "p", address})) {
        platform::Current().Ui().RequestQuit();
    }
}

bool CControllersDlg::DestroyWindow() {
    m_browser.DestroyWindow();
    ReleaseHostUIHandler();
    return DialogWindow::DestroyWindow();
}
