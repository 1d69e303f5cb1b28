#include <gtest/gtest.h>

#include "browser/CDocHostUIHandlerImpl.h"

namespace {

TEST(HostUiHandler, AnswersAndReferenceCounting) {
    auto* handler = new CDocHostUIHandlerImpl();
    const int liveBefore = CDocHostUIHandlerImpl::LiveCount();

    void* out = reinterpret_cast<void*>(0x1);
    EXPECT_EQ(handler->QueryInterface(InterfaceId::IUnknown, &out), S_OK);
    EXPECT_EQ(out, static_cast<IDocHostUIHandler*>(handler));
    EXPECT_EQ(handler->QueryInterface(InterfaceId::IDocHostUIHandler, &out), S_OK);
    for (InterfaceId refused : {InterfaceId::IDocHostUIHandler2, InterfaceId::IOleCommandTarget}) {
        out = reinterpret_cast<void*>(0x1);
        EXPECT_EQ(handler->QueryInterface(refused, &out), E_NOINTERFACE);
        EXPECT_EQ(out, nullptr);
    }

    EXPECT_EQ(handler->ShowContextMenu(), S_OK);
    DOCHOSTUIINFO info;
    const char* css = "keep";
    info.pchHostCss = css;
    EXPECT_EQ(handler->GetHostInfo(&info), S_OK);
    EXPECT_EQ(info.cbSize, sizeof(DOCHOSTUIINFO));
    EXPECT_EQ(info.dwFlags, 0xCu);
    EXPECT_EQ(info.dwDoubleClick, 0u);
    EXPECT_EQ(info.pchHostCss, css) << "left untouched";
    out = reinterpret_cast<void*>(0x1);
    EXPECT_EQ(handler->GetExternal(&out), S_OK);
    EXPECT_EQ(out, nullptr);
    for (HRESULT notImplemented :
         {handler->ShowUI(), handler->HideUI(), handler->UpdateUI(), handler->EnableModeless(),
          handler->OnDocWindowActivate(), handler->OnFrameWindowActivate(), handler->ResizeBorder(),
          handler->TranslateAccelerator(), handler->GetOptionKeyPath(), handler->GetDropTarget(),
          handler->TranslateUrl(), handler->FilterDataObject()}) {
        EXPECT_EQ(notImplemented, E_NOTIMPL);
    }

    // 1 at creation + 2 from the successful queries.
    EXPECT_EQ(handler->Release(), 2);
    EXPECT_EQ(handler->AddRef(), 3);
    EXPECT_EQ(handler->Release(), 2);
    EXPECT_EQ(handler->Release(), 1);
    EXPECT_EQ(handler->Release(), 0);
    EXPECT_EQ(CDocHostUIHandlerImpl::LiveCount(), liveBefore - 1) << "the last release deletes it";
}

TEST(HostUiHandler, PolicyForPages) {
    auto* handler = new CDocHostUIHandlerImpl();
    const platform::HostUiPolicy policy = CDocHostUIHandlerImpl::PolicyOf(*handler);
    EXPECT_FALSE(policy.showContextMenu);
    EXPECT_FALSE(policy.showScrollBars);
    EXPECT_FALSE(policy.exposeExternal);
    handler->Release();
}

}  // namespace
