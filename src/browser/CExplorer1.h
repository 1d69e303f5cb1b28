#pragma once

#include <memory>
#include <string>

#include "../platform/WebView.h"
#include "../platform/Window.h"

class IDocHostUIHandler;

// The browser control behind a window: navigation, stop, visibility, silent mode, ready state.
class CExplorer1 {
public:
    CExplorer1();
    ~CExplorer1();
    CExplorer1(const CExplorer1&) = delete;
    CExplorer1& operator=(const CExplorer1&) = delete;

    bool Create(platform::Window& parent, platform::WebViewEvents& events);
    bool IsCreated() const { return m_view != nullptr; }

    bool GetDocument() const;
    void Navigate(const std::string& url);
    void Stop();
    void SetVisible(bool visible);
    void SetSilent(bool silent);
    int GetReadyState() const;
    void MoveWindow(const platform::Rect& rect);
    platform::Rect GetWindowRect() const;
    void DestroyWindow();

    // The current document takes a reference to the handler and applies its answers.
    bool SetUIHandler(IDocHostUIHandler& handler);

private:
    void ReleaseUIHandler();

    std::unique_ptr<platform::WebView> m_view;
    IDocHostUIHandler* m_pUIHandler = nullptr;
};
