#pragma once

#include "Geometry.h"

namespace platform {

// A push button drawn from two pictures (normal, held down); a click reports the
// button's id to its window's OnCommand.
class ImageButton {
public:
    virtual ~ImageButton() = default;
    virtual int Id() const = 0;
    virtual void MoveWindow(const Rect& rectInWindow) = 0;
    virtual Rect GetRect() const = 0;
    virtual void SetSize(Size size) = 0;
};

}  // namespace platform
