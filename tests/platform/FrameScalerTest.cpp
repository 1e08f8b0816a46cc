// The flip's scaler on plain memory: where the picture lands, which source pixel each
// window pixel shows, the formats it converts to, and no write outside the rows.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <tuple>
#include <utility>
#include <vector>

#include "platform/FrameScaler.h"
#include "platform/Platform.h"

namespace platform {
namespace {

constexpr uint8_t Sentinel = 0xA5;
constexpr int32_t PaddingBytes = 12;
constexpr int32_t AlignedPaddingBytes = 16;

// Every source pixel different, so a window pixel tells where it came from.
uint32_t sourceValue(int32_t x, int32_t y) {
    return static_cast<uint32_t>(y * ScreenWidth + x + 1);
}

Surface& numberedSource() {
    static Surface source(ScreenWidth, ScreenHeight, ScreenWidth * BytesPerPixel + PaddingBytes);
    for (int32_t y = 0; y < ScreenHeight; ++y)
        for (int32_t x = 0; x < ScreenWidth; ++x) source.setPixel(x, y, sourceValue(x, y));
    return source;
}

// A window's pixels with padded rows, filled with a sentinel to catch stray writes.
struct Window {
    Window(int32_t width, int32_t height, int32_t bytesPerPixel, int32_t padding = PaddingBytes)
        : pitch(width * bytesPerPixel + padding),
          bytes(static_cast<size_t>(pitch) * static_cast<size_t>(height), Sentinel),
          pixels{bytes.data(), width, height, pitch},
          bytesPerPixel(bytesPerPixel) {}

    uint32_t at(int32_t x, int32_t y) const {
        uint32_t value = 0;
        std::memcpy(&value, &bytes[static_cast<size_t>(y * pitch + x * bytesPerPixel)],
                    static_cast<size_t>(bytesPerPixel));
        return value;
    }
    // The column and row of the numbered source pixel shown here; -1, -1 for black.
    std::pair<int32_t, int32_t> sourceIndex(int32_t x, int32_t y) const {
        const auto n = static_cast<int32_t>(at(x, y)) - 1;
        return n < 0 ? std::pair{-1, -1} : std::pair{n % ScreenWidth, n / ScreenWidth};
    }
    bool paddingUntouched() const {
        for (int32_t y = 0; y < pixels.height; ++y)
            for (int32_t i = pixels.width * bytesPerPixel; i < pitch; ++i)
                if (bytes[static_cast<size_t>(y * pitch + i)] != Sentinel) return false;
        return true;
    }

