#include <gtest/gtest.h>

#include <cstring>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "platform/Surface.h"

namespace platform {
namespace {

constexpr Pixel Backdrop = 0x00123456;
constexpr Pixel Sentinel = 0xDEADBEEF;  // written into padding, must survive every blit

// Every byte of a surface, padding included, to prove that nothing was written.
std::vector<uint8_t> snapshot(const Surface& s) {
    const PixelView v = s.view();
    return std::vector<uint8_t>(v.base, v.base + v.sizeBytes());
}

// A distinct colour per position, never black.
Pixel patternAt(int32_t x, int32_t y) {
    return makePixel(uint8_t(x + 1), uint8_t(y + 1), 0x80);
}

void fillPattern(Surface& s) {
    for (int32_t y = 0; y < s.height(); ++y)
        for (int32_t x = 0; x < s.width(); ++x) s.setPixel(x, y, patternAt(x, y));
}

void fillPadding(Surface& s) {
    const PixelView v = s.view();
    for (int32_t y = 0; y < s.height(); ++y) {
        for (int32_t off = s.width() * 4; off + 4 <= s.pitch(); off += 4)
            std::memcpy(v.base + y * s.pitch() + off, &Sentinel, 4);
    }
}

bool paddingIntact(const Surface& s) {
    const PixelView v = s.view();
    for (int32_t y = 0; y < s.height(); ++y) {
        for (int32_t off = s.width() * 4; off + 4 <= s.pitch(); off += 4) {
            uint32_t word = 0;
            std::memcpy(&word, v.base + y * s.pitch() + off, 4);
            if (word != Sentinel) return false;
        }
    }
    return true;
}

TEST(SurfaceBlt, KeyedBlitSkipsOnlyExactKeyInLow24Bits) {
    Surface src(4, 1);
    src.setColorKey(0);
    const Pixel row[4] = {0x00000000, 0x00000001, 0xFF000000, 0x00FF0000};
    for (int32_t x = 0; x < 4; ++x) src.setPixel(x, 0, row[x]);
    Surface dst(4, 1);
    dst.fill(Backdrop);

    ASSERT_TRUE(dst.bltFast(0, 0, src, Rect{0, 0, 4, 1}, BltKeyed));
    EXPECT_EQ(dst.pixel(0, 0), Backdrop) << "pure black is transparent";
    EXPECT_EQ(dst.pixel(1, 0), 0x00000001u) << "near-black is drawn";
    EXPECT_EQ(dst.pixel(2, 0), Backdrop) << "the unshown top byte does not defeat the key";
    EXPECT_EQ(dst.pixel(3, 0), 0x00FF0000u);
}

TEST(SurfaceBlt, KeyWithTopByteSetStillMatchesBlack) {
    Surface src(2, 1);
    src.setColorKey(0xFF000000);
    src.setPixel(1, 0, 0x00ABCDEF);
    Surface dst(2, 1);
    dst.fill(Backdrop);
    ASSERT_TRUE(dst.bltFast(0, 0, src, Rect{0, 0, 2, 1}, BltKeyed));
    EXPECT_EQ(dst.pixel(0, 0), Backdrop);
    EXPECT_EQ(dst.pixel(1, 0), 0x00ABCDEFu);
}

TEST(SurfaceBlt, UnkeyedBlitCopiesBlackToo) {
    Surface src(3, 2);
    src.setColorKey(0);
    fillPattern(src);
    src.setPixel(1, 1, 0);
    for (uint32_t flags : {BltNoColorKey, BltWait}) {
        Surface dst(5, 4);
        dst.fill(Backdrop);
        ASSERT_TRUE(dst.bltFast(2, 1, src, Rect{0, 0, 3, 2}, flags));
        EXPECT_EQ(dst.pixel(3, 2), 0u);
        EXPECT_EQ(dst.pixel(2, 1), patternAt(0, 0));
        EXPECT_EQ(dst.pixel(4, 1), patternAt(2, 0));
        EXPECT_EQ(dst.pixel(1, 1), Backdrop);
        EXPECT_EQ(dst.pixel(2, 3), Backdrop);
    }
}

TEST(SurfaceBlt, KeyedFlagWithoutKeyCopiesEverything) {
    Surface src(1, 1);  // black, no key set
    Surface dst(1, 1);
    dst.fill(Backdrop);
    ASSERT_TRUE(dst.bltFast(0, 0, src, Rect{0, 0, 1, 1}, BltKeyed));
    EXPECT_EQ(dst.pixel(0, 0), 0u);
}

TEST(SurfaceBlt, PaddedPitchesPlaceRowsAndLeavePaddingAlone) {
    Surface src(5, 4, 5 * 4 + 12);
    Surface dst(7, 6, 7 * 4 + 20);
    fillPattern(src);
    src.setPixel(2, 2, 0);
    src.setColorKey(0);
    fillPadding(src);
    dst.fill(Backdrop);
    fillPadding(dst);

    ASSERT_TRUE(dst.bltFast(2, 1, src, Rect{1, 1, 5, 4}, BltKeyed));
    for (int32_t y = 0; y < dst.height(); ++y) {
        for (int32_t x = 0; x < dst.width(); ++x) {
            const bool inside = x >= 2 && x < 6 && y >= 1 && y < 4;
            const bool keyed = x == 3 && y == 2;
            const Pixel want = inside && !keyed ? patternAt(x - 1, y) : Backdrop;
            EXPECT_EQ(dst.pixel(x, y), want) << x << "," << y;
        }
    }
    EXPECT_TRUE(paddingIntact(dst));
    EXPECT_TRUE(paddingIntact(src));
}

TEST(SurfaceBlt, OverlappingBlitOntoItselfMatchesBlitFromACopy) {
    const Rect from{1, 1, 6, 5};
    const int32_t moves[][2] = {{2, 2}, {0, 0}, {3, 1}, {0, 1}, {2, 0}};
    for (uint32_t flags : {BltNoColorKey, BltKeyed}) {
        for (const auto& to : moves) {
            Surface self(8, 7);
            Surface copy(8, 7);
            fillPattern(self);
            fillPattern(copy);
            self.setPixel(3, 3, 0);
            copy.setPixel(3, 3, 0);
            self.setColorKey(0);
            copy.setColorKey(0);
            Surface expected(8, 7);
            ASSERT_TRUE(expected.bltFast(0, 0, copy, Rect{0, 0, 8, 7}, BltNoColorKey));
            ASSERT_TRUE(expected.bltFast(to[0], to[1], copy, from, flags));

            ASSERT_TRUE(self.bltFast(to[0], to[1], self, from, flags));
            EXPECT_EQ(snapshot(self), snapshot(expected))
                << "to " << to[0] << "," << to[1] << " flags " << flags;
        }
    }
}

struct RefusedBlt {
    std::string name;
    int32_t x;
    int32_t y;
    Rect rect;
};

std::ostream& operator<<(std::ostream& os, const RefusedBlt& c) {
    return os << c.name;
}

class SurfaceBltRefused : public ::testing::TestWithParam<RefusedBlt> {};

// Source 4x3, destination 6x5.
TEST_P(SurfaceBltRefused, DrawsNothing) {
    const RefusedBlt& c = GetParam();
    Surface src(4, 3);
    fillPattern(src);
    Surface dst(6, 5, 6 * 4 + 8);
    dst.fill(Backdrop);
    fillPadding(dst);
    const std::vector<uint8_t> before = snapshot(dst);

    for (uint32_t flags : {BltNoColorKey, BltKeyed}) {
        EXPECT_FALSE(dst.bltFast(c.x, c.y, src, c.rect, flags));
        EXPECT_EQ(snapshot(dst), before);
    }
}

INSTANTIATE_TEST_SUITE_P(OutOfBounds, SurfaceBltRefused,
                         ::testing::Values(RefusedBlt{"SourceLeftNegative", 0, 0, {-1, 0, 2, 2}},
                                           RefusedBlt{"SourceTopNegative", 0, 0, {0, -1, 2, 2}},
                                           RefusedBlt{"SourceRightPastEdge", 0, 0, {0, 0, 5, 2}},
                                           RefusedBlt{"SourceBottomPastEdge", 0, 0, {0, 0, 2, 4}},
                                           RefusedBlt{"SourceInverted", 0, 0, {3, 0, 1, 2}},
                                           RefusedBlt{"SourceWhollyOutside", 0, 0, {10, 10, 12, 12}},
                                           RefusedBlt{"DestLeftNegative", -1, 0, {0, 0, 2, 2}},
                                           RefusedBlt{"DestTopNegative", 0, -1, {0, 0, 2, 2}},
                                           RefusedBlt{"DestRightPastEdge", 3, 0, {0, 0, 4, 2}},
                                           RefusedBlt{"DestBottomPastEdge", 0, 3, {0, 0, 2, 3}},
                                           RefusedBlt{"DestHugeX", INT32_MAX, 0, {0, 0, 2, 2}},
                                           RefusedBlt{"DestHugeY", 0, INT32_MAX, {0, 0, 2, 2}}),
                         [](const auto& info) { return info.param.name; });

TEST(SurfaceLock, ViewCoversTheBufferAndFailureIsReported) {
    Surface s(3, 2, 20);
    PixelView v;
    ASSERT_TRUE(s.lock(v));
    EXPECT_TRUE(s.isLocked());
    EXPECT_EQ(v.pitch, 20);
    EXPECT_EQ(v.sizeBytes(), 40u);
    *v.at(2, 1) = 0x00ABCDEF;
    s.unlock();
    EXPECT_FALSE(s.isLocked());
    EXPECT_EQ(s.pixel(2, 1), 0x00ABCDEFu);

    s.setLockFails(true);
    EXPECT_FALSE(s.lock(v));
    EXPECT_FALSE(s.isLocked());
}

TEST(SurfaceLock, PixelViewAtRefusesEveryOutsidePoint) {
    Surface s(3, 2, 20);
    const PixelView v = s.view();
    EXPECT_EQ(reinterpret_cast<uint8_t*>(v.at(2, 1)), v.base + 20 + 8);
    const std::pair<int32_t, int32_t> outside[] = {{-1, 0}, {0, -1},        {3, 0},
                                                   {0, 2},  {INT32_MAX, 0}, {0, INT32_MIN}};
    for (const auto& [x, y] : outside) EXPECT_EQ(v.at(x, y), nullptr) << x << "," << y;
    EXPECT_EQ(PixelView{}.at(0, 0), nullptr);
    EXPECT_EQ(s.pixel(3, 0), 0u);
    s.setPixel(-1, 0, Backdrop);  // ignored, not a write before the buffer
    EXPECT_EQ(Surface(4, 2, 1).pitch(), 16) << "a too-small pitch is raised";
}

}  // namespace
}  // namespace platform
