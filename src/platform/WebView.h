#pragma once

#include <string>
#include <utility>
#include <vector>

#include "Geometry.h"

namespace platform {

enum class NavigationTarget { TopLevel, Frame, NewWindow };

class WebViewEvents {
public:
    virtual ~WebViewEvents() = default;
    // Before a navigation's request leaves; setting cancel stops it from starting.
    virtual void OnBeforeNavigate2(const std::string& url, NavigationTarget target, bool& cancel) = 0;
    // A load finished (top level or a frame).
    virtual void OnDocumentComplete(const std::string& url, NavigationTarget target) = 0;
    virtual void OnTitleChanged(const std::string& /*title*/) {}
    // A page asks for a new window; the view never opens one itself.
    virtual void OnNewWindow(const std::string& /*url*/) {}
    // A page called a message method of window.external with one string.
    virtual void OnExternalCall(const std::string& /*method*/, const std::string& /*argument*/) {}
    // The process rendering the pages died; the view shows nothing until it loads again.
    virtual void OnWebProcessTerminated() {}
};

// What a host UI handler asks of the pages of a view.
struct HostUiPolicy {
    bool showContextMenu = true;
    bool showScrollBars = true;
    bool exposeExternal = true;
};

// What pages of a view reach through window.external: methods answering a fixed text at
// once, and methods that pass one string argument to the view's owner.
struct ExternalObject {
    std::vector<std::pair<std::string, std::string>> constantMethods;
    std::vector<std::string> messageMethods;
};

constexpr int READYSTATE_UNINITIALIZED = 0;
constexpr int READYSTATE_LOADING = 1;
constexpr int READYSTATE_COMPLETE = 4;

class WebView {
public:
    virtual ~WebView() = default;
    virtual void Navigate(const std::string& url) = 0;
    virtual void Stop() = 0;
    virtual void SetVisible(bool visible) = 0;
    virtual bool IsVisible() const = 0;
    virtual void SetSilent(bool silent) = 0;
    virtual int GetReadyState() const = 0;
    virtual bool HasDocument() const = 0;
    virtual std::string GetLocation() const = 0;
    virtual void MoveWindow(const Rect& rectInWindow) = 0;
    virtual Rect GetRect() const = 0;
    virtual void ApplyHostUiPolicy(const HostUiPolicy& policy) = 0;
    // Every frame of every later page, of any origin, finds this object as window.external.
    virtual void ExposeExternal(const ExternalObject& external) = 0;
    virtual std::string GetTitle() const = 0;
    virtual void Destroy() = 0;
};

}  // namespace platform
