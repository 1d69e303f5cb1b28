#include "CairoPainter.h"

#include <glib-object.h>
#include <glib.h>
#include <pango/pangocairo.h>

#include "../glib/GObjectPtr.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace platform::cairo {

namespace {

struct FontDescriptionFree {
    void operator()(PangoFontDescription* description) const { pango_font_description_free(description); }
};
struct FontOptionsDestroy {
    void operator()(cairo_font_options_t* options) const { cairo_font_options_destroy(options); }
};
struct PatternDestroy {
    void operator()(cairo_pattern_t* pattern) const { cairo_pattern_destroy(pattern); }
};
using PangoContextPtr = GObjectPtr<PangoContext>;
using PangoLayoutPtr = GObjectPtr<PangoLayout>;
using FontDescriptionPtr = std::unique_ptr<PangoFontDescription, FontDescriptionFree>;
using FontOptionsPtr = std::unique_ptr<cairo_font_options_t, FontOptionsDestroy>;
using PatternPtr = std::unique_ptr<cairo_pattern_t, PatternDestroy>;

// A line of text laid out once and shown on every frame after.
struct ShapedLine {
    std::string text;
    FontSpec font;
    PangoLayoutPtr layout;
    PangoRectangle logical{};
    std::uint64_t lastUse = 0;
};

constexpr std::size_t kShapedLineCapacity = 32;
constexpr double kPixelsPerPoint = 96.0 / 72.0;
constexpr double kLargestPixelSize = 4096.0;

bool SameFont(const FontSpec& a, const FontSpec& b) {
    return a.size == b.size && a.unit == b.unit && a.weight == b.weight && a.family == b.family;
}

int FloorHalf(int value) {
    return value >= 0 ? value / 2 : -((-value + 1) / 2);
}

Rect Intersection(const Rect& a, const Rect& b) {
    return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
}

// One context a thread, shared by every painter, so that lines laid out on one frame
// can be shown again on the next.
PangoContext* SharedContext() {
    thread_local const PangoContextPtr context = [] {
        PangoContextPtr created(pango_font_map_create_context(pango_cairo_font_map_get_default()));
        // Fixed rather than taken from a screen: there may be none.
        const FontOptionsPtr options(cairo_font_options_create());
        cairo_font_options_set_antialias(options.get(), CAIRO_ANTIALIAS_GRAY);
        cairo_font_options_set_hint_style(options.get(), CAIRO_HINT_STYLE_SLIGHT);
        cairo_font_options_set_hint_metrics(options.get(), CAIRO_HINT_METRICS_ON);
        pango_cairo_context_set_font_options(created.get(), options.get());
        pango_cairo_context_set_resolution(created.get(), 96.0);
        return created;
    }();
    return context.get();
}

FontDescriptionPtr DescriptionFor(const FontSpec& font, double pixels) {
    FontDescriptionPtr description(pango_font_description_new());
    pango_font_description_set_family(description.get(), font.family.empty() ? "Sans" : font.family.c_str());
    pango_font_description_set_absolute_size(description.get(), pixels * PANGO_SCALE);
    pango_font_description_set_weight(description.get(), static_cast<PangoWeight>(std::clamp(font.weight, 100, 1000)));
    return description;
}

// The laid-out line for the text in the font, from the cache of recent ones.
const ShapedLine* Shape(const std::string& utf8, const FontSpec& font) {
    thread_local std::vector<ShapedLine> lines;
    thread_local std::uint64_t clock = 0;
    ++clock;
    for (ShapedLine& line : lines) {
        if (line.text == utf8 && SameFont(line.font, font)) {
            line.lastUse = clock;
            return &line;
        }
    }
    const double pixels = font.unit == FontUnit::Points ? font.size * kPixelsPerPoint : font.size;
    if (!(pixels > 0.0)) {
        return nullptr;
    }
    PangoLayoutPtr layout(pango_layout_new(SharedContext()));
    pango_layout_set_single_paragraph_mode(layout.get(), TRUE);
    // Pango keeps sizes as ints in 1/1024ths of a pixel; far larger ones would overflow.
    pango_layout_set_font_description(layout.get(), DescriptionFor(font, std::min(pixels, kLargestPixelSize)).get());
    const auto length = static_cast<gssize>(utf8.size());
    if (g_utf8_validate(utf8.data(), length, nullptr)) {
        pango_layout_set_text(layout.get(), utf8.data(), static_cast<int>(length));
    } else {
        const GCharPtr valid(g_utf8_make_valid(utf8.data(), length));
        pango_layout_set_text(layout.get(), valid.get(), -1);
    }
    PangoRectangle logical{};
    pango_layout_get_pixel_extents(layout.get(), nullptr, &logical);

    if (lines.size() >= kShapedLineCapacity) {
        const auto oldest = std::min_element(lines.begin(), lines.end(), [](const ShapedLine& a, const ShapedLine& b) {
            return a.lastUse < b.lastUse;
        });
        lines.erase(oldest);
    }
    lines.push_back(ShapedLine{utf8, font, std::move(layout), logical, clock});
    return &lines.back();
}

}  // namespace

CairoPainter::CairoPainter(cairo_surface_t* target, Rect damage, CairoSurfaceCache* cache)
    : CairoPainter(CairoSurfacePtr(target != nullptr ? cairo_surface_reference(target)
                                                     : cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 0, 0)),
                   damage, cache) {}

CairoPainter::CairoPainter(Size size, Rect damage, CairoSurfaceCache* cache)
    : CairoPainter(CairoSurfacePtr(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, std::max(size.width, 0),
                                                              std::max(size.height, 0))),
                   damage, cache) {}

