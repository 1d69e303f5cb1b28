#include "ChtmlbrowserDlg.h"

#include "../app/DialogResult.h"

namespace {
platform::WindowDescription GameWindowDescription() {
    platform::WindowDescription description;
    description.title = "Varnholt";
    // 836 x 428 dialog units of an 8-point dialog font.
    description.size = {836 * 6 / 4, 428 * 13 / 8};
    description.style = platform::WindowStyle::Plain;
    return description;
}
}  // namespace

ChtmlbrowserDlg::ChtmlbrowserDlg() : DialogWindow(GameWindowDescription()) {}

ChtmlbrowserDlg::~ChtmlbrowserDlg() = default;

bool ChtmlbrowserDlg::OnInitDialog() {
    GetWindow()->ShowWindow(platform::ShowCommand::ShowMaximized);
    return true;
}

platform::KeyDisposition ChtmlbrowserDlg::PreTranslateKeyDown(platform::Key key) {
    if (key == platform::Key::Enter || key == platform::Key::Escape) {
        return platform::KeyDisposition::DispatchToTarget;
    }
    return platform::KeyDisposition::DialogDefault;
}

void ChtmlbrowserDlg::OnClose() { EndDialog(IDCANCEL); }
