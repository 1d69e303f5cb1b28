#include "ChtmlbrowserDlg.h"

#include "../app/AppSettings.h"
#include "../app/COrvexClientApp.h"
#include "../app/DialogResult.h"
#include "../platform/Platform.h"
#include "ClearUrlCache.h"
#include "RestartLauncher.h"

namespace {

platform::WindowDescription GameWindowDescription() {
    platform::WindowDescription description;
    description.title = "Varnholt";
    // 836 x 428 dialog units of an 8-point dialog font: the size it restores to.
    description.size = DialogWindow::DialogUnitsToPixels(836, 428);
    description.style = platform::WindowStyle::Plain;
    return description;
}

std::string GameAddress() {
    const COrvexClientApp* application = COrvexClientApp::Current();
    return application != nullptr ? application->m_strGameUrl : std::string();
}

// A page whose process keeps dying is not reloaded forever.
constexpr int kMaxCrashReloads = 3;
constexpr std::chrono::seconds kCrashWindow{60};

}  // namespace

ChtmlbrowserDlg::ChtmlbrowserDlg() : DialogWindow(GameWindowDescription()) {}

ChtmlbrowserDlg::~ChtmlbrowserDlg() {
    if (m_browser) {
        m_browser->Destroy();
    }
}

bool ChtmlbrowserDlg::OnInitDialog() {
    m_browser = GetWindow()->CreateWebView(*this);
    LayoutBrowser(GetWindow()->GetWindowRect().GetSize());
    AddTrayIcon();
    if (m_browser) {
        platform::ExternalObject external;
        external.constantMethods.emplace_back("getAppVersion", AppSettings::GetFileVersion());
        m_browser->ExposeExternal(external);
        m_browser->SetSilent(true);
    }
    OpenGameAddress(GameAddress());
    GetWindow()->ShowWindow(platform::ShowCommand::ShowMaximized);
    return true;
}

void ChtmlbrowserDlg::LayoutBrowser(platform::Size clientSize) {
    if (m_browser) {
        m_browser->MoveWindow(platform::Rect::FromPointSize({0, 0}, clientSize));
    }
}

void ChtmlbrowserDlg::OpenGameAddress(std::string address) {
    if (address.empty() || !m_browser) {
        return;
    }
    m_browser->Navigate(address);
}

void ChtmlbrowserDlg::ReloadGamePage() { OpenGameAddress(GameAddress()); }

void ChtmlbrowserDlg::OpenHomePage() {
    platform::Current().ShellOpen().Open(AppSettings::Instance().GetValue("home"));
}

void ChtmlbrowserDlg::OpenChargePage() {
    platform::Current().ShellOpen().Open(AppSettings::Instance().GetValue("charge"));
}

void ChtmlbrowserDlg::ClearBrowserCache() {
    const auto answer = platform::Current().Ui().ShowMessageBox(GetWindow(), "确定清理浏览器缓存?", "清理提示",
                                                                platform::MessageBoxButtons::YesNo,
                                                                platform::MessageBoxIcon::None);
    if (answer == platform::MessageBoxResult::Yes) {
        ClearUrlCache();
    }
}

void ChtmlbrowserDlg::AddTrayIcon() {
    m_trayIcon = platform::Current().Ui().AddTrayIcon(kTrayIconId, "Varnholt", *this);
}

void ChtmlbrowserDlg::RemoveTrayIcon() { m_trayIcon.reset(); }

void ChtmlbrowserDlg::OnClose() {
    const auto answer = platform::Current().Ui().ShowMessageBox(GetWindow(), "正在游戏中，确定退出游戏?", "关闭提示",
                                                                platform::MessageBoxButtons::YesNo,
                                                                platform::MessageBoxIcon::None);
    if (answer != platform::MessageBoxResult::Yes) {
        return;
    }
    RemoveTrayIcon();
    RestartLauncher();
    EndDialog(IDCANCEL);
}

platform::KeyDisposition ChtmlbrowserDlg::PreTranslateKeyDown(platform::Key key) {
    if (key == platform::Key::Enter || key == platform::Key::Escape) {
        return platform::KeyDisposition::DispatchToTarget;
    }
    return platform::KeyDisposition::DialogDefault;
}

void ChtmlbrowserDlg::OnSize(platform::SizeType type, platform::Size size) {
    if (type == platform::SizeType::Minimized) {
        // Minimised, the window leaves the taskbar too; only the tray brings it back.
        GetWindow()->ShowWindow(platform::ShowCommand::Hide);
        return;
    }
    LayoutBrowser(size);
}

void ChtmlbrowserDlg::ShowInFront() {
    GetWindow()->ShowWindow(platform::ShowCommand::ShowMaximized);
    GetWindow()->SetForeground();
}

int ChtmlbrowserDlg::OnTrayNotify(int id, int message) {
    if (id != kTrayIconId) {
        return 1;
    }
    if (message == platform::WM_LBUTTONDBLCLK) {
        ShowInFront();
        return 0;
    }
    if (message == platform::WM_RBUTTONUP) {
        const int command = platform::Current().Ui().TrackPopupMenu(
            GetWindow(), {{kMenuShow, "显示"}, {kMenuExit, "退出"}});
        if (command == kMenuShow) {
            ShowInFront();
        } else if (command == kMenuExit) {
            OnClose();
        }
        // Whatever was chosen, the player gets the game back in front.
        if (GetWindow() != nullptr) {
            ShowInFront();
        }
        return 0;
    }
    return 0;
}

void ChtmlbrowserDlg::OnBeforeNavigate2(const std::string&, platform::NavigationTarget, bool&) {}

void ChtmlbrowserDlg::OnDocumentComplete(const std::string&, platform::NavigationTarget target) {
    // The caption follows the top-level page's title, empty when it has none.
    if (target == platform::NavigationTarget::TopLevel && m_browser) {
        GetWindow()->SetTitle(m_browser->GetTitle());
    }
}

void ChtmlbrowserDlg::OnTitleChanged(const std::string& title) { GetWindow()->SetTitle(title); }

void ChtmlbrowserDlg::OnWebProcessTerminated() {
    const auto now = platform::Current().Time().Now();
    if (now - m_lastCrashReload > kCrashWindow) {
        m_recentCrashReloads = 0;
    }
    if (m_recentCrashReloads >= kMaxCrashReloads) {
        return;
    }
    ++m_recentCrashReloads;
    m_lastCrashReload = now;
    ReloadGamePage();
}
