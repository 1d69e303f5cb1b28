#pragma once

#include <cairo.h>

#include <memory>
#include <string>

#include "../Painter.h"
#include "CairoSurfaceCache.h"

namespace platform::cairo {

struct CairoDestroy {
    void operator()(cairo_t* cr) const {
        if (cr != nullptr) {
            cairo_destroy(cr);
        }
    }
};
using CairoPtr = std::unique_ptr<cairo_t, CairoDestroy>;

// Paints into a Cairo image surface; needs no display. Text goes through Pango, where
// fontconfig stands in the nearest installed font for a missing family and for scripts
// the family lacks.
//
// DrawImage clips a source rectangle reaching outside the picture to the picture and
// paints the matching part of the destination only, at the scale the whole rectangles
// give; the rest of the destination stays untouched.
//
// Invalid UTF-8 is drawn with U+FFFD in place of the bad bytes. Painters are for one
// thread: the converted pictures and laid-out lines they reuse are kept per thread.
class CairoPainter final : public Painter {
public:
    // Paints into the caller's image surface (ARGB32 or RGB24), keeping a reference to it
    // while the painter lives. A non-empty damage rectangle limits drawing to itself and
    // is what ClipBox() answers. Pictures go through the given cache, else this thread's.
    explicit CairoPainter(cairo_surface_t* target, Rect damage = {}, CairoSurfaceCache* cache = nullptr);
    // Paints into a transparent ARGB32 surface of its own.
    explicit CairoPainter(Size size, Rect damage = {}, CairoSurfaceCache* cache = nullptr);
    ~CairoPainter() override;
    CairoPainter(const CairoPainter&) = delete;
    CairoPainter& operator=(const CairoPainter&) = delete;

    cairo_surface_t* Surface() const { return m_surface.get(); }
    // For drawing this interface does not cover; clips set here stay in force.
    cairo_t* Context() const { return m_cr.get(); }

    Size SurfaceSize() const override { return m_size; }
    void ExcludeClip(const Rect& rect) override;
    Rect ClipBox() const override { return m_damage; }
    void DrawImage(const Image& image, const Rect& destination, const Rect& source) override;
    void DrawImageAt(const Image& image, Point topLeft) override;
    void DrawText(const std::string& utf8, const FontSpec& font, Color color, Point origin) override;
    void DrawTextCentered(const std::string& utf8, const FontSpec& font, Color color, const Rect& box) override;

private:
    CairoPainter(CairoSurfacePtr surface, Rect damage, CairoSurfaceCache* cache);
    void ShowText(const std::string& utf8, const FontSpec& font, Color color, const Rect* centreIn, Point origin);

    CairoSurfacePtr m_surface;
    CairoPtr m_cr;
    Size m_size;
    Rect m_damage;
    CairoSurfaceCache& m_cache;
};

}  // namespace platform::cairo
