#pragma once

#include <string>
#include <vector>

#include "platform/Image.h"
#include "platform/Painter.h"

// Records what a paint asked for, in order.
class RecordingPainter final : public platform::Painter {
public:
    struct ImageCall {
        const platform::Image* image;
        platform::Rect destination;
        platform::Rect source;
    };
    struct TextCall {
        std::string text;
        platform::FontSpec font;
        platform::Color color;
        platform::Rect box;  // origin as an empty box for DrawText
        bool centred;
    };

    explicit RecordingPainter(platform::Size size, platform::Rect clip = {}) : m_size(size), m_clip(clip) {}

    platform::Size SurfaceSize() const override { return m_size; }
    void ExcludeClip(const platform::Rect& rect) override { excluded.push_back(rect); }
    platform::Rect ClipBox() const override { return m_clip; }
    void DrawImage(const platform::Image& image, const platform::Rect& destination,
                   const platform::Rect& source) override {
        images.push_back({&image, destination, source});
    }
    void DrawImageAt(const platform::Image& image, platform::Point topLeft) override {
        images.push_back({&image, platform::Rect::FromPointSize(topLeft, {image.Width(), image.Height()}),
                          {0, 0, image.Width(), image.Height()}});
    }
    void DrawText(const std::string& utf8, const platform::FontSpec& font, platform::Color color,
                  platform::Point origin) override {
        texts.push_back({utf8, font, color, {origin.x, origin.y, origin.x, origin.y}, false});
    }
    void DrawTextCentered(const std::string& utf8, const platform::FontSpec& font, platform::Color color,
                          const platform::Rect& box) override {
        texts.push_back({utf8, font, color, box, true});
    }

    std::vector<platform::Rect> excluded;
    std::vector<ImageCall> images;
    std::vector<TextCall> texts;

private:
    platform::Size m_size;
    platform::Rect m_clip;
};
