#include <gtest/gtest.h>

#include <cstdint>

#include "platform/Surface.h"
#include "platform/TextBlend.h"

namespace {

using platform::Pixel;

// The blend as the game has always drawn it, one channel at a time.
Pixel reference(Pixel colour, Pixel under, uint32_t c) {
    if (c == 0) return under;
    Pixel out = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        const uint32_t mixed =
            (((colour >> shift) & 0xFF) * c + ((under >> shift) & 0xFF) * (255 - c) + 127) / 255;
        out |= mixed << shift;
    }
    return out;
}

// Every coverage over every kind of pixel, the rows long enough for the four-wide
// path and its leftover tail, the text hanging over the left edge.
TEST(TextBlend, EveryCoverageGivesTheChannelFormulaAndNoCoverageLeavesThePixel) {
    constexpr int32_t Width = 263;
    constexpr int32_t Rows = 4;
    platform::RenderedText text{Width, Rows, {}};
    for (int32_t i = 0; i < Width * Rows; ++i) text.coverage.push_back(static_cast<uint8_t>(i * 7 % 256));
    for (const Pixel colour : {0x00FFFFFFu, 0x000AC83Cu, 0x00000000u}) {
        platform::Surface target(Width, Rows);
        uint32_t seed = 12345;
        for (int32_t y = 0; y < Rows; ++y) {
            for (int32_t x = 0; x < Width; ++x) target.setPixel(x, y, seed = seed * 1103515245u + 12345u);
        }
        platform::Surface before(Width, Rows);
        before.bltFast(0, 0, target, {0, 0, Width, Rows}, platform::BltNoColorKey);
        platform::blendText(target.view(), text, -1, 0, colour);
        for (int32_t y = 0; y < Rows; ++y) {
            for (int32_t x = 0; x < Width; ++x) {
                const uint32_t c = x + 1 < Width ? text.coverage[static_cast<size_t>(y * Width + x + 1)] : 0;
                ASSERT_EQ(target.pixel(x, y), reference(colour, before.pixel(x, y), c))
                    << "colour " << colour << " at " << x << "," << y << " coverage " << c;
            }
        }
    }
}

}  // namespace
