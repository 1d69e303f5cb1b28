#pragma once

#include <memory>
#include <optional>
#include <string>

#include "../platform/WebView.h"
#include "../skin/SkinnedDialog.h"

class ChtmlbrowserDlg;

// The customer-service window: a small skinned window along the game window's right edge
// whose page can rename it. Closing only hides it.
class ChatDlg : public SkinnedDialog, public platform::WebViewEvents {
public:
    static constexpr int kCloseButton = 20;

    ChatDlg();
    ~ChatDlg() override;

    void OpenAddress(std::string address);

    // Script methods of window.external.
    void getGsName(const std::string& name);
    void getNewMsg(const std::string& message);

    platform::KeyDisposition PreTranslateKeyDown(platform::Key key) override;
    platform::NcHandling OnNcLButtonDblClk(platform::HitTestCode, platform::Point) override {
        return platform::NcHandling::Handled;
    }

    // Browser events.
    void OnBeforeNavigate2(const std::string&, platform::NavigationTarget, bool&) override {}
    void OnDocumentComplete(const std::string& url, platform::NavigationTarget target) override;
    void OnTitleChanged(const std::string& title) override;
    void OnExternalCall(const std::string& method, const std::string& argument) override;

    platform::WebView* Browser() const { return m_browser.get(); }

    ChtmlbrowserDlg* m_pGameWnd = nullptr;

protected:
    bool OnInitDialog() override;
    void CreateCaptionButtons(int windowWidth) override;
    void LayoutCaptionButtons(int windowWidth) override;
    std::optional<platform::HitTestCode> ButtonHitCode(int id) const override;
    bool DispatchButtonRelease(int id) override;
    void OnClientAreaChanged(const platform::Rect& client) override;

private:
    std::unique_ptr<platform::WebView> m_browser;
};
