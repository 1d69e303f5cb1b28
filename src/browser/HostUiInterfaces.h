#pragma once

#include <cstdint>

// The small slice of the component object model that the host UI handler speaks.
using HRESULT = std::int32_t;
constexpr HRESULT S_OK = 0;
constexpr HRESULT E_NOTIMPL = static_cast<HRESULT>(0x80004001u);
constexpr HRESULT E_NOINTERFACE = static_cast<HRESULT>(0x80004002u);

enum class InterfaceId { IUnknown, IDocHostUIHandler, IDocHostUIHandler2, IOleCommandTarget, ICustomDoc };

constexpr std::uint32_t DOCHOSTUIFLAG_NO3DBORDER = 0x4;
constexpr std::uint32_t DOCHOSTUIFLAG_SCROLL_NO = 0x8;
constexpr std::uint32_t DOCHOSTUIDBLCLK_DEFAULT = 0;

struct DOCHOSTUIINFO {
    std::uint32_t cbSize = 0;
    std::uint32_t dwFlags = 0;
    std::uint32_t dwDoubleClick = 0;
    const char* pchHostCss = nullptr;
    const char* pchHostNS = nullptr;
};

class IUnknown {
public:
    virtual HRESULT QueryInterface(InterfaceId iid, void** ppvObject) = 0;
    virtual long AddRef() = 0;
    virtual long Release() = 0;

protected:
    virtual ~IUnknown() = default;
};

class IDocHostUIHandler : public IUnknown {
public:
    virtual HRESULT ShowContextMenu() = 0;
    virtual HRESULT GetHostInfo(DOCHOSTUIINFO* pInfo) = 0;
    virtual HRESULT ShowUI() = 0;
    virtual HRESULT HideUI() = 0;
    virtual HRESULT UpdateUI() = 0;
    virtual HRESULT EnableModeless() = 0;
    virtual HRESULT OnDocWindowActivate() = 0;
    virtual HRESULT OnFrameWindowActivate() = 0;
    virtual HRESULT ResizeBorder() = 0;
    virtual HRESULT TranslateAccelerator() = 0;
    virtual HRESULT GetOptionKeyPath() = 0;
    virtual HRESULT GetDropTarget() = 0;
    virtual HRESULT GetExternal(void** ppDispatch) = 0;
    virtual HRESULT TranslateUrl() = 0;
    virtual HRESULT FilterDataObject() = 0;
};
