#include <gtest/gtest.h>

#include "core/Random.h"
#include "effects/Effect.h"
#include "effects/PowerUp.h"
#include "enemies/Enemy.h"
#include "support/GameFixture.h"
#include "weapons/EnemyLaser.h"
#include "world/ObjectList.h"

namespace glintwake {
namespace {

using test::GameFixture;

class EnemyTest : public GameFixture {
protected:
    Enemy* addEnemy(int32_t wave = 0) {
        auto* e = new Enemy(wave, g_enemyCount);
        g_enemies[g_enemyCount++] = e;
        return e;
    }
};

TEST_F(EnemyTest, ConstructorDrawsSpeedSignPeriodAndPhase) {
    // rand() from seed 1 gives 41, 18467, 6334, 26500.
    const Enemy e(3, 2);
    const double period = 3.0 + 334 / 250.0;
    EXPECT_DOUBLE_EQ(e.getVelocity().getX(), -54.1);  // 41 % 4000 / 10 + 50, 18467 is odd
    EXPECT_DOUBLE_EQ(e.getBobPeriod(), period);
    EXPECT_DOUBLE_EQ(e.getBobTime(), 0.5 * period);
    EXPECT_EQ(e.getBounds(), (Rect{150, 20, 190, 60}));
    EXPECT_EQ(e.getEnemyId(), 2);
    EXPECT_EQ(e.getLaserLevel(), 3);
}

TEST_F(EnemyTest, FightsOnAtZeroAndExplodesBelowIt) {
    Enemy* e = addEnemy();
    e->applyDamage(EnemyHitPoints);
    e->update(0.01);
    EXPECT_FALSE(e->isDead());
    EXPECT_EQ(g_shotCount, 1);
    EXPECT_GT(test::countLitPixels(*g_backBuffer), 0);

    e->applyDamage(1);
    const Vector2D at = e->getPosition();
    g_backBuffer->fill(0);
    e->update(0.01);
    EXPECT_TRUE(e->isDead());
    EXPECT_EQ(test::countLitPixels(*g_backBuffer), 0);
    ASSERT_EQ(g_effectCount, 1);
    EXPECT_EQ(g_effects[0]->getLiveCount(), 100);
    EXPECT_DOUBLE_EQ(g_effects[0]->getParticle(0)->getPosition().getX(), at.getX() + 20);
    EXPECT_DOUBLE_EQ(g_effects[0]->getParticle(0)->getPosition().getY(), at.getY() + 20);
    removeDeadObjects(g_enemies, g_enemyCount);
    EXPECT_EQ(g_enemyCount, 0);
}

struct DropCase {
    uint32_t seed;
    int enemies;    // dying together in one frame
    int droppedBy;  // list index of the enemy expected to drop, -1 for none
    int32_t kind;
    int32_t amount;
    friend std::ostream& operator<<(std::ostream& os, const DropCase& c) {
        return os << "seed " << c.seed << ", " << c.enemies << " dying";
    }
};

class EnemyDrop : public EnemyTest, public ::testing::WithParamInterface<DropCase> {};

// With the particle limit reached the explosions draw nothing, so the drop's draws
// follow the constructors' four each.
TEST_P(EnemyDrop, FollowsTheDrawsForTheSeed) {
    const DropCase c = GetParam();
    seedRandom(c.seed);
    g_particleCount = MaxParticles;
    for (int i = 0; i < c.enemies; ++i) addEnemy()->applyDamage(EnemyHitPoints + 1);
    for (int i = g_enemyCount - 1; i >= 0; --i) g_enemies[i]->update(0.01);
    if (c.droppedBy < 0) {
        EXPECT_EQ(g_powerUpCount, 0);
        return;
    }
    ASSERT_EQ(g_powerUpCount, 1);
    EXPECT_EQ(g_powerUps[0]->getKind(), c.kind);
    EXPECT_EQ(g_powerUps[0]->getAmount(), c.amount);
    EXPECT_DOUBLE_EQ(g_powerUps[0]->getPosition().getX(), c.droppedBy * 50 + 50 + 20);
}

INSTANTIATE_TEST_SUITE_P(Seeds, EnemyDrop,
                         ::testing::Values(DropCase{1, 1, 0, 10, 1},    // c 17: laser speed
                                           DropCase{2, 1, 0, 0, 90},    // c 0: money 50 + 10 * 4
                                           DropCase{5, 1, 0, 7, 10},    // c 12: health
                                           DropCase{17, 1, 0, 2, 5},    // c 5: missile ammo
                                           DropCase{28, 1, 0, 8, 3},    // c 15: shield
                                           DropCase{35, 2, 1, 11, 50},  // draws 0 then 8
                                           DropCase{5, 2, 0, 11, 50},   // draws 2 then 0
                                           DropCase{3, 2, -1, 0, 0}));  // draws 7 then 8

struct BounceCase {
    double x;
    double vx;
    double turnedVx;
    int32_t drawnAt;
    friend std::ostream& operator<<(std::ostream& os, const BounceCase& c) {
        return os << "x " << c.x << " vx " << c.vx;
    }
};

class EnemyBounce : public EnemyTest, public ::testing::WithParamInterface<BounceCase> {};

TEST_P(EnemyBounce, ClampsTheDrawingAndTurnsOnlyWhenHeadingOut) {
    const BounceCase c = GetParam();
    Enemy* e = addEnemy();
    e->getPosition().setX(c.x);
    e->getVelocity().setX(c.vx);
    e->setBob(4.0, 1.0);  // lowest point: y 303
    e->update(0.0);
    EXPECT_EQ(e->getVelocity().getX(), c.turnedVx);
    EXPECT_EQ(e->getPosition().getX(), c.x);
    EXPECT_EQ(e->getPosition().getY(), 303.0);
    EXPECT_EQ(g_backBuffer->pixel(c.drawnAt, 303), test::colourOf(g_imgEnemy));
    EXPECT_EQ(g_backBuffer->pixel(c.drawnAt + 39, 303), test::colourOf(g_imgEnemy));
    // The lock-on marker, 2 pixels out on every side, is cut at a screen side, not dropped.
    e->setLockedOn(true);
    e->update(0.0);
    EXPECT_EQ(g_backBuffer->pixel(c.drawnAt, 301), test::colourOf(g_imgLockOn));
}

INSTANTIATE_TEST_SUITE_P(Sides, EnemyBounce,
                         ::testing::Values(BounceCase{605, 100, -100, 600}, BounceCase{605, -100, -100, 600},
                                           BounceCase{-5, -100, 100, 0}, BounceCase{-5, 100, 100, 0},
                                           BounceCase{300, 100, 100, 300}));

TEST_F(EnemyTest, FiresAtOnceThenWaitsItsCooldownEvenWithAFullList) {
    Enemy* e = addEnemy(4);
    e->update(0.0);
    ASSERT_EQ(g_shotCount, 1);
    EXPECT_DOUBLE_EQ(g_shots[0]->getPosition().getX(), e->getPosition().getX() + 16);
    EXPECT_DOUBLE_EQ(g_shots[0]->getPosition().getY(), e->getPosition().getY() + 40);
    EXPECT_DOUBLE_EQ(e->getFireCooldown(), 3.0 + 169 / 3000.0);  // fifth draw 19169

    e->update(3.0);
    EXPECT_EQ(g_shotCount, 1);
    e->update(0.1);  // the rest of the cooldown, raised to 0
    EXPECT_EQ(e->getFireCooldown(), 0.0);

    for (int32_t i = g_shotCount; i < MaxShots; ++i) g_shots[i] = new EnemyLaser(0, 0, 0, i);
    g_shotCount = MaxShots;
    e->update(0.0);
    EXPECT_EQ(g_shotCount, MaxShots);
    EXPECT_DOUBLE_EQ(e->getFireCooldown(), 3.0 + 724 / 3000.0);  // sixth draw 15724
}

}  // namespace
}  // namespace glintwake
