#include <gtest/gtest.h>

#include <tuple>

#include "effects/Effect.h"
#include "support/GameFixture.h"
#include "weapons/EnemyLaser.h"

namespace glintwake {
namespace {

namespace key = platform::key;

class EnemyLaserTest : public test::GameFixture {};

// Wave 0 falls straight; a shot within one step of the ship snaps onto it; the
// drift is capped at 200 px/s.
TEST_F(EnemyLaserTest, DriftsTowardTheShipByItsStepOrSnapsOntoIt) {
    test::readyPlayer(304, 430);  // aim point x 312
    // The level, the x fired from and the x after one update of 0.1 s.
    const std::tuple<int32_t, double, double> drifts[] = {{0, 100, 100},  {10, 100, 110}, {10, 400, 390},
                                                          {10, 305, 312}, {10, 322, 312}, {30, 100, 120},
                                                          {25, 100, 120}};
    for (auto [level, x, expectedX] : drifts) {
        EnemyLaser shot(x, 100, level, 0);
        shot.update(0.1);
        EXPECT_NEAR(shot.getPosition().getX(), expectedX, 1e-9) << "level " << level << " from x " << x;
    }
}

// Health before and after a hit of 8; a wreck at 0 still catches shots.
TEST_F(EnemyLaserTest, IsUsedUpWithGreenSparksAndHurtsOnlyAnUnguardedShipDownToZero) {
    // The guard, how the ready ship is put under it, health before and after.
    using Hit = std::tuple<const char*, void (*)(), int32_t, int32_t>;
    const auto none = [] {};
    const Hit hits[] = {{"none", none, 100, 92},
                        {"none", none, 4, 0},
                        {"none", none, 0, 0},
                        {"shield", [] { test::runPlayer(1, test::Keys{key::RightControl}, 0.0); }, 100, 100},
                        {"teleport", [] { test::runPlayer(1, test::Keys{key::RightAlt}, 0.0); }, 100, 100},
                        {"invulnerable", [] { g_player->setInvulnerableTime(5.0); }, 100, 100}};
    for (auto [guard, raise, health, want] : hits) {
        SCOPED_TRACE(testing::Message() << guard << " at " << health);
        test::readyPlayer(304, 430);
        raise();
        g_player->setHealth(health);
        EnemyLaser shot(304 + 8.5, 430 + 10.25, 3, 0);  // over the ship, which has not moved
        g_backBuffer->fill(0);
        const int32_t bursts = g_effectCount;
        shot.update(0.0);
        EXPECT_TRUE(shot.isDead());
        EXPECT_EQ(test::countLitPixels(*g_backBuffer), 0);
        EXPECT_EQ(g_player->getHealth(), want);
        ASSERT_EQ(g_effectCount, bursts + 1);
        const Effect& sparks = *g_effects[bursts];
        ASSERT_EQ(sparks.getLiveCount(), 75);
        EXPECT_GE((sparks.getParticle(0)->getColor() >> 8) & 0xFF, 192u);  // green
    }
}

}  // namespace
}  // namespace glintwake
