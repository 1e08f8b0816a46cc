#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <string>
#include <tuple>
#include <utility>

#include "platform/sdl/SdlText.h"

namespace platform {
namespace {

constexpr Pixel Background = 0x00204060;
// Every channel different, so none may be swapped or rounded; given as 0x00BBGGRR.
constexpr Pixel Colour = 0x0AC83C;
constexpr ColorRef ColourAsGiven = makeColorRef(0x0A, 0xC8, 0x3C);
// A few pixels of slack for side bearings and rounding of the centre.
constexpr int32_t EdgeSlack = 2;

// The smallest rectangle holding every pixel that differs from `background`.
Rect inkBox(const Surface& s, Pixel background) {
    Rect box{INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN};
    for (int32_t y = 0; y < s.height(); ++y)
        for (int32_t x = 0; x < s.width(); ++x)
            if (s.pixel(x, y) != background)
                box = {std::min(box.left, x), std::min(box.top, y), std::max(box.right, x + 1),
                       std::max(box.bottom, y + 1)};
    return box.left == INT32_MAX ? Rect{} : box;
}

int countIn(const Surface& s, const Rect& r, Pixel pixel) {
    int count = 0;
    for (int32_t y = r.top; y < r.bottom; ++y)
        for (int32_t x = r.left; x < r.right; ++x) count += s.pixel(x, y) == pixel;
    return count;
}

class SdlTextTest : public ::testing::Test {
protected:
    SdlTextRenderer text_;
};

// Each alignment puts the text where it says, in its colour, writing only the letters.
TEST_F(SdlTextTest, EachAlignmentPutsTheTextWhereItSaysInItsColourForEveryGameFont) {
    constexpr int32_t X = 320, Y = 100;
    for (const auto& [face, height] :
         {std::pair{"Small Fonts", 7}, std::pair{"Times New Roman", 15}, std::pair{"Times New Roman", 20}}) {
        const FontHandle handle = text_.createFont(face, height);
        ASSERT_NE(handle, NoFont);
        for (const TextAlign align : {TextAlign::Left, TextAlign::Center, TextAlign::Right}) {
            SCOPED_TRACE(testing::Message() << face << " " << height << " align " << int(align));
            Surface target(640, 480);
            target.fill(Background);
            text_.drawText(target, handle, X, Y, "Glintwake", ColourAsGiven, align);
            const Rect ink = inkBox(target, Background);
            const int32_t anchor = align == TextAlign::Left    ? ink.left
                                   : align == TextAlign::Right ? ink.right
                                                               : (ink.left + ink.right) / 2;
            EXPECT_NEAR(anchor, X, EdgeSlack);
            EXPECT_GE(ink.top, Y);
            EXPECT_LE(ink.bottom, Y + text_.fontHeight(handle) + 1);
            EXPECT_GE(ink.height(), height / 2) << "letters far smaller than the font height";
            EXPECT_GT(countIn(target, ink, Colour), 0) << "no fully covered pixel carries the exact colour";
            EXPECT_GT(countIn(target, ink, Background), ink.width()) << "a box drawn behind the letters";
        }
    }
}

// Text over any edge shows exactly its part of the same text on a larger surface, never the padding.
TEST_F(SdlTextTest, TextOverAnEdgeIsClippedNotDroppedShiftedOrSpilt) {
    constexpr int32_t Width = 60, Height = 30, PaddedPitch = Width * 4 + 36, Offset = 100;
    constexpr uint8_t Sentinel = 0xAB;
    const FontHandle font = text_.createFont("Times New Roman", 20);
    using Case = std::tuple<int32_t, int32_t, TextAlign>;
    for (const auto& [left, top, align] :
         {Case{-8, -4, TextAlign::Left}, Case{70, 20, TextAlign::Right}, Case{30, -12, TextAlign::Center},
          Case{INT32_MIN, INT32_MIN, TextAlign::Right}, Case{INT32_MAX, INT32_MAX, TextAlign::Left}}) {
        SCOPED_TRACE(testing::Message() << left << "," << top << " align " << int(align));
        Surface small(Width, Height, PaddedPitch);
        const PixelView view = small.view();
        std::fill(view.base, view.base + view.sizeBytes(), Sentinel);
        small.fill(0);
        text_.drawText(small, font, left, top, "WHOM", ColourAsGiven, align);
        for (int32_t y = 0; y < Height; ++y)
            for (int32_t i = Width * 4; i < PaddedPitch; ++i)
                ASSERT_EQ(view.base[y * PaddedPitch + i], Sentinel);
        if (left < -Offset || left > 2 * Width) continue;  // far off: nothing to compare
        Surface large(300, 200);
        text_.drawText(large, font, left + Offset, top + Offset, "WHOM", ColourAsGiven, align);
        EXPECT_GT(inkBox(small, 0).width(), 0);
        for (int32_t y = 0; y < Height; ++y)
            for (int32_t x = 0; x < Width; ++x)
                ASSERT_EQ(small.pixel(x, y), large.pixel(x + Offset, y + Offset)) << x << "," << y;
    }
}

// Unknown faces and handles that name no font (never created, or deleted) draw with
// a default font; a later font never shows a deleted font's renderings.
TEST_F(SdlTextTest, FontsThatCannotBeFoundStillDraw) {
    const auto inkHeight = [&](FontHandle font) {
        Surface target(200, 40);
        text_.drawText(target, font, 5, 5, "Health", ColourAsGiven, TextAlign::Left);
        return inkBox(target, 0).height();
    };
    const FontHandle large = text_.createFont("Times New Roman", 20);
    const int32_t largeHeight = inkHeight(large);
    text_.deleteFont(large);
    for (const FontHandle font : {text_.createFont("No Such Face Anywhere", 15), FontHandle{12345}, large})
        EXPECT_GT(inkHeight(font), 0) << font;
    EXPECT_LT(inkHeight(text_.createFont("Small Fonts", 7)), largeHeight);
}

// Repeats under other fonts and colours, lines enough to evict them, then the first
// lines again: the cache must not change a pixel.
TEST(SdlTextCacheTest, CachedAndUncachedDrawingAgree) {
    const auto draw = [](bool cacheEnabled, Surface& target) {
        SdlTextRenderer text(cacheEnabled);
        const FontHandle fonts[] = {text.createFont("Times New Roman", 15),
                                    text.createFont("Small Fonts", 7)};
        constexpr int Lines = 20, Repeats = 80, Evicting = 160, Total = 180;
        for (int i = 0; i < Total; ++i) {
            const std::string line = "Line " + std::to_string(i >= Repeats && i < Evicting ? i : i % Lines);
            const ColorRef color = makeColorRef(uint8_t(i * 37), uint8_t(255 - i), uint8_t(i * 11));
            text.drawText(target, fonts[(i / Lines + i) % 2], (i * 53) % 600, (i * 29) % 460, line.c_str(),
                          color, TextAlign::Left);
        }
        return text.cachedTexts();
    };
    Surface a(640, 480), b(640, 480);
    EXPECT_GT(draw(true, a), 0u);
    EXPECT_EQ(draw(false, b), 0u);
    const PixelView va = a.view(), vb = b.view();
    EXPECT_TRUE(std::equal(va.base, va.base + va.sizeBytes(), vb.base));
}

}  // namespace
}  // namespace platform