    int32_t pitch;
    std::vector<uint8_t> bytes;
    WindowPixels pixels;
    int32_t bytesPerPixel;
};

// One line across or down the window (source indices, -1 for black): bars outside
// [begin, end), inside every source index in order, each the nearest (exact at whole scales).
void expectNearestAlong(const std::vector<int32_t>& shown, int32_t begin, int32_t end, int32_t count,
                        int32_t wholeScale) {
    const double scale = static_cast<double>(end - begin) / count;
    int32_t last = -1;
    for (int32_t i = 0; i < static_cast<int32_t>(shown.size()); ++i) {
        const int32_t s = shown[static_cast<size_t>(i)];
        if (i < begin || i >= end) {
            ASSERT_EQ(s, -1) << "bar at " << i;
        } else if (wholeScale > 0) {
            ASSERT_EQ(s, (i - begin) / wholeScale) << i;
        } else {
            ASSERT_TRUE(s == last || s == last + 1) << s << " after " << last << " at " << i;
            ASSERT_NEAR(s, (i - begin + 0.5) / scale, 1.0) << i;
        }
        last = std::max(last, s);
    }
    EXPECT_EQ(last, count - 1);
}

// Every window pixel of `p` is `expected(x, y)`; the first that is not is reported.
template <typename Expected>
void expectEveryPixel(const Window& window, const Rect& p, Expected expected) {
    int32_t wrong = 0;
    for (int32_t y = p.top; y < p.bottom; ++y)
        for (int32_t x = p.left; x < p.right; ++x)
            if (window.at(x, y) != expected(x, y) && wrong++ == 0)
                ADD_FAILURE() << "first wrong pixel at " << x << "," << y << ": " << window.at(x, y);
    EXPECT_EQ(wrong, 0);
}

// At a whole scale every window pixel of the picture shows the source pixel it covers.
void expectEveryPixelWhole(const Window& window, const Rect& p, int32_t scale) {
    expectEveryPixel(window, p, [&](int32_t x, int32_t y) {
        return sourceValue((x - p.left) / scale, (y - p.top) / scale);
    });
}

// The largest centred 4:3 picture between black bars, of the nearest source pixels.
TEST(FrameScalerTest, LargestCentredFourByThreePictureOfTheNearestSourcePixels) {
    // Window width and height, the picture in it, the whole scale.
    const std::tuple<int32_t, int32_t, Rect, int32_t> cases[] = {
        {640, 480, {0, 0, 640, 480}, 1},       {1280, 960, {0, 0, 1280, 960}, 2},
        {1280, 1024, {0, 32, 1280, 992}, 2},   {1920, 1080, {240, 0, 1680, 1080}, 0},
        {1366, 768, {171, 0, 1195, 768}, 0},   {800, 600, {0, 0, 800, 600}, 0},
        {2560, 1440, {320, 0, 2240, 1440}, 3}, {320, 240, {0, 0, 320, 240}, 0},
        {1283, 960, {1, 0, 1281, 960}, 2},     {2560, 1923, {0, 1, 2560, 1921}, 4},
    };
    for (const auto& [width, height, picture, wholeScale] : cases) {
        SCOPED_TRACE(testing::Message() << width << "x" << height);
        FrameScaler scaler;
        ASSERT_TRUE(scaler.configure(width, height, PixelLayout{}));
        EXPECT_EQ(scaler.picture(), picture);
        EXPECT_EQ(scaler.wholeScale(), wholeScale);
        if (width < ScreenWidth) continue;  // shrunk: some source pixels cannot show
        Window window(width, height, BytesPerPixel);
        scaler.clear(window.pixels);
        scaler.present(numberedSource().view(), window.pixels);
        const Rect& p = scaler.picture();
        std::vector<int32_t> columns, rows;  // along the picture's middle row and down its left column
        for (int32_t x = 0; x < width; ++x)
            columns.push_back(window.sourceIndex(x, p.top + p.height() / 2).first);
        for (int32_t y = 0; y < height; ++y) rows.push_back(window.sourceIndex(p.left, y).second);
        expectNearestAlong(columns, p.left, p.right, ScreenWidth, scaler.wholeScale());
        expectNearestAlong(rows, p.top, p.bottom, ScreenHeight, scaler.wholeScale());
        EXPECT_TRUE(window.paddingUntouched());
        if (wholeScale == 0) continue;
        expectEveryPixelWhole(window, p, wholeScale);
        // Rows of whole 16-byte steps, as windows usually have, take the streamed stores.
        Window aligned(width, height, BytesPerPixel, AlignedPaddingBytes);
        scaler.present(numberedSource().view(), aligned.pixels);
        expectEveryPixelWhole(aligned, p, wholeScale);
        EXPECT_TRUE(aligned.paddingUntouched());
    }
}

// Every channel value in many mixes.
Surface& colourfulSource() {
    static Surface source(ScreenWidth, ScreenHeight);
    uint32_t state = 12345;
    for (int32_t y = 0; y < ScreenHeight; ++y)
        for (int32_t x = 0; x < ScreenWidth; ++x) {
            state = state * 1664525u + 1013904223u;
            source.view().row(y)[x] = state & PixelMask;
        }
    return source;
}

// Whole presents in 16-bit and 24-bit windows are compared with SDL's own conversion
// on Xvfb (PresentPaths). 0x123456 and white: 16 bits keep each channel's top bits;
// 30 bits repeat its 8 bits into its 10, so that white stays white. A whole picture,
// at scales one and two, shows each pixel as the channel table converts it.
TEST(FrameScalerTest, ConvertsToTheWindowsOwnFormat) {
    const std::tuple<const char*, PixelLayout, uint32_t, uint32_t> cases[] = {
        {"XRGB8888", PixelLayout{}, 0x123456, 0xFFFFFF},
        {"BGR888", {4, 0x0000FF, 0x00FF00, 0xFF0000, 0}, 0x563412, 0xFFFFFF},
        {"ARGB8888", {4, 0xFF0000, 0x00FF00, 0x0000FF, 0xFF000000}, 0xFF123456, 0xFFFFFFFF},
        {"RGB565", {2, 0xF800, 0x07E0, 0x001F, 0}, 0x11AA, 0xFFFF},
        {"ARGB2101010", {4, 0x3FF00000, 0x000FFC00, 0x000003FF, 0xC0000000}, 0xC4834159, 0xFFFFFFFF},
        {"R16G8B8", {4, 0xFFFF0000, 0x0000FF00, 0x000000FF, 0}, 0x12123456, 0xFFFFFFFF},
    };
    const PixelView source = colourfulSource().view();
    for (const auto& [name, layout, expected, white] : cases) {
        SCOPED_TRACE(name);
        FrameScaler scaler;
        ASSERT_TRUE(scaler.configure(ScreenWidth * 2, ScreenHeight * 2, layout));
        EXPECT_EQ(scaler.convert(0x123456), expected);
        EXPECT_EQ(scaler.convert(0xFFFFFF), white);
        for (int32_t scale : {1, 2}) {
            ASSERT_TRUE(scaler.configure(ScreenWidth * scale, ScreenHeight * scale, layout));
            Window window(ScreenWidth * scale, ScreenHeight * scale, layout.bytesPerPixel,
                          AlignedPaddingBytes);
            scaler.present(source, window.pixels);
            SCOPED_TRACE(testing::Message() << "scale " << scale);
            expectEveryPixel(window, scaler.picture(), [&](int32_t x, int32_t y) {
                return scaler.convert(source.row(y / scale)[x / scale]);
            });
            EXPECT_TRUE(window.paddingUntouched());
        }
    }
}

TEST(FrameScalerTest, RefusesWhatItCannotWriteAndIgnoresAMismatchedWindow) {
    FrameScaler scaler;
    EXPECT_FALSE(scaler.configure(1280, 960, {3, 0xFF0000, 0x00FF00, 0x0000FF, 0}));  // 24-bit packed
    EXPECT_FALSE(scaler.configure(1280, 960, {4, 0xFF00FF, 0x00FF00, 0x0000FF, 0}));  // broken mask
    EXPECT_FALSE(scaler.configure(1280, 960, {2, 0xF800, 0x07E0, 0, 0}));             // no blue
    EXPECT_FALSE(scaler.configure(0, 960, PixelLayout{}));
    ASSERT_TRUE(scaler.configure(1280, 960, PixelLayout{}));
    // A window that changed size since the layout is left alone until the next one.
    Window smaller(640, 480, BytesPerPixel);
    scaler.present(numberedSource().view(), smaller.pixels);
    scaler.clear(smaller.pixels);
    EXPECT_EQ(smaller.at(0, 0), 0xA5A5A5A5u);
}

}  // namespace
}  // namespace platform
