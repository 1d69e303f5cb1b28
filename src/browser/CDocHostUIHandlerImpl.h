#pragma once

#include <atomic>

#include "../platform/WebView.h"
#include "TDocHostUIHandlerImpl.h"

// The sign-in page's host: no context menu, no border, no scroll bars, no window.external.
// Reference counted; deletes itself when the last reference goes.
class CDocHostUIHandlerImpl final : public TDocHostUIHandlerImpl {
public:
    CDocHostUIHandlerImpl();

    HRESULT QueryInterface(InterfaceId iid, void** ppvObject) override;
    long AddRef() override;
    long Release() override;

    HRESULT ShowContextMenu() override;
    HRESULT GetHostInfo(DOCHOSTUIINFO* pInfo) override;
    HRESULT GetExternal(void** ppDispatch) override;

    // What these answers mean for a web view's pages.
    static platform::HostUiPolicy PolicyOf(IDocHostUIHandler& handler);

    // Live handler objects, for leak checks in tests.
    static int LiveCount();

private:
    ~CDocHostUIHandlerImpl() override;

    std::atomic<long> m_refCount{1};
};
