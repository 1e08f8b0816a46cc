#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>
#include <utility>

#include "app/GameReset.h"
#include "core/GameObject.h"
#include "core/Random.h"
#include "core/Vector2D.h"
#include "support/GameFixture.h"
#include "world/GameState.h"

namespace glintwake {
namespace {

// The first draws of any rand() built on the classic rule, seeded with 1 - which is
// also where resetGameState puts the generator back; the state wraps modulo 2^32.
TEST(Random, SeedOneSequenceWhenSeededAndAfterReset) {
    for (bool reset : {false, true}) {
        SCOPED_TRACE(reset ? "after reset" : "seeded");
        seedRandom(reset ? 99 : 1);
        if (reset) resetGameState();
        for (int32_t e : {41, 18467, 6334, 26500, 19169, 15724, 11478, 29358, 26962, 24464})
            EXPECT_EQ(nextRandom(), e);
        EXPECT_EQ(randomState(), 0xDF90722Bu);
    }
}

// The angles carry the residue of a pi cut short, so they are checked to the digits.
TEST(Vector2D, TruncatedPiResidueAndAnglesKeptThroughRotateAndScale) {
    const Vector2D v(3, 4), up(0, -600);
    EXPECT_DOUBLE_EQ(v.getMagnitude(), 5.0);
    EXPECT_NEAR(v.getAngle(), 53.1301023557, 5e-11);
    EXPECT_DOUBLE_EQ(up.getMagnitude(), 600.0);
    EXPECT_NEAR(up.getAngle(), -90.0000000026, 5e-11);
    const Vector2D down(90, 1, true);
    EXPECT_DOUBLE_EQ(down.getY(), 1.0);
    EXPECT_NEAR(down.getX(), 4.49e-11, 0.01e-11);
    // Rotation adds to the angle without wrapping; scaling to zero keeps the angle.
    Vector2D turned(291, 600, true);
    turned.rotate(7);
    EXPECT_EQ(std::pair(turned.getAngle(), turned.getMagnitude()), std::pair(298.0, 600.0));
    turned.scale(0);
    EXPECT_EQ(std::pair(turned.getAngle(), turned.getY()), std::pair(298.0, 0.0));
    turned.scale(5);
    EXPECT_EQ(turned.getMagnitude(), 0.0);
}

struct Sprite : GameObject {
    Sprite(Surface* img, double x, double y, uint32_t frames = 1, uint32_t delay = 0)
        : GameObject(img, x, y, 0, 0, frames, delay, 0) {}
    uint32_t frame() const { return currentFrame; }
};

TEST(GameObjectBounds, FlooredRectanglesOverlapOnlyWhenTheySharePixels) {
    Surface img(10, 10);
    const Sprite a(&img, 0, 0), touching(&img, 10, 0), corner(&img, 9.9, 9.9);
    EXPECT_FALSE(a.collides(touching));
    EXPECT_TRUE(a.collides(corner));
    EXPECT_EQ(Sprite(&img, -0.5, 20.7).getBounds(), (Rect{-1, 20, 9, 30}));
}

TEST(GameObjectAnimation, FrameDelayHoldsFirstFrameOneUpdateLess) {
    Surface img(4, 30);
    Sprite s(&img, 0, 0, 3, 2), fast(&img, 0, 0, 3, 0);
    std::vector<uint32_t> seen;
    for (int i = 0; i < 11; ++i) {
        s.update(0);
        seen.push_back(s.frame());
    }
    EXPECT_EQ(seen, (std::vector<uint32_t>{0, 0, 1, 1, 1, 2, 2, 2, 0, 0, 0}));
    fast.update(0);
    EXPECT_EQ(fast.frame(), 1u);
}

// Where the 33x44 image is placed, and how many of its columns and rows stay on screen.
using ClipCase = std::tuple<int, int, int, int>;
class GameObjectClip : public test::GameFixture, public ::testing::WithParamInterface<ClipCase> {};

// Each source pixel's colour names its column and row, so a wrong source offset shows.
TEST_P(GameObjectClip, DrawsOnlyTheVisiblePartFromTheRightSourcePixels) {
    const auto [left, top, litColumns, litRows] = GetParam();
    Surface img(33, 44);
    for (int x = 0; x < 33; ++x)
        for (int y = 0; y < 44; ++y)
            img.setPixel(x, y, platform::makePixel(uint8_t(x + 1), uint8_t(y + 1), 1));
    img.setColorKey(0);
    Sprite(&img, left, top).update(0);
    EXPECT_EQ(test::countLitPixels(*g_backBuffer), litColumns * litRows);
    if (litColumns == 0) return;
    const int right = std::min(left + 33, 640) - 1, bottom = std::min(top + 44, 480) - 1;
    for (auto [x, y] : {std::pair{std::max(left, 0), std::max(top, 0)}, std::pair{right, bottom}})
        EXPECT_EQ(g_backBuffer->pixel(x, y),
                  platform::makePixel(uint8_t(x - left + 1), uint8_t(y - top + 1), 1));
}

INSTANTIATE_TEST_SUITE_P(AllEdges, GameObjectClip,
                         ::testing::Values(ClipCase{-10, 100, 23, 44}, ClipCase{-33, 100, 0, 0},
                                           ClipCase{620, 100, 20, 44}, ClipCase{640, 100, 0, 0},
                                           ClipCase{100, -20, 33, 24}, ClipCase{100, -44, 0, 0},
                                           ClipCase{100, 460, 33, 20}, ClipCase{100, 480, 0, 0},
                                           ClipCase{-10, -20, 23, 24}, ClipCase{620, 460, 20, 20}));

}  // namespace
}  // namespace glintwake
