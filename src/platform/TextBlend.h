#pragma once
// Drawing a rendered text's coverage over the back buffer in one colour.
#include <cstdint>

#include "platform/Surface.h"
#include "platform/TextCache.h"

namespace platform {

// Blends `color` over the view by the text's coverage, its top-left corner at
// (left, top), clipped to the view: each channel (colour * c + pixel * (255 - c)
// + 127) / 255, the unused top byte cleared; pixels without coverage are untouched.
void blendText(const PixelView& view, const RenderedText& text, int64_t left, int64_t top, Pixel color);

}  // namespace platform
