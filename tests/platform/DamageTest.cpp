// The changed parts of the picture: what a present reports, and that writing only
// those parts into a window leaves it as a whole present would.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <tuple>
#include <vector>

#include "platform/Damage.h"
#include "platform/FrameScaler.h"
#include "platform/Platform.h"

namespace platform {
namespace {

constexpr int32_t Tile = Damage::TileSize;
const Rect WholePicture{0, 0, ScreenWidth, ScreenHeight};

bool inside(const Rect& r, int32_t x, int32_t y) {
    return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}

bool overlap(const Rect& a, const Rect& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// The rectangles lie in the picture on tile edges, none overlapping another, and cover
// every pixel that differs between the two frames.
void expectCoversChanges(const std::vector<Rect>& rects, const Surface& before, const Surface& after) {
    for (size_t i = 0; i < rects.size(); ++i) {
        const Rect& r = rects[i];
        ASSERT_TRUE(r.left >= 0 && r.top >= 0 && r.right <= ScreenWidth && r.bottom <= ScreenHeight) << r;
        ASSERT_TRUE(r.width() > 0 && r.height() > 0) << r;
        ASSERT_EQ(r.left % Tile + r.top % Tile + r.right % Tile + r.bottom % Tile, 0) << r;
        for (size_t j = i + 1; j < rects.size(); ++j) ASSERT_FALSE(overlap(r, rects[j])) << r << rects[j];
    }
    for (int32_t y = 0; y < ScreenHeight; ++y)
        for (int32_t x = 0; x < ScreenWidth; ++x) {
            if (before.pixel(x, y) == after.pixel(x, y)) continue;
            bool covered = false;
            for (const Rect& r : rects) covered = covered || inside(r, x, y);
            ASSERT_TRUE(covered) << "change at " << x << "," << y << " not reported";
        }
}

void copyPixels(const Surface& from, Surface& to) {
    std::memcpy(to.view().base, from.view().base, from.view().sizeBytes());
}

// A square of sprite size at a random place in a random colour.
void drawSquare(Surface& s, std::mt19937& random, int32_t size) {
    std::uniform_int_distribution<int32_t> x(-size / 2, ScreenWidth - size / 2),
        y(-size / 2, ScreenHeight - size / 2);
    const int32_t left = x(random), top = y(random);
    const Pixel colour = random() & PixelMask;
    for (int32_t yy = top; yy < top + size; ++yy)
        for (int32_t xx = left; xx < left + size; ++xx) s.setPixel(xx, yy, colour);
}

TEST(DamageTest, WholeAtFirstAndAfterInvalidateThenNothingForAnUnchangedFrame) {
    Surface frame(ScreenWidth, ScreenHeight);
    frame.fill(0x102030);
    Damage damage;
    EXPECT_EQ(damage.update(frame.view()), std::vector<Rect>{WholePicture});
    EXPECT_TRUE(damage.isWhole());
    EXPECT_TRUE(damage.update(frame.view()).empty());
    EXPECT_FALSE(damage.isWhole());
    EXPECT_EQ(damage.changedShare(), 0.0);
    damage.invalidate();
    EXPECT_EQ(damage.update(frame.view()), std::vector<Rect>{WholePicture});
    EXPECT_DOUBLE_EQ(damage.changedShare(), 1.0);
    // A frame too small to be the picture reports nothing and keeps nothing.
    Surface small(ScreenWidth / 2, ScreenHeight);
    EXPECT_TRUE(damage.update(small.view()).empty());
    EXPECT_TRUE(damage.update(frame.view()).empty());
}

// One pixel changed at the corners and on both sides of tile edges: exactly its tile,
// and a change undone is reported again, since the last picture kept the change.
TEST(DamageTest, OnePixelChangedReportsItsTileAndItsUndoing) {
    const std::tuple<int32_t, int32_t, Rect> cases[] = {
        {0, 0, {0, 0, Tile, Tile}},
        {ScreenWidth - 1,
         ScreenHeight - 1,
         {ScreenWidth - Tile, ScreenHeight - Tile, ScreenWidth, ScreenHeight}},
        {Tile - 1, Tile, {0, Tile, Tile, 2 * Tile}},
        {Tile, Tile - 1, {Tile, 0, 2 * Tile, Tile}},
        {ScreenWidth - 1, 0, {ScreenWidth - Tile, 0, ScreenWidth, Tile}},
    };
    Surface frame(ScreenWidth, ScreenHeight);
    Damage damage;
    damage.update(frame.view());
    for (const auto& [x, y, tile] : cases) {
        SCOPED_TRACE(testing::Message() << x << "," << y);
        frame.setPixel(x, y, 0x000001);
        EXPECT_EQ(damage.update(frame.view()), std::vector<Rect>{tile});
        EXPECT_TRUE(damage.update(frame.view()).empty());
        frame.setPixel(x, y, 0);
        EXPECT_EQ(damage.update(frame.view()), std::vector<Rect>{tile});
    }
}

// Neighbouring changed tiles make one rectangle; tiles far apart stay apart, so that
// the window system is sent few requests and little that did not change.
TEST(DamageTest, NeighbouringTilesMergeAndDistantOnesStayApart) {
    Surface frame(ScreenWidth, ScreenHeight);
    Damage damage;
    damage.update(frame.view());
    // A line across the whole picture and a bar down the whole of it.
    for (int32_t x = 0; x < ScreenWidth; ++x) frame.setPixel(x, 100, 0xFFFFFF);
    EXPECT_EQ(damage.update(frame.view()), (std::vector<Rect>{{0, 96, ScreenWidth, 104}}));
    for (int32_t y = 0; y < ScreenHeight; ++y) frame.setPixel(300, y, 0xFFFFFF);
    for (int32_t x = 0; x < ScreenWidth; ++x) frame.setPixel(x, 100, 0);
    const std::vector<Rect>& cross = damage.update(frame.view());
    EXPECT_LE(cross.size(), 3u);
    Surface before(ScreenWidth, ScreenHeight);
    // Two pixels a tile's gap apart share a rectangle; two at the picture's ends do not.
    copyPixels(frame, before);
    frame.setPixel(16, 200, 0x0000FF);
    frame.setPixel(40, 200, 0x0000FF);
    EXPECT_EQ(damage.update(frame.view()), (std::vector<Rect>{{16, 200, 48, 208}}));
    frame.setPixel(0, 300, 0x0000FF);
    frame.setPixel(ScreenWidth - 1, 300, 0x0000FF);
    EXPECT_EQ(damage.update(frame.view()).size(), 2u);
    // A sprite-sized square straddling tile edges: one rectangle around it.
    for (int32_t y = 203; y < 235; ++y)
        for (int32_t x = 405; x < 437; ++x) frame.setPixel(x, y, 0x00FF00);
    EXPECT_EQ(damage.update(frame.view()), (std::vector<Rect>{{400, 200, 440, 240}}));
}

// Stars all over the picture, each moving by a pixel: every change still reported,
// in few enough rectangles that the window system is not flooded with requests.
TEST(DamageTest, ScatteredChangesComeInFewRectangles) {
    std::mt19937 random(3);
    std::uniform_int_distribution<int32_t> x(0, ScreenWidth - 2), y(0, ScreenHeight - 1);
    Surface before(ScreenWidth, ScreenHeight), frame(ScreenWidth, ScreenHeight);
    Damage damage;
    damage.update(frame.view());
    std::vector<std::pair<int32_t, int32_t>> stars(150);
    for (auto& star : stars) star = {x(random), y(random)};
    for (int32_t n = 0; n < 4; ++n) {
        copyPixels(frame, before);
        for (auto& [sx, sy] : stars) {
            frame.setPixel(sx, sy, 0);
            sy = (sy + 1) % ScreenHeight;
            frame.setPixel(sx, sy, 0xFFFFFF);
        }
        const std::vector<Rect>& rects = damage.update(frame.view());
        ASSERT_NO_FATAL_FAILURE(expectCoversChanges(rects, before, frame));
        EXPECT_LE(rects.size(), 32u);
        EXPECT_LT(damage.changedShare(), 0.9);
    }
}

// Frames of many moving squares: every change reported, little else.
TEST(DamageTest, ManyMovingSpritesAreAllReported) {
    std::mt19937 random(5);
    Surface before(ScreenWidth, ScreenHeight), frame(ScreenWidth, ScreenHeight);
    Damage damage;
    damage.update(frame.view());
    for (int32_t n = 0; n < 40; ++n) {
        copyPixels(frame, before);
        for (int32_t s = 0; s < 1 + n; ++s) drawSquare(frame, random, 4 + s % 30);
        const std::vector<Rect>& rects = damage.update(frame.view());
        ASSERT_NO_FATAL_FAILURE(expectCoversChanges(rects, before, frame));
        ASSERT_FALSE(damage.isWhole());
        EXPECT_LT(damage.changedShare(), 0.9);
    }
}

// A window's pixels, with a byte pattern outside the picture to catch stray writes.
struct Window {
    Window(int32_t width, int32_t height, int32_t bytesPerPixel)
        : pitch(width * bytesPerPixel + 16),
          bytes(static_cast<size_t>(pitch) * static_cast<size_t>(height), 0xA5),
          pixels{bytes.data(), width, height, pitch} {}
    int32_t pitch;
    std::vector<uint8_t> bytes;
    WindowPixels pixels;
};

// Only the parts reported written, over many frames, at whole and fractional scales
// and in 16 bits: the window ends each frame as a whole present leaves it, and
// nothing outside the reported parts' window areas was touched.
TEST(DamageTest, PresentingOnlyTheChangedPartsMatchesWholePresents) {
    const std::tuple<int32_t, int32_t, PixelLayout> windows[] = {
        {640, 480, PixelLayout{}},
        {1280, 960, PixelLayout{}},
        {1920, 1440, PixelLayout{}},
        {1366, 768, PixelLayout{}},
        {1920, 1080, PixelLayout{2, 0xF800, 0x07E0, 0x001F, 0}},
        {1280, 960, PixelLayout{2, 0xF800, 0x07E0, 0x001F, 0}},
        {800, 600, PixelLayout{4, 0x3FF00000, 0x000FFC00, 0x000003FF, 0}},
    };
    for (const auto& [width, height, layout] : windows) {
        SCOPED_TRACE(testing::Message() << width << "x" << height << " " << layout.bytesPerPixel);
        FrameScaler scaler;
        ASSERT_TRUE(scaler.configure(width, height, layout));
        Window partial(width, height, layout.bytesPerPixel), whole(width, height, layout.bytesPerPixel);
        Surface frame(ScreenWidth, ScreenHeight);
        std::mt19937 random(11);
        Damage damage;
        for (int32_t n = 0; n < 8; ++n) {
            for (int32_t s = 0; s < 8; ++s) drawSquare(frame, random, 3 + (s * 7) % 40);
            const std::vector<Rect>& rects = damage.update(frame.view());
            const std::vector<uint8_t> previous = partial.bytes;
            for (const Rect& r : rects) scaler.present(frame.view(), partial.pixels, r);
            scaler.present(frame.view(), whole.pixels);
            ASSERT_TRUE(partial.bytes == whole.bytes) << "frame " << n;
            // Every window pixel that changed lies in a reported part's window area.
            std::vector<uint8_t> covered(static_cast<size_t>(width) * static_cast<size_t>(height));
            for (const Rect& r : rects) {
                const Rect area = scaler.outputArea(r);
                for (int32_t y = area.top; y < area.bottom; ++y)
                    std::fill_n(&covered[static_cast<size_t>(y * width + area.left)], area.width(),
                                uint8_t{1});
            }
            for (int32_t y = 0; y < height; ++y) {
                const size_t row = static_cast<size_t>(y * partial.pitch);
                for (int32_t x = 0; x < width; ++x) {
                    const size_t at = row + static_cast<size_t>(x * layout.bytesPerPixel);
                    const bool changed = std::memcmp(&previous[at], &partial.bytes[at],
                                                     static_cast<size_t>(layout.bytesPerPixel)) != 0;
                    ASSERT_FALSE(changed && covered[static_cast<size_t>(y * width + x)] == 0)
                        << "written outside the parts at " << x << "," << y;
                }
            }
        }
    }
}

// The window area of a part is exactly where a whole present shows its source pixels.
TEST(DamageTest, OutputAreaIsWhereThePartShows) {
    FrameScaler scaler;
    ASSERT_TRUE(scaler.configure(1920, 1080, PixelLayout{}));  // picture 240..1680, scale 2.25
    EXPECT_EQ(scaler.outputArea(WholePicture), scaler.picture());
    EXPECT_EQ(scaler.outputArea(Rect{0, 0, 8, 8}), (Rect{240, 0, 258, 18}));
    EXPECT_EQ(scaler.outputArea(Rect{632, 472, 640, 480}), (Rect{1662, 1062, 1680, 1080}));
    EXPECT_EQ(scaler.outputArea(Rect{10, 10, 10, 20}), Rect{});
    ASSERT_TRUE(scaler.configure(1280, 960, PixelLayout{}));
    EXPECT_EQ(scaler.outputArea(Rect{8, 16, 24, 32}), (Rect{16, 32, 48, 64}));
}

}  // namespace
}  // namespace platform
