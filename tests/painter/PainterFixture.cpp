#include "PainterFixture.h"

#include <glib.h>

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace painter_test {

namespace {

// A GLib or Pango warning (bad UTF-8 reaching Pango, say) fails the test that caused it
// instead of scrolling by.
GLogWriterOutput FailOnWarnings(GLogLevelFlags level, const GLogField* fields, gsize count, gpointer) {
    if ((level & (G_LOG_LEVEL_ERROR | G_LOG_LEVEL_CRITICAL | G_LOG_LEVEL_WARNING)) == 0) {
        return g_log_writer_default(level, fields, count, nullptr);
    }
    std::string message;
    for (gsize i = 0; i < count; ++i) {
        if (std::strcmp(fields[i].key, "MESSAGE") == 0 && fields[i].length < 0) {
            message = static_cast<const char*>(fields[i].value);
        }
    }
    ADD_FAILURE() << "GLib warning: " << message;
    return G_LOG_WRITER_HANDLED;
}

class GLibWarningsFail : public ::testing::Environment {
public:
    void SetUp() override { g_log_set_writer_func(FailOnWarnings, nullptr, nullptr); }
};
[[maybe_unused]] const ::testing::Environment* const kGLibWarningsFail =
    ::testing::AddGlobalTestEnvironment(new GLibWarningsFail);

}  // namespace

void SetPixel(Image& image, int x, int y, Color color) {
    std::uint8_t* pixel = image.PixelAt(x, y);
    pixel[0] = color.blue;
    pixel[1] = color.green;
    pixel[2] = color.red;
    pixel[3] = color.alpha;
}

Image Solid(int width, int height, Color color, bool hasAlpha) {
    Image image(width, height, hasAlpha);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            SetPixel(image, x, y, color);
        }
    }
    return image;
}

Color ReadPixel(cairo_surface_t* surface, int x, int y) {
    cairo_surface_flush(surface);
    const unsigned char* row =
        cairo_image_surface_get_data(surface) + static_cast<std::ptrdiff_t>(y) * cairo_image_surface_get_stride(surface);
    std::uint32_t word = 0;
    std::memcpy(&word, row + static_cast<std::ptrdiff_t>(x) * 4, 4);
    return {static_cast<std::uint8_t>(word >> 16), static_cast<std::uint8_t>(word >> 8),
            static_cast<std::uint8_t>(word), static_cast<std::uint8_t>(word >> 24)};
}

std::string Describe(Color c) {
    return "(" + std::to_string(c.red) + "," + std::to_string(c.green) + "," + std::to_string(c.blue) + "," +
           std::to_string(c.alpha) + ")";
}

void ExpectEveryPixel(cairo_surface_t* surface, const std::function<Color(int, int)>& expected) {
    for (int y = 0; y < cairo_image_surface_get_height(surface); ++y) {
        for (int x = 0; x < cairo_image_surface_get_width(surface); ++x) {
            const Color want = expected(x, y);
            const Color got = ReadPixel(surface, x, y);
            if (!(got == want)) {
                ADD_FAILURE() << "pixel (" << x << "," << y << ") is " << Describe(got) << ", expected " << Describe(want);
                return;
            }
        }
    }
}

Rect InkBox(cairo_surface_t* surface, Color background) {
    Rect box{cairo_image_surface_get_width(surface), cairo_image_surface_get_height(surface), 0, 0};
    for (int y = 0; y < cairo_image_surface_get_height(surface); ++y) {
        for (int x = 0; x < cairo_image_surface_get_width(surface); ++x) {
            if (!(ReadPixel(surface, x, y) == background)) {
                box = {std::min(box.left, x), std::min(box.top, y), std::max(box.right, x + 1),
                       std::max(box.bottom, y + 1)};
            }
        }
    }
    return box.IsEmpty() ? Rect{} : box;
}

void PainterFixture::Start(Size size, Color background, Rect damage) {
    painter = std::make_unique<CairoPainter>(size, damage, &cache);
    cairo_t* cr = painter->Context();
    cairo_save(cr);
    cairo_reset_clip(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_set_source_rgba(cr, background.red / 255.0, background.green / 255.0, background.blue / 255.0,
                          background.alpha / 255.0);
    cairo_paint(cr);
    cairo_restore(cr);
}

}  // namespace painter_test
