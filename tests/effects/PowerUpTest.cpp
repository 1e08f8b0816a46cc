#include <gtest/gtest.h>

#include "effects/PowerUp.h"
#include "player/Player.h"
#include "support/GameFixture.h"

namespace glintwake {
namespace {

using test::GameFixture;

class PowerUpTest : public GameFixture {
protected:
    void SetUp() override {
        GameFixture::SetUp();
        g_player = new Player();  // at (304, 430), 33 x 44
    }
};

struct PlaceCase {
    double x, y;
    int32_t kind;
    bool lost;
    friend std::ostream& operator<<(std::ostream& os, const PlaceCase& c) {
        return os << "(" << c.x << ", " << c.y << ") kind " << c.kind;
    }
};
class PowerUpPlace : public PowerUpTest, public ::testing::WithParamInterface<PlaceCase> {};

TEST_P(PowerUpPlace, IsLostOffScreenAndDrawnWithItsPictureOtherwise) {
    const PlaceCase c = GetParam();
    PowerUp p(c.x, c.y, c.kind, 1, 0);
    p.update(0.0);
    EXPECT_EQ(p.isDead(), c.lost);
    const Surface* picture = c.kind == CoinKind ? g_imgMoney : g_imgPowerUp;
    EXPECT_EQ(g_backBuffer->pixel(static_cast<int32_t>(c.x), static_cast<int32_t>(c.y)),
              c.lost ? 0u : test::colourOf(picture));
}
INSTANTIATE_TEST_SUITE_P(Edges, PowerUpPlace,
                         ::testing::Values(PlaceCase{620, 100, 0, false}, PlaceCase{621, 100, 0, true},
                                           PlaceCase{-0.5, 100, 11, true}, PlaceCase{0, 100, 11, false},
                                           PlaceCase{100, 460, 11, false}, PlaceCase{100, 461, 0, true}));

TEST_F(PowerUpTest, TouchingTheShipWhileLeavingIsLostNotCollected) {
    PowerUp leaving(310, 461, 0, 50, 0);
    leaving.update(0.0);
    EXPECT_TRUE(leaving.isDead());
    EXPECT_EQ(g_player->getMoney(), 0);

    PowerUp caught(310, 455, 0, 50, 1);
    caught.update(0.0);
    EXPECT_TRUE(caught.isDead());
    EXPECT_EQ(g_player->getMoney(), 50);
    EXPECT_EQ(test::countLitPixels(*g_backBuffer), 0);
}

TEST_F(PowerUpTest, DestroyedShipStillCollects) {
    g_player->setHealth(0);
    PowerUp health(310, 440, 7, 15, 0);
    health.update(0.0);
    EXPECT_TRUE(health.isDead());
    EXPECT_EQ(g_player->getHealth(), 15);
}

}  // namespace
}  // namespace glintwake
