#pragma once

#include <chrono>
#include <deque>
#include <memory>
#include <string>

#include "../platform/TrayIcon.h"
#include "../platform/WebView.h"
#include "../skin/SkinnedDialog.h"

class ChatDlg;

// The window that shows the game: a skinned frame with caption buttons, a browser over its
// client area, a tray icon, and window.external.getAppVersion for its pages.
class ChtmlbrowserDlg : public SkinnedDialog, public platform::WebViewEvents, public platform::TrayEvents {
public:
    enum CaptionButton {
        kHomeButton = 10,
        kChargeButton = 11,
        kReloadButton = 12,
        kClearCacheButton = 13,
        kChatButton = 14,
        kCloseButton = 110,
        kMaximizeButton = 111,
        kMinimizeButton = 112,
    };
    static constexpr int kTrayIconId = 7;
    static constexpr int kTrayCallbackMessage = 0x0401;  // WM_USER + 1
    static constexpr int kMenuShow = 15;
    static constexpr int kMenuExit = 17;

    ChtmlbrowserDlg();
    ~ChtmlbrowserDlg() override;

    // Operations (caption buttons, tray, keys).
    void OpenGameAddress(std::string address);
    void ReloadGamePage();
    void OpenHomePage();
    void OpenChargePage();
    void ClearBrowserCache();
    void AddTrayIcon();
    void RemoveTrayIcon();
    void OnClose();
    void ShowSecondaryWindow();

    // Window events.
    void OnOK() override {}
    void OnCancel() override {}
    void OnCloseRequested() override { OnClose(); }
    platform::KeyDisposition PreTranslateKeyDown(platform::Key key) override;
    void OnSize(platform::SizeType type, platform::Size size) override;
    platform::NcHandling OnNcLButtonDblClk(platform::HitTestCode code, platform::Point point) override;
    void OnCommand(int id) override;
    int OnTrayNotify(int id, int message) override;

    // Browser events.
    void OnBeforeNavigate2(const std::string& url, platform::NavigationTarget target, bool& cancel) override;
    void OnDocumentComplete(const std::string& url, platform::NavigationTarget target) override;
    void OnTitleChanged(const std::string& title) override;
    void OnWebProcessTerminated() override;

    platform::WebView* Browser() const { return m_browser.get(); }

    // The dormant secondary window.
    bool m_bChatOpened = false;
    std::unique_ptr<ChatDlg> m_pChatDlg;

protected:
    bool OnInitDialog() override;
    void CreateCaptionButtons(int windowWidth) override;
    void LayoutCaptionButtons(int windowWidth) override;
    std::optional<platform::HitTestCode> ButtonHitCode(int id) const override;
    bool DispatchButtonRelease(int id) override;
    void OnClientAreaChanged(const platform::Rect& client) override;

private:
    void ShowInFront();

    std::unique_ptr<platform::WebView> m_browser;
    std::unique_ptr<platform::TrayIcon> m_trayIcon;
    // When the page was last reloaded after its process died, newest last.
    std::deque<std::chrono::system_clock::time_point> m_crashReloads;
};
