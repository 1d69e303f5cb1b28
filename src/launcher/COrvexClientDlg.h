#pragma once

#include <memory>

#include "../app/DialogWindow.h"
#include "../platform/Image.h"

class CControllersDlg;

// The launcher: a frameless window whose look is one picture with per-pixel alpha,
// carrying the control panel.
class COrvexClientDlg : public DialogWindow {
public:
    static constexpr int kBackgroundResourceId = 143;
    static constexpr int kFallbackWidth = 1016;
    static constexpr int kFallbackHeight = 680;

    COrvexClientDlg();
    ~COrvexClientDlg() override;

    CControllersDlg* ControlPanel() const { return m_pControlPanel.get(); }
    const platform::Image& Background() const { return m_imgBackground; }

    // Premultiplies the picture in place and hands it to the window.
    void DrawLayeredBackground();
    static void PremultiplyInPlace(platform::Image& image);

    // Unit tests run many start-ups in one process.
    static void ResetProcessStateForTests();

    platform::KeyDisposition PreTranslateKeyDown(platform::Key key) override;
    platform::HitTestCode OnHitTest(platform::Point point) override;
    void OnMove() override;

protected:
    void OnCreate() override;
    bool OnInitDialog() override;
    bool CentresOnScreen() const override { return true; }

private:
    platform::Image m_imgBackground;
    std::unique_ptr<CControllersDlg> m_pControlPanel;
};