CairoPainter::CairoPainter(CairoSurfacePtr surface, Rect damage, CairoSurfaceCache* cache)
    : m_surface(std::move(surface)),
      m_cr(cairo_create(m_surface.get())),
      m_size{cairo_image_surface_get_width(m_surface.get()), cairo_image_surface_get_height(m_surface.get())},
      m_damage(damage.IsEmpty() ? Rect{} : damage),
      m_cache(cache != nullptr ? *cache : CairoSurfaceCache::ForThisThread()) {
    if (!m_damage.IsEmpty()) {
        cairo_rectangle(m_cr.get(), m_damage.left, m_damage.top, m_damage.Width(), m_damage.Height());
        cairo_clip(m_cr.get());
    }
}

CairoPainter::~CairoPainter() {
    m_cr.reset();
    cairo_surface_flush(m_surface.get());
}

void CairoPainter::ExcludeClip(const Rect& rect) {
    if (rect.IsEmpty()) {
        return;
    }
    // Even-odd over an outer box that holds the rectangle leaves the box minus the
    // rectangle; each clip intersects the ones before, so exclusions add up.
    const Rect outer{std::min(0, rect.left), std::min(0, rect.top), std::max(m_size.width, rect.right),
                     std::max(m_size.height, rect.bottom)};
    cairo_t* cr = m_cr.get();
    cairo_new_path(cr);
    cairo_rectangle(cr, outer.left, outer.top, outer.Width(), outer.Height());
    cairo_rectangle(cr, rect.left, rect.top, rect.Width(), rect.Height());
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    cairo_clip(cr);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
}

void CairoPainter::DrawImage(const Image& image, const Rect& destination, const Rect& source) {
    if (image.IsNull() || destination.IsEmpty() || source.IsEmpty()) {
        return;
    }
    const Rect part = Intersection(source, Rect{0, 0, image.Width(), image.Height()});
    if (part.IsEmpty()) {
        return;
    }
    cairo_surface_t* picture = m_cache.SurfaceFor(image);
    if (picture == nullptr) {
        return;
    }
    // Sampling from a surface of just the source rectangle, padded at its edges, is what
    // keeps the filter from pulling in the pixels around it.
    CairoSurfacePtr subsurface;
    if (part.left != 0 || part.top != 0 || part.right != image.Width() || part.bottom != image.Height()) {
        subsurface.reset(cairo_surface_create_for_rectangle(picture, part.left, part.top, part.Width(), part.Height()));
        picture = subsurface.get();
    }
    const double scaleX = static_cast<double>(destination.Width()) / source.Width();
    const double scaleY = static_cast<double>(destination.Height()) / source.Height();
    const double left = destination.left + std::round((part.left - source.left) * scaleX);
    const double top = destination.top + std::round((part.top - source.top) * scaleY);
    const double right = destination.left + std::round((part.right - source.left) * scaleX);
    const double bottom = destination.top + std::round((part.bottom - source.top) * scaleY);
    if (right <= left || bottom <= top) {
        return;
    }

    const PatternPtr pattern(cairo_pattern_create_for_surface(picture));
    // From the painter's pixels to the source part's, by the whole rectangles' scale.
    cairo_matrix_t matrix;
    cairo_matrix_init(&matrix, 1.0 / scaleX, 0.0, 0.0, 1.0 / scaleY,
                      source.left - part.left - destination.left / scaleX,
                      source.top - part.top - destination.top / scaleY);
    cairo_pattern_set_matrix(pattern.get(), &matrix);
    cairo_pattern_set_extend(pattern.get(), CAIRO_EXTEND_PAD);
    cairo_pattern_set_filter(pattern.get(), CAIRO_FILTER_GOOD);

    cairo_t* cr = m_cr.get();
    cairo_set_source(cr, pattern.get());
    cairo_new_path(cr);
    cairo_rectangle(cr, left, top, right - left, bottom - top);
    cairo_fill(cr);
}

void CairoPainter::DrawImageAt(const Image& image, Point topLeft) {
    DrawImage(image, Rect::FromPointSize(topLeft, {image.Width(), image.Height()}),
              Rect{0, 0, image.Width(), image.Height()});
}

void CairoPainter::DrawText(const std::string& utf8, const FontSpec& font, Color color, Point origin) {
    ShowText(utf8, font, color, nullptr, origin);
}

void CairoPainter::DrawTextCentered(const std::string& utf8, const FontSpec& font, Color color, const Rect& box) {
    ShowText(utf8, font, color, &box, box.TopLeft());
}

void CairoPainter::ShowText(const std::string& utf8, const FontSpec& font, Color color, const Rect* centreIn,
                            Point origin) {
    if (utf8.empty() || color.alpha == 0) {
        return;
    }
    const ShapedLine* line = Shape(utf8, font);
    if (line == nullptr) {
        return;
    }
    Point at = origin;
    if (centreIn != nullptr) {
        // Whole pixels keep the glyphs on the grid their hinting assumed.
        at.x = centreIn->left + FloorHalf(centreIn->Width() - line->logical.width) - line->logical.x;
        at.y = centreIn->top + FloorHalf(centreIn->Height() - line->logical.height) - line->logical.y;
    }
    cairo_t* cr = m_cr.get();
    cairo_set_source_rgba(cr, color.red / 255.0, color.green / 255.0, color.blue / 255.0, color.alpha / 255.0);
    cairo_move_to(cr, at.x, at.y);
    pango_cairo_show_layout(cr, line->layout.get());
    cairo_new_path(cr);
}

}  // namespace platform::cairo
