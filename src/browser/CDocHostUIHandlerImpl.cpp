#include "CDocHostUIHandlerImpl.h"

namespace {
std::atomic<int> g_liveHandlers{0};
}

int CDocHostUIHandlerImpl::LiveCount() { return g_liveHandlers.load(); }

CDocHostUIHandlerImpl::CDocHostUIHandlerImpl() { ++g_liveHandlers; }

CDocHostUIHandlerImpl::~CDocHostUIHandlerImpl() { --g_liveHandlers; }

HRESULT CDocHostUIHandlerImpl::QueryInterface(InterfaceId iid, void** ppvObject) {
    if (ppvObject == nullptr) {
        return E_NOINTERFACE;
    }
    if (iid == InterfaceId::IUnknown || iid == InterfaceId::IDocHostUIHandler) {
        *ppvObject = static_cast<IDocHostUIHandler*>(this);
        AddRef();
        return S_OK;
    }
    *ppvObject = nullptr;
    return E_NOINTERFACE;
}

long CDocHostUIHandlerImpl::AddRef() { return ++m_refCount; }

long CDocHostUIHandlerImpl::Release() {
    const long count = --m_refCount;
    if (count <= 0) {
        delete this;
    }
    return count;
}

HRESULT CDocHostUIHandlerImpl::ShowContextMenu() { return S_OK; }

HRESULT CDocHostUIHandlerImpl::GetHostInfo(DOCHOSTUIINFO* pInfo) {
    pInfo->cbSize = sizeof(DOCHOSTUIINFO);
    pInfo->dwFlags = DOCHOSTUIFLAG_NO3DBORDER | DOCHOSTUIFLAG_SCROLL_NO;
    pInfo->dwDoubleClick = DOCHOSTUIDBLCLK_DEFAULT;
    return S_OK;
}

HRESULT CDocHostUIHandlerImpl::GetExternal(void** ppDispatch) {
    *ppDispatch = nullptr;
    return S_OK;
}

platform::HostUiPolicy CDocHostUIHandlerImpl::PolicyOf(IDocHostUIHandler& handler) {
    platform::HostUiPolicy policy;
    policy.showContextMenu = handler.ShowContextMenu() != S_OK;
    DOCHOSTUIINFO info;
    if (handler.GetHostInfo(&info) == S_OK) {
        policy.showScrollBars = (info.dwFlags & DOCHOSTUIFLAG_SCROLL_NO) == 0;
    }
    void* external = nullptr;
    policy.exposeExternal = handler.GetExternal(&external) != S_OK || external != nullptr;
    return policy;
}
