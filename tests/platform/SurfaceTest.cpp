#include <gtest/gtest.h>

#include <cstring>
#include <tuple>
#include <utility>
#include <vector>

#include "platform/KeyedCopy.h"
#include "platform/Surface.h"

namespace platform {
namespace {

constexpr Pixel Backdrop = 0x00123456;
constexpr uint8_t Sentinel = 0xAB;  // written into row padding, must survive every blit

// Every byte of a surface, padding included, to prove what was (not) written.
std::vector<uint8_t> snapshot(const Surface& s) {
    const PixelView v = s.view();
    return std::vector<uint8_t>(v.base, v.base + v.sizeBytes());
}

// A distinct colour per pixel, never black, and the sentinel in every padding byte.
void fillPattern(Surface& s) {
    const PixelView v = s.view();
    std::memset(v.base, Sentinel, v.sizeBytes());
    for (int32_t y = 0; y < s.height(); ++y)
        for (int32_t x = 0; x < s.width(); ++x)
            s.setPixel(x, y, makePixel(uint8_t(x + 1), uint8_t(y + 1), 0x80));
}

// Black is transparent only in a keyed blit from a keyed source; near-black is drawn, the top
// byte never defeats the key, rows land at each surface's pitch and no padding is written.
TEST(SurfaceBlt, KeyedPixelsAreSkippedAndPaddedRowsPlaced) {
    const std::tuple<uint32_t, bool, Pixel> cases[] = {
        {BltKeyed, true, 0}, {BltKeyed, true, 0xFF000000}, {BltKeyed, false, 0}, {BltNoColorKey, true, 0}};
    for (const auto& [flags, hasKey, key] : cases) {
        SCOPED_TRACE(testing::Message() << "flags " << flags << " key " << hasKey << " " << key);
        Surface src(5, 4, 5 * 4 + 12);
        fillPattern(src);
        src.setPixel(2, 2, 0);
        src.setPixel(3, 2, 0xFF000000);
        src.setPixel(4, 2, 0x000001);
        if (hasKey) src.setColorKey(key);
        const std::vector<uint8_t> srcBefore = snapshot(src);
        Surface dst(7, 6, 7 * 4 + 20);
        fillPattern(dst);
        dst.fill(Backdrop);
        std::vector<uint8_t> expected = snapshot(dst);
        const bool keyed = hasKey && (flags & BltSrcColorKey) != 0;
        for (int32_t y = 1; y < 4; ++y)
            for (int32_t x = 2; x < 6; ++x)
                if (!keyed || y != 2 || (x != 3 && x != 4))  // the black and the top-byte-only pixel
                    std::memcpy(&expected[size_t(y * dst.pitch() + x * 4)],
                                &srcBefore[size_t(y * src.pitch() + (x - 1) * 4)], 4);

        ASSERT_TRUE(dst.bltFast(2, 1, src, Rect{1, 1, 5, 4}, flags));
        EXPECT_EQ(snapshot(dst), expected);
        EXPECT_EQ(snapshot(src), srcBefore);
    }
}

// A rectangle not wholly inside either surface is refused, and nothing (padding included) is written.
TEST(SurfaceBlt, RectanglesOutsideEitherSurfaceAreRefused) {
    const std::tuple<int32_t, int32_t, Rect> cases[] = {
        {0, 0, {-1, 0, 2, 2}}, {0, 0, {0, 0, 5, 2}},  {0, 0, {0, 0, 2, 4}},
        {0, 0, {3, 0, 1, 2}},  {-1, 0, {0, 0, 2, 2}}, {0, -1, {0, 0, 2, 2}},
        {3, 0, {0, 0, 4, 2}},  {0, 3, {0, 0, 2, 3}},  {INT32_MAX, 0, {0, 0, 2, 2}}};
    Surface src(4, 3);
    fillPattern(src);
    Surface dst(6, 5, 6 * 4 + 8);
    fillPattern(dst);
    dst.fill(Backdrop);
    const std::vector<uint8_t> before = snapshot(dst);
    for (const auto& [x, y, rect] : cases)
        for (uint32_t flags : {BltNoColorKey, BltKeyed}) {
            SCOPED_TRACE(testing::Message() << "at " << x << "," << y << " " << rect << " flags " << flags);
            EXPECT_FALSE(dst.bltFast(x, y, src, rect, flags));
            EXPECT_EQ(snapshot(dst), before);
        }
}

// A self-blit overlapping in every direction: each pixel gets the source pixel as it was before.
TEST(SurfaceBlt, OverlappingBlitOntoItselfCopiesTheOriginalPixels) {
    const Rect source{2, 2, 7, 6};
    for (const auto& [dx, dy] : {std::pair{1, 1}, {-1, -1}, {2, -1}, {-2, 1}, {1, 0}, {0, -1}})
        for (uint32_t flags : {BltNoColorKey, BltKeyed}) {
            SCOPED_TRACE(testing::Message() << "shift " << dx << "," << dy << " flags " << flags);
            Surface s(10, 9);
            fillPattern(s);
            s.setColorKey(0);
            Surface original(10, 9);
            fillPattern(original);
            ASSERT_TRUE(s.bltFast(source.left + dx, source.top + dy, s, source, flags));
            for (int32_t y = source.top; y < source.bottom; ++y)
                for (int32_t x = source.left; x < source.right; ++x)
                    ASSERT_EQ(s.pixel(x + dx, y + dy), original.pixel(x, y)) << "from " << x << "," << y;
        }
}

// Every vector build of the keyed copy gives the reference's pixels: all widths up
// to five vector steps, every start within a step, steps wholly keyed, wholly drawn
// and mixed, the top byte ignored by the key, and nothing written outside the rows.
TEST(SurfaceBlt, EveryKeyedCopyBuildMatchesThePixelByPixelCopy) {
    constexpr int32_t MaxWidth = 41;
    constexpr int32_t Margin = 8;
    constexpr int32_t Rows = 3;
    constexpr int32_t Pitch = MaxWidth + 2 * Margin;
    constexpr Pixel Key = 0x00102030;
    uint32_t seed = 12345;
    const auto next = [&seed] { return seed = seed * 1103515245u + 12345u; };
    for (const KeyedBuild& build : keyedBuilds())
        for (int32_t width = 0; width <= MaxWidth; ++width)
            for (int32_t start = 0; start < Margin; ++start)
                for (uint32_t keyedThirds : {0u, 1u, 2u, 3u}) {
                    SCOPED_TRACE(testing::Message() << build.name << " width " << width << " start " << start
                                                    << " keyed " << keyedThirds << "/3");
                    std::vector<uint32_t> from(static_cast<size_t>(width * Rows));
                    for (uint32_t& p : from) {
                        const bool keyed = (next() >> 16) % 3 < keyedThirds;
                        p = keyed ? Key | (next() & 0xFF000000) : (next() >> 8) ^ 0x01000000;
                    }
                    std::vector<uint32_t> expected(static_cast<size_t>(Pitch * Rows));
                    for (size_t i = 0; i < expected.size(); ++i) expected[i] = 0x7E7E7E7Eu + uint32_t(i);
                    std::vector<uint32_t> to = expected;
                    const auto copy = [&](std::vector<uint32_t>& onto) {
                        return KeyedCopy{
                            onto.data() + start, Pitch * 4, from.data(), width * 4, width, Rows, Key};
                    };
                    copyKeyedScalar(copy(expected));
                    build.copy(copy(to));
                    ASSERT_EQ(to, expected);
                }
}

}  // namespace
}  // namespace platform
