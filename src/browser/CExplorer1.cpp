#include "CExplorer1.h"

#include "CDocHostUIHandlerImpl.h"

CExplorer1::CExplorer1() = default;

CExplorer1::~CExplorer1() { DestroyWindow(); }

bool CExplorer1::Create(platform::Window& parent, platform::WebViewEvents& events) {
    m_view = parent.CreateWebView(events);
    return m_view != nullptr;
}

bool CExplorer1::GetDocument() const { return m_view && m_view->HasDocument(); }

void CExplorer1::Navigate(const std::string& url) {
    if (m_view) {
        m_view->Navigate(url);
    }
}

void CExplorer1::Stop() {
    if (m_view) {
        m_view->Stop();
    }
}

void CExplorer1::SetVisible(bool visible) {
    if (m_view) {
        m_view->SetVisible(visible);
    }
}

void CExplorer1::SetSilent(bool silent) {
    if (m_view) {
        m_view->SetSilent(silent);
    }
}

int CExplorer1::GetReadyState() const {
    return m_view ? m_view->GetReadyState() : platform::READYSTATE_UNINITIALIZED;
}

void CExplorer1::MoveWindow(const platform::Rect& rect) {
    if (m_view) {
        m_view->MoveWindow(rect);
    }
}

platform::Rect CExplorer1::GetWindowRect() const { return m_view ? m_view->GetRect() : platform::Rect(); }

void CExplorer1::DestroyWindow() {
    if (m_view) {
        m_view->Destroy();
        m_view.reset();
    }
    ReleaseUIHandler();
}

bool CExplorer1::SetUIHandler(IDocHostUIHandler& handler) {
    if (!GetDocument()) {
        return false;
    }
    ReleaseUIHandler();
    handler.AddRef();
    m_pUIHandler = &handler;
    m_view->ApplyHostUiPolicy(CDocHostUIHandlerImpl::PolicyOf(handler));
    return true;
}

void CExplorer1::ReleaseUIHandler() {
    if (m_pUIHandler != nullptr) {
        m_pUIHandler->Release();
        m_pUIHandler = nullptr;
    }
}
