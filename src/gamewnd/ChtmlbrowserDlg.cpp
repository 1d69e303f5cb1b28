#include "ChtmlbrowserDlg.h"

#include "../app/AppSettings.h"
#include "../app/COrvexClientApp.h"
#include "../app/DialogResult.h"
#include "../platform/Platform.h"
#include "../skin/ResourceImageCache.h"
#include "ChatDlg.h"
#include "ClearUrlCache.h"
#include "OpenSecondaryWindow.h"
#include "RestartLauncher.h"

namespace {

platform::WindowDescription GameWindowDescription() {
    platform::WindowDescription description;
    description.title = "Varnholt";
    // 836 x 428 dialog units of an 8-point dialog font: the size it restores to.
    description.size = DialogWindow::DialogUnitsToPixels(836, 428);
    description.style = platform::WindowStyle::Skinned;
    return description;
}

FrameValues GameFrameValues() {
    FrameValues values;
    values.captionHeight = 39;
    values.borderWidth = 3;
    values.frameTemplateId = 164;
    values.captionImageIds = {163, 162, 161};
    values.bandColumnX = 218;
    values.leftPartWidth = 218;
    values.rightPartWidth = 50;
    values.iconPosition = {15, 13};
    values.titleFont = {"Tahoma", 12.0, platform::FontUnit::Pixels, 700};
    values.titleOrigin = {60, 15};
    return values;
}

constexpr int kFaceId = 165;

platform::Rect CaptionRect(int left, int right) { return {left, 10, right, 30}; }

std::string GameAddress() {
    const COrvexClientApp* application = COrvexClientApp::Current();
    return application != nullptr ? application->m_strGameUrl : std::string();
}

// A page whose process keeps dying is not reloaded forever.
constexpr int kMaxCrashReloads = 3;
constexpr std::chrono::seconds kCrashWindow{60};

}  // namespace

ChtmlbrowserDlg::ChtmlbrowserDlg() : SkinnedDialog(GameWindowDescription(), GameFrameValues()) {}

ChtmlbrowserDlg::~ChtmlbrowserDlg() {
    if (m_browser) {
        m_browser->Destroy();
    }
}

bool ChtmlbrowserDlg::OnInitDialog() {
    m_browser = GetWindow()->CreateWebView(*this);
    OnClientAreaChanged(ClientRectInWindow());
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

void ChtmlbrowserDlg::CreateCaptionButtons(int W) {
    AddCaptionButton(kCloseButton, CaptionRect(W - 35, W - 15), m_captionImages.at(2));
    AddCaptionButton(kMaximizeButton, CaptionRect(W - 35, W - 15), m_captionImages.at(1));
    AddCaptionButton(kMinimizeButton, CaptionRect(W - 35, W - 15), m_captionImages.at(0));
    const auto face = ResourceImageCache::Instance().GetImage(kFaceId);
    AddCaptionButton(kHomeButton, CaptionRect(W - 45, W - 5), face, "官网");
    AddCaptionButton(kChargeButton, CaptionRect(W - 5, W + 35), face, "充值");
    AddCaptionButton(kClearCacheButton, CaptionRect(W + 35, W + 75), face, "清理");
    AddCaptionButton(kReloadButton, CaptionRect(W + 75, W + 115), face, "刷新");
}

void ChtmlbrowserDlg::LayoutCaptionButtons(int W) {
    MoveButton(kHomeButton, CaptionRect(W - 265, W - 225));
    MoveButton(kChargeButton, CaptionRect(W - 130, W - 90));
    MoveButton(kClearCacheButton, CaptionRect(W - 175, W - 135));
    MoveButton(kReloadButton, CaptionRect(W - 220, W - 180));
    MoveButton(kCloseButton, CaptionRect(W - 30, W - 10));
    MoveButton(kMaximizeButton, CaptionRect(W - 52, W - 32));
    MoveButton(kMinimizeButton, CaptionRect(W - 74, W - 54));
}

std::optional<platform::HitTestCode> ChtmlbrowserDlg::ButtonHitCode(int id) const {
    switch (id) {
        case kCloseButton: return platform::HitTestCode::CloseButton;
        case kMaximizeButton: return platform::HitTestCode::MaximizeButton;
        case kMinimizeButton: return platform::HitTestCode::MinimizeButton;
        default: return std::nullopt;
    }
}

bool ChtmlbrowserDlg::DispatchButtonRelease(int id) {
    switch (id) {
        case kCloseButton: OnSysCommand(SystemCommand::Close); return true;
        case kMaximizeButton:
            OnSysCommand(GetWindow()->IsMaximized() ? SystemCommand::Restore : SystemCommand::Maximize);
            return true;
        case kMinimizeButton: OnSysCommand(SystemCommand::Minimize); return true;
        case kHomeButton: OpenHomePage(); return true;
        case kChargeButton: OpenChargePage(); return true;
        case kReloadButton: ReloadGamePage(); return true;
        case kClearCacheButton: ClearBrowserCache(); return true;
        case kChatButton: ShowSecondaryWindow(); return true;
        default: return false;
    }
}

void ChtmlbrowserDlg::OnCommand(int id) {
    if (id == kChatButton) {
        ShowSecondaryWindow();
    }
}

platform::NcHandling ChtmlbrowserDlg::OnNcLButtonDblClk(platform::HitTestCode, platform::Point point) {
    const int id = HitCaptionButton(point);
    if (id != -1) {
        m_buttons[id].Press();
    } else if (point.y >= 0 && point.y < m_nCaptionHeight) {
        GetWindow()->ShowWindow(GetWindow()->IsMaximized() ? platform::ShowCommand::Restore
                                                           : platform::ShowCommand::Maximize);
    }
    Repaint();
    return platform::NcHandling::Handled;
}

void ChtmlbrowserDlg::OnClientAreaChanged(const platform::Rect& client) {
    if (m_browser) {
        m_browser->MoveWindow(client);
    }
}

void ChtmlbrowserDlg::ShowSecondaryWindow() {
    if (m_pChatDlg && m_pChatDlg->GetWindow() != nullptr && !m_pChatDlg->GetWindow()->IsVisible()) {
        m_pChatDlg->GetWindow()->ShowWindow(platform::ShowCommand::Show);
    }
}

void ChtmlbrowserDlg::OpenGameAddress(std::string address) {
    if (address.empty() || !m_browser) {
        return;
    }
    m_browser->Navigate(address);
    if (AppSettings::Instance().GetValue("platform") == "360") {
        OpenSecondaryWindow(*this, address);
    }
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

platform::KeyDisposition ChtmlbrowserDlg::PreTranslateKeyDown(platform::Key key) { return SendEnterAndEscapeToPage(key); }

void ChtmlbrowserDlg::OnSize(platform::SizeType type, platform::Size size) {
    SkinnedDialog::OnSize(type, size);
    if (type == platform::SizeType::Minimized) {
        // Minimised, the window leaves the taskbar too; only the tray brings it back.
        GetWindow()->ShowWindow(platform::ShowCommand::Hide);
    }
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
        ShowPageTitle(m_browser->GetTitle());
    }
}

void ChtmlbrowserDlg::OnTitleChanged(const std::string& title) { ShowPageTitle(title); }

void ChtmlbrowserDlg::OnWebProcessTerminated() {
    const auto now = platform::Current().Time().Now();
    while (!m_crashReloads.empty() && now - m_crashReloads.front() >= kCrashWindow) {
        m_crashReloads.pop_front();
    }
    if (static_cast<int>(m_crashReloads.size()) >= kMaxCrashReloads) {
        return;
    }
    m_crashReloads.push_back(now);
    ReloadGamePage();
}
