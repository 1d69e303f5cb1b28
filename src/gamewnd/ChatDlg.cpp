#include "ChatDlg.h"

#include "../platform/Platform.h"

namespace {

FrameValues ChatFrameValues() {
    FrameValues values;
    values.captionHeight = 26;
    values.borderWidth = 3;
    values.frameTemplateId = 166;
    values.captionImageIds = {161};
    values.bandColumnX = 30;
    values.leftPartWidth = 30;
    values.rightPartWidth = 30;
    values.iconPosition = {5, 5};
    values.titleFont = {"宋体", 12.0, platform::FontUnit::Pixels, 400};
    values.titleOrigin = {5, 7};
    return values;
}

platform::WindowDescription ChatDescription() {
    platform::WindowDescription description;
    description.title = "Varnholt";
    description.size = DialogWindow::DialogUnitsToPixels(320, 200);
    description.style = platform::WindowStyle::Skinned;
    description.resizing = platform::Resizing::Fixed;
    return description;
}

platform::Rect CloseButtonRect(int windowWidth) { return {windowWidth - 25, 3, windowWidth - 5, 23}; }

}  // namespace

ChatDlg::ChatDlg() : SkinnedDialog(ChatDescription(), ChatFrameValues()) {}

ChatDlg::~ChatDlg() {
    if (m_browser) {
        m_browser->Destroy();
    }
}

bool ChatDlg::OnInitDialog() {
    m_browser = GetWindow()->CreateWebView(*this);
    OnClientAreaChanged(ClientRectInWindow());
    if (m_browser) {
        platform::ExternalObject external;
        external.messageMethods = {"getGsName", "getNewMsg"};
        m_browser->ExposeExternal(external);
        m_browser->SetSilent(true);
    }
    GetWindow()->SetTitle("客服");
    return true;
}

void ChatDlg::CreateCaptionButtons(int windowWidth) {
    AddCaptionButton(kCloseButton, CloseButtonRect(windowWidth), m_captionImages.at(0));
}

void ChatDlg::LayoutCaptionButtons(int windowWidth) { MoveButton(kCloseButton, CloseButtonRect(windowWidth)); }

std::optional<platform::HitTestCode> ChatDlg::ButtonHitCode(int id) const {
    if (id == kCloseButton) {
        return platform::HitTestCode::CloseButton;
    }
    return std::nullopt;
}

bool ChatDlg::DispatchButtonRelease(int id) {
    if (id == kCloseButton) {
        OnSysCommand(SystemCommand::Close);
        return true;
    }
    return false;
}

void ChatDlg::OnClientAreaChanged(const platform::Rect& client) {
    if (m_browser) {
        m_browser->MoveWindow(client);
    }
}

void ChatDlg::OpenAddress(std::string address) {
    if (address.empty() || !m_browser) {
        return;
    }
    m_browser->Navigate(address);
}

void ChatDlg::getGsName(const std::string& name) {
    GetWindow()->SetTitle(name + " 正在和您通话");
    if (GetWindow()->IsVisible()) {
        Repaint();
    }
}

void ChatDlg::getNewMsg(const std::string&) {}

void ChatDlg::OnExternalCall(const std::string& method, const std::string& argument) {
    if (method == "getGsName") {
        getGsName(argument);
    } else if (method == "getNewMsg") {
        getNewMsg(argument);
    }
}

platform::KeyDisposition ChatDlg::PreTranslateKeyDown(platform::Key key) { return SendEnterAndEscapeToPage(key); }

void ChatDlg::OnDocumentComplete(const std::string&, platform::NavigationTarget target) {
    if (target == platform::NavigationTarget::TopLevel && m_browser) {
        ShowPageTitle(m_browser->GetTitle());
    }
}

void ChatDlg::OnTitleChanged(const std::string& title) { ShowPageTitle(title); }
