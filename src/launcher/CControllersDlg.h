#pragma once

#include <memory>
#include <string>

#include "../app/DialogWindow.h"
#include "../browser/CExplorer1.h"
#include "../platform/ImageButton.h"
#include "../platform/WebView.h"

class CDocHostUIHandlerImpl;

// The launcher's interactive layer: the sign-in browser and the image buttons.
class CControllersDlg : public DialogWindow, public platform::WebViewEvents {
public:
    enum ButtonId { kCloseButton = 1, kBbsButton = 2, kChargeButton = 3, kHomeButton = 4, kServiceButton = 5 };
    static constexpr int kBrowserId = 1001;

    CControllersDlg();
    ~CControllersDlg() override;

    void OnBeforeNavigate2(const std::string& url, platform::NavigationTarget target, bool& cancel) override;
    void OnDocumentComplete(const std::string& url, platform::NavigationTarget target) override;
    void OnNewWindow(const std::string& url) override;
    void StartAirClient(std::string address);

    void OnCommand(int id) override;
    void OnMove() override;
    void OnOK() override {}
    void OnCancel() override {}
    void OnCloseRequested() override;
    platform::KeyDisposition PreTranslateKeyDown(platform::Key key) override;
    platform::HitTestCode OnHitTest(platform::Point point) override;
    bool DestroyWindow() override;

    CExplorer1& Browser() { return m_browser; }

    static CDocHostUIHandlerImpl* HostUIHandler();
    static void ResetProcessStateForTests();

protected:
    bool OnInitDialog() override;

private:
    void CreateImageButton(std::unique_ptr<platform::ImageButton>& button, int id, int normalImage,
                           int pressedImage);
    void OpenSetting(const char* key);
    static void ReleaseHostUIHandler();

    std::unique_ptr<platform::ImageButton> m_btnClose;
    std::unique_ptr<platform::ImageButton> m_btnHome;
    std::unique_ptr<platform::ImageButton> m_btnBbs;
    std::unique_ptr<platform::ImageButton> m_btnCharge;
    std::unique_ptr<platform::ImageButton> m_btnService;
    CExplorer1 m_browser;
};
