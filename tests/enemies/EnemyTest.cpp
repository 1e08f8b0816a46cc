#include <gtest/gtest.h>

#include <tuple>
#include <utility>

#include "core/Random.h"
#include "enemies/Enemy.h"
#include "player/PowerUp.h"
#include "support/GameFixture.h"

namespace glintwake {
namespace {

using test::addEnemy;

class EnemyTest : public test::GameFixture {};

TEST_F(EnemyTest, ExplodesBelowZeroWithoutDrawingOrFiring) {
    Enemy* e = addEnemy();
    e->applyDamage(EnemyHitPoints + 1);
    e->update(0.01);
    EXPECT_EQ(g_shotCount, 0);
    EXPECT_TRUE(e->isDead());
    EXPECT_EQ(test::countLitPixels(*g_backBuffer), 0);
    EXPECT_EQ(g_effectCount, 1);
}

// The seed, how many enemies die together in one frame, the list index of the one
// expected to drop (-1: none), and the drop's kind and amount.
using DropCase = std::tuple<uint32_t, int, int, int32_t, int32_t>;
class EnemyDrop : public EnemyTest, public ::testing::WithParamInterface<DropCase> {};

// With the particle limit reached the explosions draw nothing, so the drop's draws
// follow the constructors' four each.
TEST_P(EnemyDrop, TheLastEnemyAlwaysDropsOthersOneTimeInTen) {
    const auto [seed, enemies, droppedBy, kind, amount] = GetParam();
    seedRandom(seed);
    g_particleCount = MaxParticles;
    for (int i = 0; i < enemies; ++i) addEnemy()->applyDamage(EnemyHitPoints + 1);
    for (int i = g_enemyCount - 1; i >= 0; --i) g_enemies[i]->update(0.01);
    ASSERT_EQ(g_powerUpCount, droppedBy < 0 ? 0 : 1);
    if (droppedBy < 0) return;
    EXPECT_EQ(std::pair(g_powerUps[0]->getKind(), g_powerUps[0]->getAmount()), std::pair(kind, amount));
    EXPECT_DOUBLE_EQ(g_powerUps[0]->getPosition().getX(), droppedBy * 50 + 50 + 20);
}

INSTANTIATE_TEST_SUITE_P(Seeds, EnemyDrop,
                         ::testing::Values(DropCase{1, 1, 0, 10, 1},    // c 17: laser speed
                                           DropCase{2, 1, 0, 0, 90},    // c 0: money 50 + 10 * 4
                                           DropCase{5, 1, 0, 7, 10},    // c 12: health
                                           DropCase{35, 2, 1, 11, 50},  // draws 0 then 8
                                           DropCase{5, 2, 0, 11, 50},   // draws 2 then 0
                                           DropCase{3, 2, -1, 0, 0}));  // draws 7 then 8

// Drawn between the screen sides, turned back only when heading out; the
// lock-on marker, 2 pixels out on every side, is cut at a side, not dropped.
TEST_F(EnemyTest, ClampsTheDrawingAndTurnsOnlyWhenHeadingOut) {
    // The x and x speed, the x speed after the update, and the left column drawn.
    const std::tuple<double, double, double, int32_t> bounces[] = {
        {605, 100, -100, 600}, {605, -100, -100, 600}, {-5, -100, 100, 0}, {-5, 100, 100, 0}};
    for (auto [x, vx, turnedVx, drawnAt] : bounces) {
        SCOPED_TRACE(testing::Message() << "x " << x << " vx " << vx);
        g_backBuffer->fill(0);
        Enemy e(0, 0);
        e.getPosition().setX(x);
        e.getVelocity().setX(vx);
        e.setBob(4.0, 1.0);  // lowest point: y 303
        e.update(0.0);
        EXPECT_EQ(e.getVelocity().getX(), turnedVx);
        EXPECT_EQ(e.getPosition().getX(), x);
        EXPECT_EQ(g_backBuffer->pixel(drawnAt, 303), test::colourOf(g_imgEnemy));
        EXPECT_EQ(g_backBuffer->pixel(drawnAt + 39, 303), test::colourOf(g_imgEnemy));
        e.setLockedOn(true);
        e.update(0.0);
        EXPECT_EQ(g_backBuffer->pixel(drawnAt, 301), test::colourOf(g_imgLockOn));
    }
}

}  // namespace
}  // namespace glintwake
