#include <gtest/gtest.h>

#include <memory>

#include "effects/Effect.h"
#include "player/Player.h"
#include "support/GameFixture.h"
#include "support/WorldHelpers.h"
#include "weapons/EnemyLaser.h"

namespace glintwake {
namespace {

using test::Guard;

class EnemyLaserTest : public test::GameFixture {
protected:
    void SetUp() override {
        GameFixture::SetUp();
        test::readyPlayer(304, 430);  // aim point x 312
    }
};

// Wave 0 falls straight; a shot within one step of the ship snaps onto it; the
// drift is capped at 200 px/s.
TEST_F(EnemyLaserTest, DriftsTowardTheShipByItsStepOrSnapsOntoIt) {
    struct Drift {
        int32_t level;
        double x, expectedX;  // after one update of 0.1 s toward x 312
    };
    const Drift drifts[] = {{0, 100, 100},  {10, 100, 110}, {10, 400, 390}, {10, 305, 312},
                            {10, 322, 312}, {30, 100, 120}, {25, 100, 120}};
    for (auto [level, x, expectedX] : drifts) {
        EnemyLaser shot(x, 100, level, 0);
        shot.update(0.1);
        EXPECT_NEAR(shot.getPosition().getX(), expectedX, 1e-9) << "level " << level << " from x " << x;
    }
}

// The whole 4x8 frame must stay on screen.
TEST_F(EnemyLaserTest, LeavesOnceAnyPartOfItsFrameIsOffScreen) {
    const auto make = [](double x, double y) { return std::make_unique<EnemyLaser>(x, y, 0, 0); };
    test::expectScreenEdges({{100, 472, true}, {100, 473, false}, {636, 100, true}}, 4 * 8, make);
    test::expectScreenEdges({{637, 100, false}, {-0.1, 100, false}, {100, -0.5, false}}, 4 * 8, make);
}

TEST_F(EnemyLaserTest, IsUsedUpWithGreenSparksWhetherOrNotItHurts) {
    int32_t bursts = 0;
    for (Guard guard : {Guard::None, Guard::Shield, Guard::Teleport, Guard::Invulnerable}) {
        SCOPED_TRACE(guard);
        test::readyPlayer(304, 430);
        test::raiseGuard(guard);
        const Vector2D ship = g_player->getPosition();
        EnemyLaser shot(ship.getX() + 8.5, ship.getY() + 10.25, 3, 0);
        g_backBuffer->fill(0);
        shot.update(0.0);
        EXPECT_TRUE(shot.isDead());
        EXPECT_EQ(test::countLitPixels(*g_backBuffer), 0);
        EXPECT_EQ(g_player->getHealth(), guard == Guard::None ? 100 - 8 : 100);
        ASSERT_EQ(g_effectCount, ++bursts);
        const Effect& sparks = *g_effects[g_effectCount - 1];
        ASSERT_EQ(sparks.getLiveCount(), 75);
        EXPECT_GE((sparks.getParticle(0)->getColor() >> 8) & 0xFF, 192u);  // green
        EXPECT_DOUBLE_EQ(sparks.getParticle(0)->getPosition().getY(), ship.getY() + 10.25);
    }
}

TEST_F(EnemyLaserTest, HealthStopsAtZeroAndAWreckStillCatchesShots) {
    g_player->setHealth(4);
    EnemyLaser first(312, 440, 2, 0);  // 7 damage
    first.update(0.0);
    EXPECT_EQ(g_player->getHealth(), 0);
    EnemyLaser second(312, 440, 2, 1);
    second.update(0.0);
    EXPECT_TRUE(second.isDead());
    EXPECT_EQ(g_player->getHealth(), 0);
    EXPECT_EQ(g_effectCount, 2);
}

}  // namespace
}  // namespace glintwake
