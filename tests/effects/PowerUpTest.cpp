#include <gtest/gtest.h>

#include <memory>

#include "effects/PowerUp.h"
#include "player/Player.h"
#include "support/GameFixture.h"

namespace glintwake {
namespace {

class PowerUpTest : public test::GameFixture {
protected:
    void SetUp() override {
        GameFixture::SetUp();
        g_player = new Player();  // at (304, 430), 33 x 44
    }
};

// The whole 20x20 picture must stay on screen; coins have their own picture.
TEST_F(PowerUpTest, IsLostOffScreenAndDrawnWithItsPictureOtherwise) {
    const auto make = [](double x, double y) { return std::make_unique<PowerUp>(x, y, 0, 1, 0); };
    test::expectScreenEdges({{620, 100, true}, {621, 100, false}, {-0.5, 100, false}}, 20 * 20, make);
    test::expectScreenEdges({{0, 100, true}, {100, 460, true}, {100, 461, false}}, 20 * 20, make);
    for (int32_t kind : {MoneyKind, CoinKind}) {
        PowerUp p(100, 100, kind, 1, 0);
        p.update(0.0);
        EXPECT_EQ(g_backBuffer->pixel(100, 100),
                  test::colourOf(kind == CoinKind ? g_imgMoney : g_imgPowerUp));
    }
}

TEST_F(PowerUpTest, TouchingTheShipWhileLeavingIsLostEvenAWreckCollectsOtherwise) {
    PowerUp leaving(310, 461, 0, 50, 0);
    leaving.update(0.0);
    EXPECT_TRUE(leaving.isDead());
    EXPECT_EQ(g_player->getMoney(), 0);

    g_player->setHealth(0);
    PowerUp caught(310, 455, 7, 15, 1);
    caught.update(0.0);
    EXPECT_TRUE(caught.isDead());
    EXPECT_EQ(g_player->getHealth(), 15);
    EXPECT_EQ(test::countLitPixels(*g_backBuffer), 0);
}

}  // namespace
}  // namespace glintwake
