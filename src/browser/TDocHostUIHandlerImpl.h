#pragma once

#include "HostUiInterfaces.h"

// Default answers of a host UI handler: nothing implemented.
class TDocHostUIHandlerImpl : public IDocHostUIHandler {
public:
    HRESULT ShowContextMenu() override { return E_NOTIMPL; }
    HRESULT GetHostInfo(DOCHOSTUIINFO*) override { return E_NOTIMPL; }
    HRESULT ShowUI() override { return E_NOTIMPL; }
    HRESULT HideUI() override { return E_NOTIMPL; }
    HRESULT UpdateUI() override { return E_NOTIMPL; }
    HRESULT EnableModeless() override { return E_NOTIMPL; }
    HRESULT OnDocWindowActivate() override { return E_NOTIMPL; }
    HRESULT OnFrameWindowActivate() override { return E_NOTIMPL; }
    HRESULT ResizeBorder() override { return E_NOTIMPL; }
    HRESULT TranslateAccelerator() override { return E_NOTIMPL; }
    HRESULT GetOptionKeyPath() override { return E_NOTIMPL; }
    HRESULT GetDropTarget() override { return E_NOTIMPL; }
    HRESULT GetExternal(void**) override { return E_NOTIMPL; }
    HRESULT TranslateUrl() override { return E_NOTIMPL; }
    HRESULT FilterDataObject() override { return E_NOTIMPL; }
};
