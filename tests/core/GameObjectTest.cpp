#include <gtest/gtest.h>

#include "core/GameObject.h"
#include "support/GameFixture.h"

namespace glintwake {
namespace {

using test::GameFixture;

class GameObjectTest : public GameFixture {};

// An object on a 33x44 single-frame image in a known colour.
struct Sprite : GameObject {
    Sprite(Surface* img, double x, double y, uint32_t frames = 1, uint32_t delay = 0)
        : GameObject(img, x, y, 0, 0, frames, delay, 0) {}
    uint32_t frame() const { return currentFrame; }
};

TEST(GameObjectBounds, OverlapIsStrict) {
    Surface img(10, 10);
    const GameObject a(&img, 0, 0, 0, 0, 1, 0, 0);
    const GameObject touching(&img, 10, 0, 0, 0, 1, 0, 0);
    const GameObject corner(&img, 9, 9, 0, 0, 1, 0, 0);
    EXPECT_FALSE(a.collides(touching));
    EXPECT_TRUE(a.collides(corner));
}

TEST(GameObjectBounds, RectangleFloorsThePosition) {
    Surface img(33, 44);
    const GameObject o(&img, 10.7, 20.2, 0, 0, 1, 0, 0);
    EXPECT_EQ(o.getBounds(), (Rect{10, 20, 43, 64}));
    const GameObject left(&img, -0.5, 0, 0, 0, 1, 0, 0);
    EXPECT_EQ(left.getBounds().left, -1);
}

TEST(GameObjectAnimation, FrameDelayHoldsFirstFrameOneUpdateLess) {
    Surface img(4, 30);
    Sprite s(&img, 0, 0, 3, 2);
    std::vector<uint32_t> seen;
    for (int i = 0; i < 11; ++i) {
        s.update(0);
        seen.push_back(s.frame());
    }
    EXPECT_EQ(seen, (std::vector<uint32_t>{0, 0, 1, 1, 1, 2, 2, 2, 0, 0, 0}));

    Sprite fast(&img, 0, 0, 3, 0);
    fast.update(0);
    EXPECT_EQ(fast.frame(), 1u);
    Sprite still(&img, 0, 0, 1, 0);
    still.update(0);
    still.update(0);
    EXPECT_EQ(still.frame(), 0u);
}

struct ClipCase {
    double x, y;
    int litColumns;  // columns of the image visible on screen, 0 = not drawn
    int litRows;
};

std::ostream& operator<<(std::ostream& os, const ClipCase& c) {
    return os << "at (" << c.x << ", " << c.y << ") expect " << c.litColumns << "x" << c.litRows;
}

class GameObjectClip : public GameFixture, public ::testing::WithParamInterface<ClipCase> {};

TEST_P(GameObjectClip, DrawsOnlyTheVisiblePart) {
    const ClipCase c = GetParam();
    Surface img(33, 44);
    img.fill(0x123456);
    img.setColorKey(0);
    Sprite s(&img, c.x, c.y);
    s.update(0);
    EXPECT_EQ(test::countLitPixels(*g_backBuffer), c.litColumns * c.litRows);
}

INSTANTIATE_TEST_SUITE_P(AllEdges, GameObjectClip,
                         ::testing::Values(ClipCase{-10, 100, 23, 44}, ClipCase{-33, 100, 0, 0},
                                           ClipCase{620, 100, 20, 44}, ClipCase{640, 100, 0, 0},
                                           ClipCase{100, -20, 33, 24}, ClipCase{100, -44, 0, 0},
                                           ClipCase{100, 460, 33, 20}, ClipCase{100, 480, 0, 0},
                                           ClipCase{-10, -20, 23, 24}, ClipCase{620, 460, 20, 20}));

TEST_F(GameObjectTest, ClippedDrawTakesTheRightSourceColumns) {
    Surface img(33, 44);
    for (int x = 0; x < 33; ++x)
        for (int y = 0; y < 44; ++y) img.setPixel(x, y, platform::makePixel(uint8_t(x + 1), uint8_t(y + 1), 1));
    img.setColorKey(0);
    Sprite s(&img, -10, 0);
    s.update(0);
    EXPECT_EQ(g_backBuffer->pixel(0, 0), platform::makePixel(11, 1, 1));  // source column 10
    Sprite bottom(&img, 200, 460);
    bottom.update(0);
    EXPECT_EQ(g_backBuffer->pixel(200, 479), platform::makePixel(1, 20, 1));  // source row 19
}

}  // namespace
}  // namespace glintwake
