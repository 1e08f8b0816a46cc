#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <string>
#include <tuple>
#include <vector>

#include "platform/sdl/SdlText.h"

namespace {

using platform::ColorRef;
using platform::FontHandle;
using platform::Pixel;
using platform::Rect;
using platform::SdlTextRenderer;
using platform::Surface;
using platform::TextAlign;

constexpr ColorRef White = platform::makeColorRef(255, 255, 255);
// A few pixels of slack for side bearings and rounding of the centre.
constexpr int32_t EdgeSlack = 2;

struct FontCase {
    const char* face;
    int32_t height;
};

std::ostream& operator<<(std::ostream& os, const FontCase& f) {
    return os << f.face << " " << f.height;
}

constexpr FontCase GameFonts[] = {{"Small Fonts", 7}, {"Times New Roman", 15}, {"Times New Roman", 20}};

const char* alignName(TextAlign a) {
    switch (a) {
        case TextAlign::Left:
            return "Left";
        case TextAlign::Center:
            return "Center";
        case TextAlign::Right:
            return "Right";
    }
    return "?";
}

// The smallest rectangle holding every pixel that differs from `background`.
Rect inkBox(const Surface& s, Pixel background) {
    Rect box{INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN};
    for (int32_t y = 0; y < s.height(); ++y) {
        for (int32_t x = 0; x < s.width(); ++x) {
            if (s.pixel(x, y) == background) continue;
            box.left = std::min(box.left, x);
            box.top = std::min(box.top, y);
            box.right = std::max(box.right, x + 1);
            box.bottom = std::max(box.bottom, y + 1);
        }
    }
    return box.left == INT32_MAX ? Rect{} : box;
}

bool hasInk(const Surface& s, Pixel background) {
    return inkBox(s, background).width() > 0;
}

class SdlTextTest : public ::testing::Test {
protected:
    SdlTextRenderer text_;
};

class GameFontAlignTest : public ::testing::TestWithParam<std::tuple<FontCase, TextAlign>> {
protected:
    SdlTextRenderer text_;
};

TEST_P(GameFontAlignTest, PutsTheTextWhereTheAlignmentSays) {
    const auto [font, align] = GetParam();
    const FontHandle handle = text_.createFont(font.face, font.height);
    ASSERT_NE(handle, platform::NoFont);
    // The requested height is the character height; the line adds its leading.
    const int32_t lineHeight = text_.fontHeight(handle);
    EXPECT_GE(lineHeight, font.height) << text_.fontFile(handle);
    EXPECT_LE(lineHeight, font.height * 13 / 10 + 1) << text_.fontFile(handle);

    Surface target(640, 480);
    const int32_t x = 320;
    const int32_t y = 100;
    text_.drawText(target, handle, x, y, "Glintwake", White, align);
    const Rect ink = inkBox(target, 0);
    ASSERT_GT(ink.width(), 0) << "nothing drawn";

    switch (align) {
        case TextAlign::Left:
            EXPECT_GE(ink.left, x - EdgeSlack / 2);
            EXPECT_LE(ink.left, x + EdgeSlack);
            break;
        case TextAlign::Center:
            EXPECT_NEAR((ink.left + ink.right) / 2.0, x, EdgeSlack);
            break;
        case TextAlign::Right:
            EXPECT_LE(ink.right, x + EdgeSlack / 2);
            EXPECT_GE(ink.right, x - EdgeSlack);
            break;
    }
    EXPECT_GE(ink.top, y);
    EXPECT_LE(ink.top, y + font.height / 2);
    EXPECT_LE(ink.bottom, y + lineHeight + 1);
    EXPECT_GE(ink.height(), font.height / 2) << "letters far smaller than the font height";
}

INSTANTIATE_TEST_SUITE_P(GameFonts, GameFontAlignTest,
                         ::testing::Combine(::testing::ValuesIn(GameFonts),
                                            ::testing::Values(TextAlign::Left, TextAlign::Center,
                                                              TextAlign::Right)),
                         [](const auto& info) {
                             const FontCase& f = std::get<0>(info.param);
                             std::string name = std::string(f.face) + std::to_string(f.height) +
                                                alignName(std::get<1>(info.param));
                             name.erase(std::remove(name.begin(), name.end(), ' '), name.end());
                             return name;
                         });

struct ColorCase {
    const char* name;
    uint8_t r, g, b;
};

std::ostream& operator<<(std::ostream& os, const ColorCase& c) {
    return os << c.name;
}

class TextColorTest : public ::testing::TestWithParam<ColorCase> {
protected:
    SdlTextRenderer text_;
};

// Colours arrive as 0x00BBGGRR and must land as 0x00RRGGBB: solid strokes carry
// the exact colour, edges a darker shade of it over the black background.
TEST_P(TextColorTest, ConvertsTheGamesColourOrder) {
    const ColorCase c = GetParam();
    const FontHandle font = text_.createFont("Times New Roman", 20);
    Surface target(300, 40);
    text_.drawText(target, font, 5, 5, "HIMHIMHIM", platform::makeColorRef(c.r, c.g, c.b), TextAlign::Left);

    const Pixel solid = platform::makePixel(c.r, c.g, c.b);
    int solidCount = 0;
    for (int32_t y = 0; y < target.height(); ++y) {
        for (int32_t x = 0; x < target.width(); ++x) {
            const Pixel p = target.pixel(x, y);
            if (p == 0) continue;
            solidCount += p == solid;
            EXPECT_LE((p >> 16) & 0xFF, c.r) << x << "," << y;
            EXPECT_LE((p >> 8) & 0xFF, c.g) << x << "," << y;
            EXPECT_LE(p & 0xFF, c.b) << x << "," << y;
        }
    }
    EXPECT_GT(solidCount, 0) << "no fully covered pixel carries the exact colour";
}

INSTANTIATE_TEST_SUITE_P(Colours, TextColorTest,
                         ::testing::Values(ColorCase{"Red", 255, 0, 0}, ColorCase{"Blue", 0, 0, 255},
                                           ColorCase{"Mixed", 10, 200, 60}),
                         [](const auto& info) { return std::string(info.param.name); });

// Only the letters are written: the gaps between words keep the background.
TEST_F(SdlTextTest, LeavesTheBackgroundBetweenLettersAlone) {
    constexpr Pixel Background = 0x00204060;
    const FontHandle font = text_.createFont("Times New Roman", 20);
    Surface target(300, 60);
    target.fill(Background);
    text_.drawText(target, font, 10, 10, "M          M", White, TextAlign::Left);

    const Rect ink = inkBox(target, Background);
    ASSERT_GT(ink.width(), 60);
    const int32_t gapMiddle = (ink.left + ink.right) / 2;
    for (int32_t y = 0; y < target.height(); ++y) {
        for (int32_t x = gapMiddle - 10; x <= gapMiddle + 10; ++x) {
            EXPECT_EQ(target.pixel(x, y), Background) << x << "," << y;
        }
    }
    // Nothing above the top of the text nor left of it.
    EXPECT_GE(ink.top, 10);
    EXPECT_GE(ink.left, 10);
}

struct EdgeCase {
    int32_t x;
    int32_t y;
    TextAlign align;
};

std::ostream& operator<<(std::ostream& os, const EdgeCase& e) {
    return os << "(" << e.x << "," << e.y << "," << alignName(e.align) << ")";
}

class TextClipTest : public ::testing::TestWithParam<EdgeCase> {
protected:
    static constexpr int32_t Width = 60;
    static constexpr int32_t Height = 30;
    static constexpr int32_t PaddedPitch = Width * 4 + 36;
    static constexpr uint8_t Sentinel = 0xAB;
    SdlTextRenderer text_;
};

// Text hanging over any edge is clipped to the surface: the padding at the end of
// each row (and everything past the buffer, which the sanitizer watches) stays untouched.
TEST_P(TextClipTest, NeverWritesOutsideTheSurface) {
    const EdgeCase e = GetParam();
    Surface target(Width, Height, PaddedPitch);
    platform::PixelView view;
    ASSERT_TRUE(target.lock(view));
    std::fill(view.base, view.base + view.sizeBytes(), Sentinel);
    for (int32_t y = 0; y < Height; ++y) std::fill_n(view.row(y), Width, 0u);
    target.unlock();

    const FontHandle font = text_.createFont("Times New Roman", 20);
    text_.drawText(target, font, e.x, e.y, "WWWWWWWW", White, e.align);

    for (int32_t y = 0; y < Height; ++y) {
        const uint8_t* padding = view.base + static_cast<ptrdiff_t>(y) * PaddedPitch + Width * 4;
        for (int32_t i = 0; i < PaddedPitch - Width * 4; ++i) {
            ASSERT_EQ(padding[i], Sentinel) << "row " << y << " padding byte " << i;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Edges, TextClipTest,
    ::testing::Values(EdgeCase{-5, -3, TextAlign::Left}, EdgeCase{50, 20, TextAlign::Left},
                      EdgeCase{59, 29, TextAlign::Left}, EdgeCase{60, 0, TextAlign::Left},
                      EdgeCase{0, 0, TextAlign::Right}, EdgeCase{65, 5, TextAlign::Right},
                      EdgeCase{30, -10, TextAlign::Center}, EdgeCase{0, 15, TextAlign::Center},
                      EdgeCase{60, 15, TextAlign::Center}, EdgeCase{INT32_MIN, INT32_MIN, TextAlign::Left},
                      EdgeCase{INT32_MAX, INT32_MAX, TextAlign::Left},
                      EdgeCase{INT32_MIN, 0, TextAlign::Right}, EdgeCase{INT32_MAX, 0, TextAlign::Center},
                      EdgeCase{INT32_MIN, 0, TextAlign::Center}, EdgeCase{-100000, 5, TextAlign::Left},
                      EdgeCase{5, 100000, TextAlign::Left}));

// Text over an edge shows exactly the part of it that lies on the surface: the
// same pixels as the matching window of a larger surface, neither dropped nor shifted.
TEST_F(SdlTextTest, TextOverAnEdgeIsClippedNotDroppedOrShifted) {
    constexpr int32_t Offset = 100;
    const FontHandle font = text_.createFont("Times New Roman", 20);
    for (const EdgeCase e : {EdgeCase{-8, -4, TextAlign::Left}, EdgeCase{70, 20, TextAlign::Right},
                             EdgeCase{30, -12, TextAlign::Center}, EdgeCase{30, 22, TextAlign::Center}}) {
        Surface small(60, 30);
        Surface large(300, 200);
        text_.drawText(small, font, e.x, e.y, "WHOM", White, e.align);
        text_.drawText(large, font, e.x + Offset, e.y + Offset, "WHOM", White, e.align);
        EXPECT_TRUE(hasInk(small, 0)) << e;
        for (int32_t y = 0; y < small.height(); ++y) {
            for (int32_t x = 0; x < small.width(); ++x) {
                ASSERT_EQ(small.pixel(x, y), large.pixel(x + Offset, y + Offset))
                    << e << " at " << x << "," << y;
            }
        }
    }
}

TEST_F(SdlTextTest, FacesResolveLikeADesktop) {
    const FontHandle times = text_.createFont("Times New Roman", 15);
    EXPECT_NE(text_.fontFile(times).find("LiberationSerif"), std::string::npos) << text_.fontFile(times);

    const FontHandle unknown = text_.createFont("No Such Face Anywhere", 15);
    ASSERT_NE(unknown, platform::NoFont);
    EXPECT_FALSE(text_.fontFile(unknown).empty());
    Surface target(200, 40);
    text_.drawText(target, unknown, 5, 5, "Shop", White, TextAlign::Left);
    EXPECT_TRUE(hasInk(target, 0));
}

// A handle that names no font draws with a default font, as a device context
// keeps a font of its own.
TEST_F(SdlTextTest, HandlesWithoutAFontStillDraw) {
    Surface never(200, 40);
    text_.drawText(never, 12345, 5, 5, "Money", White, TextAlign::Left);
    EXPECT_TRUE(hasInk(never, 0));

    const FontHandle font = text_.createFont("Times New Roman", 20);
    Surface before(200, 40);
    text_.drawText(before, font, 5, 5, "Money", White, TextAlign::Left);
    text_.deleteFont(font);
    Surface after(200, 40);
    text_.drawText(after, font, 5, 5, "Money", White, TextAlign::Left);
    EXPECT_TRUE(hasInk(after, 0));
    EXPECT_EQ(text_.fontHeight(font), 0);
}

TEST_F(SdlTextTest, ALaterFontNeverShowsADeletedFontsRenderings) {
    const FontHandle large = text_.createFont("Times New Roman", 20);
    Surface first(200, 40);
    text_.drawText(first, large, 5, 5, "Health", White, TextAlign::Left);
    text_.deleteFont(large);

    const FontHandle small = text_.createFont("Small Fonts", 7);
    Surface second(200, 40);
    text_.drawText(second, small, 5, 5, "Health", White, TextAlign::Left);
    EXPECT_LT(inkBox(second, 0).height(), inkBox(first, 0).height());
}

TEST_F(SdlTextTest, NothingIsDrawnWhenTheSurfaceCannotBeLocked) {
    const FontHandle font = text_.createFont("Times New Roman", 15);
    Surface target(200, 40);
    target.setLockFails(true);
    text_.drawText(target, font, 5, 5, "Locked", White, TextAlign::Left);
    EXPECT_FALSE(hasInk(target, 0));
    text_.drawText(target, font, 5, 5, "", White, TextAlign::Left);
    text_.drawText(target, font, 5, 5, nullptr, White, TextAlign::Left);
}

// The cache must be invisible: many texts, repeats, evictions, other colours and
// fonts give exactly the pixels of rendering every text anew.
TEST(SdlTextCacheTest, CachedAndUncachedDrawingAgree) {
    SdlTextRenderer cached(true);
    SdlTextRenderer uncached(false);
    const FontHandle cachedFonts[] = {cached.createFont("Times New Roman", 15),
                                      cached.createFont("Small Fonts", 7)};
    const FontHandle plainFonts[] = {uncached.createFont("Times New Roman", 15),
                                     uncached.createFont("Small Fonts", 7)};
    Surface a(640, 480);
    Surface b(640, 480);
    // Four passes over 40 lines (each pass swaps fonts and colours), then 80 new
    // lines that push them out of the cache, then the first lines once more.
    constexpr int Lines = 40;
    constexpr int Repeats = 160;
    constexpr int Evicting = 240;
    constexpr int Total = 280;
    for (int i = 0; i < Total; ++i) {
        const int lineNumber = i >= Repeats && i < Evicting ? i : i % Lines;
        const std::string line = "Line " + std::to_string(lineNumber);
        const ColorRef color = platform::makeColorRef(uint8_t(i * 37), uint8_t(255 - i), uint8_t(i * 11));
        const int fontIndex = (i / Lines + i) % 2;
        const int32_t x = (i * 53) % 600;
        const int32_t y = (i * 29) % 460;
        cached.drawText(a, cachedFonts[fontIndex], x, y, line.c_str(), color, TextAlign::Left);
        uncached.drawText(b, plainFonts[fontIndex], x, y, line.c_str(), color, TextAlign::Left);
    }
    EXPECT_LE(cached.cachedTexts(), platform::TextCache::DefaultCapacity);
    EXPECT_GT(cached.cachedTexts(), 0u);
    EXPECT_EQ(uncached.cachedTexts(), 0u);
    for (int32_t y = 0; y < a.height(); ++y) {
        for (int32_t x = 0; x < a.width(); ++x) ASSERT_EQ(a.pixel(x, y), b.pixel(x, y)) << x << "," << y;
    }
}

}  // namespace
