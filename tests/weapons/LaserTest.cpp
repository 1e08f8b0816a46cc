#include <gtest/gtest.h>

#include <memory>

#include "core/Random.h"
#include "effects/Effect.h"
#include "enemies/Enemy.h"
#include "player/Factories.h"
#include "support/GameFixture.h"
#include "weapons/Laser.h"
#include "world/GameState.h"

namespace glintwake {
namespace {

using test::LaserSizes;

class LaserTest : public test::GameFixture {
protected:
    // A laser that stays where it is put, so the edge tests see exact positions.
    static std::unique_ptr<Laser> parked(double x, double y, int32_t type = NormalLaser) {
        return std::make_unique<Laser>(x, y, Vector2D(0, 0), type, 0);
    }
    static Enemy* enemyAt(int32_t index, double x, double y) {
        auto* e = new Enemy(0, index);
        e->getPosition().setCartesian(x, y);
        g_enemies[index] = e;
        g_enemyCount = index + 1;
        return e;
    }
};

struct MadeCase {
    int32_t type;
    int32_t width, height, damage;
};
std::ostream& operator<<(std::ostream& os, const MadeCase& c) {
    return os << "laser type " << c.type;
}

class LaserMadeTest : public LaserTest, public ::testing::WithParamInterface<MadeCase> {};

TEST_P(LaserMadeTest, TypeGivesSizeAndDamage) {
    const MadeCase& c = GetParam();
    const std::unique_ptr<Laser> laser = c.type == ChargeLaserType
                                             ? std::make_unique<ChargeLaser>(10.5, 20.5, c.damage, 3)
                                             : std::make_unique<Laser>(10.5, 20.5, c.type, 3);
    EXPECT_EQ(laser->getBounds(), (Rect{10, 20, 10 + c.width, 20 + c.height}));
    EXPECT_EQ(laser->getDamage(), c.damage);
    EXPECT_EQ(laser->getWeaponType(), c.type);
    EXPECT_EQ(laser->slot.listIndex, 3);
    laser->update(0.1);
    EXPECT_NEAR(laser->getPosition().getX(), 10.5, 1e-6);
    EXPECT_NEAR(laser->getPosition().getY(), 20.5 - 60, 1e-6);
    EXPECT_NEAR(laser->getVelocity().getY(), -600, 1e-9);
}

INSTANTIATE_TEST_SUITE_P(Types, LaserMadeTest,
                         ::testing::Values(MadeCase{0, 4, 8, 10}, MadeCase{1, 4, 8, 14},
                                           MadeCase{2, 10, 10, 18}, MadeCase{3, 11, 19, 33}));

struct EdgeCase {
    int32_t type;
    double dx, dy;         // the position, or its offset from the bottom-right corner
    bool fromBottomRight;  // where the laser's frame just fits
    bool stays;
};
std::ostream& operator<<(std::ostream& os, const EdgeCase& c) {
    return os << "type " << c.type << (c.fromBottomRight ? " bottom-right+" : " at ") << "(" << c.dx << ", "
              << c.dy << ")";
}

class LaserEdgeTest : public LaserTest, public ::testing::WithParamInterface<EdgeCase> {};

TEST_P(LaserEdgeTest, VanishesWholeOnceAnyPartLeaves) {
    const EdgeCase& c = GetParam();
    const int32_t w = LaserSizes[c.type].width;
    const int32_t h = LaserSizes[c.type].height / 3;
    const double x = c.fromBottomRight ? ScreenWidth - w + c.dx : c.dx;
    const double y = c.fromBottomRight ? ScreenHeight - h + c.dy : c.dy;
    auto laser = parked(x, y, c.type);
    laser->update(0);
    EXPECT_EQ(laser->isDead(), !c.stays);
    EXPECT_EQ(test::countLitPixels(*g_backBuffer), c.stays ? w * h : 0);
}

INSTANTIATE_TEST_SUITE_P(Edges, LaserEdgeTest,
                         ::testing::Values(EdgeCase{0, 0, 0, true, true}, EdgeCase{0, 1, 0, true, false},
                                           EdgeCase{0, 0, 1, true, false}, EdgeCase{2, 0, 0, true, true},
                                           EdgeCase{2, 0.5, 0.5, true, true}, EdgeCase{2, 1, 0, true, false},
                                           EdgeCase{0, 0, 0, false, true},
                                           EdgeCase{0, -0.5, 100, false, false},
                                           EdgeCase{0, 100, -0.5, false, false}));

TEST_F(LaserTest, HitsOnlyTheFirstListedEnemyAndIsNotDrawn) {
    Enemy* first = enemyAt(0, 200, 200);
    Enemy* second = enemyAt(1, 200, 200);
    auto laser = parked(210, 210, SuperLaser);
    laser->update(0);
    EXPECT_TRUE(laser->isDead());
    EXPECT_EQ(first->getHitPoints(), EnemyHitPoints - 14);
    EXPECT_EQ(second->getHitPoints(), EnemyHitPoints);
    EXPECT_EQ(g_effectCount, 1);
    EXPECT_EQ(test::countLitPixels(*g_backBuffer), 0);
}

struct SparkCase {
    int32_t type;
    ParticleSpawner style;
};
std::ostream& operator<<(std::ostream& os, const SparkCase& c) {
    return os << "laser type " << c.type;
}

class LaserSparkTest : public LaserTest, public ::testing::WithParamInterface<SparkCase> {};

// The burst must match one started directly with the expected style at the
// laser's unrounded position, particle for particle.
TEST_P(LaserSparkTest, BurstStyleAndPlace) {
    enemyAt(0, 200, 200);
    const double x = 210.75, y = 215.25;
    std::unique_ptr<Laser> laser = GetParam().type == ChargeLaserType
                                       ? std::make_unique<ChargeLaser>(x, y, 5, 0)
                                       : std::make_unique<Laser>(x, y, Vector2D(0, 0), GetParam().type, 0);
    laser->getVelocity().setCartesian(0, 0);
    seedRandom(42);
    laser->update(0);
    seedRandom(42);
    ASSERT_TRUE(spawnEffect(x, y, LaserSparks, GetParam().style));
    ASSERT_EQ(g_effectCount, 2);
    const Effect& hit = *g_effects[0];
    const Effect& reference = *g_effects[1];
    ASSERT_GT(reference.getLiveCount(), 0);
    ASSERT_EQ(hit.getLiveCount(), reference.getLiveCount());
    for (int32_t i = 0; i < reference.getLiveCount(); ++i) {
        EXPECT_EQ(hit.getParticle(i)->getColor(), reference.getParticle(i)->getColor()) << "particle " << i;
        EXPECT_EQ(hit.getParticle(i)->getPosition().getX(), reference.getParticle(i)->getPosition().getX());
        EXPECT_EQ(hit.getParticle(i)->getPosition().getY(), reference.getParticle(i)->getPosition().getY());
    }
}

INSTANTIATE_TEST_SUITE_P(Styles, LaserSparkTest,
                         ::testing::Values(SparkCase{0, spawnRedParticle}, SparkCase{1, spawnBlueParticle},
                                           SparkCase{2, spawnBlueParticle}, SparkCase{3, spawnRedParticle}));

}  // namespace
}  // namespace glintwake
