#include "SkinnedFrameSurface.h"

#include "../cairo/CairoPainter.h"

namespace platform::gtk {

namespace {

// Passes everything on and remembers what the frame keeps out of its paint, so that the
// copy onto the window leaves the same area alone.
class ExclusionRecorder final : public Painter {
public:
    explicit ExclusionRecorder(Painter& target) : m_target(target) {}
    Size SurfaceSize() const override { return m_target.SurfaceSize(); }
    void ExcludeClip(const Rect& rect) override {
        excluded.push_back(rect);
        m_target.ExcludeClip(rect);
    }
    Rect ClipBox() const override { return m_target.ClipBox(); }
    void DrawImage(const Image& image, const Rect& destination, const Rect& source) override {
        m_target.DrawImage(image, destination, source);
    }
    void DrawImageAt(const Image& image, Point topLeft) override { m_target.DrawImageAt(image, topLeft); }
    void DrawText(const std::string& utf8, const FontSpec& font, Color color, Point origin) override {
        m_target.DrawText(utf8, font, color, origin);
    }
    void DrawTextCentered(const std::string& utf8, const FontSpec& font, Color color, const Rect& box) override {
        m_target.DrawTextCentered(utf8, font, color, box);
    }

    std::vector<Rect> excluded;

private:
    Painter& m_target;
};

}  // namespace

void SkinnedFrameSurface::Paint(cairo_t* cr, Size windowSize, WindowEvents& events) {
    if (windowSize.width <= 0 || windowSize.height <= 0) {
        return;
    }
    if (!m_surface || m_size != windowSize) {
        m_surface.reset(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, windowSize.width, windowSize.height));
        m_size = windowSize;
    }
    std::vector<Rect> excluded;
    {
        cairo::CairoPainter target(m_surface.get());
        ExclusionRecorder painter(target);
        events.OnNcPaint(painter);
        excluded = std::move(painter.excluded);
    }
    cairo_surface_flush(m_surface.get());
    cairo_save(cr);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    cairo_rectangle(cr, 0, 0, windowSize.width, windowSize.height);
    for (const Rect& rect : excluded) {
        cairo_rectangle(cr, rect.left, rect.top, rect.Width(), rect.Height());
    }
    cairo_clip(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_set_source_surface(cr, m_surface.get(), 0, 0);
    cairo_paint(cr);
    cairo_restore(cr);
}

}  // namespace platform::gtk
