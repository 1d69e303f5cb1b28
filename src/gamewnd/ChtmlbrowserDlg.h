#pragma once

#include <chrono>
#include <memory>
#include <string>

#include "../app/DialogWindow.h"
#include "../platform/TrayIcon.h"
#include "../platform/WebView.h"

// The window that shows the game: a browser over its client area, a tray icon, and
// window.external.getAppVersion for its pages.
class ChtmlbrowserDlg : public DialogWindow, public platform::WebViewEvents, public platform::TrayEvents {
public:
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

    // Window events.
    void OnOK() override {}
    void OnCancel() override {}
    void OnCloseRequested() override { OnClose(); }
    platform::KeyDisposition PreTranslateKeyDown(platform::Key key) override;
    void OnSize(platform::SizeType type, platform::Size size) override;
    int OnTrayNotify(int id, int message) override;

    // Browser events.
    void OnBeforeNavigate2(const std::string& url, platform::NavigationTarget target, bool& cancel) override;
    void OnDocumentComplete(const std::string& url, platform::NavigationTarget target) override;
    void OnTitleChanged(const std::string& title) override;
    void OnWebProcessTerminated() override;

    platform::WebView* Browser() const { return m_browser.get(); }
    bool HasTrayIcon() const { return m_trayIcon != nullptr; }

protected:
    bool OnInitDialog() override;

private:
    void ShowInFront();
    void LayoutBrowser(platform::Size clientSize);

    std::unique_ptr<platform::WebView> m_browser;
    std::unique_ptr<platform::TrayIcon> m_trayIcon;
    std::chrono::system_clock::time_point m_lastCrashReload{};
    int m_recentCrashReloads = 0;
};
