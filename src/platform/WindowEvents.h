#pragma once

#include "Geometry.h"

namespace platform {

enum class Key { Enter, Escape, Other };

// What a window does with a key press before the dialog's own keyboard handling sees it.
enum class KeyDisposition {
    DialogDefault,     // the dialog handles it: Enter runs OnOK, Escape runs OnCancel
    DispatchToTarget,  // goes straight to the focused control (the page), never to the dialog
    Discard,           // nobody sees it
};

// Answers of a window's hit test, as the window manager understands them.
enum class HitTestCode {
    Nowhere,
    Client,
    Caption,
    SystemMenu,
    MinimizeButton,
    MaximizeButton,
    CloseButton,
    Left,
    Right,
    Top,
    TopLeft,
    TopRight,
    Bottom,
    BottomLeft,
    BottomRight,
};

enum class SizeType { Restored, Minimized, Maximized, MaxHide };

// Whether a non-client mouse message still gets the window manager's own handling
// (moving by the caption, resizing by the edges, the window menu).
enum class NcHandling { Handled, DefaultProcessing };

class Painter;

// Everything a platform window reports to the object that owns it.
class WindowEvents {
public:
    virtual ~WindowEvents() = default;
    // The window manager's close (Alt+F4, the taskbar, the title bar).
    virtual void OnCloseRequested() = 0;
    virtual KeyDisposition PreTranslateKeyDown(Key) { return KeyDisposition::DialogDefault; }
    virtual void OnOK() {}
    virtual void OnCancel() {}
    virtual void OnMove() {}
    virtual void OnSize(SizeType, Size) {}
    virtual void OnCommand(int /*id*/) {}
    // A press at a point (window coordinates) that no control takes; the answer drives the window manager.
    virtual HitTestCode OnHitTest(Point) { return HitTestCode::Client; }

    // Windows that paint their own frame: the pointer outside every control, in window
    // coordinates, with the hit-test answer for that point.
    virtual void OnNcPaint(Painter&) {}
    virtual void OnNcMouseMove(HitTestCode, Point) {}
    virtual void OnNcMouseLeave() {}
    virtual NcHandling OnNcLButtonDown(HitTestCode, Point) { return NcHandling::DefaultProcessing; }
    virtual NcHandling OnNcLButtonUp(HitTestCode, Point) { return NcHandling::DefaultProcessing; }
    virtual NcHandling OnNcLButtonDblClk(HitTestCode, Point) { return NcHandling::DefaultProcessing; }
    virtual void OnActivate(bool /*active*/) {}
    // The smallest size the user may give the window, from the system's.
    virtual Size OnGetMinTrackSize(Size systemMinimum) { return systemMinimum; }
};

}  // namespace platform
