#pragma once

#include <vector>

#include "../platform/Geometry.h"
#include "../platform/Painter.h"

// What differs between the skinned windows' frames.
struct FrameValues {
    int captionHeight = 0;
    int borderWidth = 0;
    int frameTemplateId = 0;
    std::vector<int> captionImageIds;
    int bandColumnX = 0;
    int leftPartWidth = 0;
    int rightPartWidth = 0;
    platform::Point iconPosition;
    platform::FontSpec titleFont;
    platform::Point titleOrigin;
};

// The system's small-icon size.
constexpr int kSmallIconSize = 16;
