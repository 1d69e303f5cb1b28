#include "COrvexClientDlg.h"

#include "../skin/ResourceImageCache.h"
#include "CControllersDlg.h"

namespace {
bool g_controlPanelCreated = false;  // the panel is created at most once per process

platform::WindowDescription LauncherDescription() {
    platform::WindowDescription description;
    description.title = "Varnholt";
    // The template's 319 x 200 dialog units; the picture decides the real size.
    description.size = DialogWindow::DialogUnitsToPixels(319, 200);
    description.style = platform::WindowStyle::Layered;
    return description;
}

// A plain dark picture keeps the launcher usable when its artwork is missing.
platform::Image FallbackBackground() {
    platform::Image image(COrvexClientDlg::kFallbackWidth, COrvexClientDlg::kFallbackHeight, true);
    for (int y = 0; y < image.Height(); ++y) {
        for (int x = 0; x < image.Width(); ++x) {
            std::uint8_t* pixel = image.PixelAt(x, y);
            pixel[0] = 0x1E;
            pixel[1] = 0x1A;
            pixel[2] = 0x18;
            pixel[3] = 0xFF;
        }
    }
    return image;
}
}  // namespace

COrvexClientDlg::COrvexClientDlg() : DialogWindow(LauncherDescription()) {}

COrvexClientDlg::~COrvexClientDlg() = default;

void COrvexClientDlg::OnCreate() {
    if (!g_controlPanelCreated) {
        m_pControlPanel = std::make_unique<CControllersDlg>();
        g_controlPanelCreated = true;
        m_pControlPanel->CreateOverlay(*GetWindow());
    }
}

bool COrvexClientDlg::OnInitDialog() {
    m_imgBackground = ResourceImageCache::LoadLauncherBackground(kBackgroundResourceId);
    if (m_imgBackground.IsNull()) {
        m_imgBackground = FallbackBackground();
    }
    DrawLayeredBackground();
    if (m_pControlPanel && m_pControlPanel->GetWindow() != nullptr) {
        m_pControlPanel->GetWindow()->ShowWindow(platform::ShowCommand::Show);
    }
    return true;
}

void COrvexClientDlg::PremultiplyInPlace(platform::Image& image) {
    for (int y = 0; y < image.Height(); ++y) {
        std::uint8_t* pixel = image.PixelAt(0, y);
        for (int x = 0; x < image.Width(); ++x, pixel += 4) {
            const unsigned alpha = pixel[3];
            pixel[0] = static_cast<std::uint8_t>(pixel[0] * alpha / 255);
            pixel[1] = static_cast<std::uint8_t>(pixel[1] * alpha / 255);
            pixel[2] = static_cast<std::uint8_t>(pixel[2] * alpha / 255);
        }
    }
}

void COrvexClientDlg::DrawLayeredBackground() {
    if (m_imgBackground.HasAlpha()) {
        PremultiplyInPlace(m_imgBackground);
    }
    GetWindow()->SetLayeredPicture(m_imgBackground);
}

platform::KeyDisposition COrvexClientDlg::PreTranslateKeyDown(platform::Key key) {
    if (key == platform::Key::Enter || key == platform::Key::Escape) {
        return platform::KeyDisposition::Discard;
    }
    return platform::KeyDisposition::DialogDefault;
}

platform::HitTestCode COrvexClientDlg::OnHitTest(platform::Point) { return platform::HitTestCode::Caption; }

void COrvexClientDlg::OnMove() {
    if (m_pControlPanel && m_pControlPanel->GetWindow() != nullptr) {
        m_pControlPanel->GetWindow()->MoveWindow(GetWindow()->GetWindowRect());
    }
}

void COrvexClientDlg::ResetProcessStateForTests() { g_controlPanelCreated = false; }
