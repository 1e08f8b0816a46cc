#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <tuple>
#include <utility>
#include <vector>

#include "effects/Effect.h"
#include "support/GameFixture.h"
#include "weapons/EnemyLaser.h"
#include "weapons/EnergyBeam.h"
#include "weapons/Laser.h"
#include "weapons/Missile.h"
#include "world/ObjectList.h"

namespace glintwake {
namespace {

namespace key = platform::key;
using test::addEnemyAt;
using test::Hz60;

// A laser that stays where it is put, so the tests see exact positions.
std::unique_ptr<Laser> parked(double x, double y, LaserType type) {
    std::unique_ptr<Laser> laser(type == LaserType::Charge ? new ChargeLaser(x, y, 5, 0)
                                                           : new Laser(x, y, Vector2D(0, 0), type, 0));
    laser->getVelocity().setCartesian(0, 0);
    return laser;
}

class LaserTest : public test::GameFixture {};

// Frames: 4x8 for the normal laser, 10x10 for the power laser, 11x19 for the charge laser.
TEST_F(LaserTest, VanishesWholeOnceAnyPartLeaves) {
    const auto normal = [](double x, double y) { return parked(x, y, LaserType::Normal); };
    test::expectScreenEdges({{636, 472, true}, {637, 472, false}, {636, 473, false}}, 4 * 8, normal);
    test::expectScreenEdges({{0, 0, true}, {-0.5, 100, false}, {100, -0.5, false}}, 4 * 8, normal);
    test::expectScreenEdges({{630.5, 470.5, true}, {631, 470, false}}, 10 * 10,
                            [](double x, double y) { return parked(x, y, LaserType::Power); });
    test::expectScreenEdges({{629, 461, true}, {629, 462, false}}, 11 * 19,
                            [](double x, double y) { return parked(x, y, LaserType::Charge); });
}

TEST_F(LaserTest, HitsOnlyTheFirstListedEnemyAndIsNotDrawn) {
    Enemy* first = addEnemyAt(200, 200);
    Enemy* second = addEnemyAt(200, 200);
    auto laser = parked(210, 210, LaserType::Super);
    laser->update(0);
    EXPECT_TRUE(laser->isDead());
    EXPECT_EQ(first->getHitPoints(), EnemyHitPoints - 14);
    EXPECT_EQ(second->getHitPoints(), EnemyHitPoints);
    EXPECT_EQ(g_effectCount, 1);
    EXPECT_EQ(test::countLitPixels(*g_backBuffer), 0);
}

// Red = green = 100, and a blue the beam must leave alone.
constexpr platform::Pixel Background = 0x00646437;
platform::Pixel grey(uint32_t redGreen) {
    return (redGreen << 16) | (redGreen << 8) | 0x37u;
}

class EnergyBeamTest : public test::GameFixture {};

TEST_F(EnergyBeamTest, EveryTouchedEnemyLosesRateTimesDtRoundedDown) {
    // 250/s times dt: 4.17, 4.75 and 7.5 hit points, never rounded up.
    for (const auto& [dt, loss] : {std::pair{Hz60, 4}, {0.019, 4}, {0.03, 7}}) {
        SCOPED_TRACE(testing::Message() << "dt " << dt);
        SetUp();
        Enemy* a = addEnemyAt(100, 280);  // both cover the beam's start at (120, 300)
        Enemy* missed = addEnemyAt(200, 280);
        Enemy* b = addEnemyAt(110, 260);
        EnergyBeam beam(120, 300, 0, 0);
        beam.update(dt);
        EXPECT_EQ(std::tuple(a->getHitPoints(), b->getHitPoints(), missed->getHitPoints()),
                  std::tuple(EnemyHitPoints - loss, EnemyHitPoints - loss, EnemyHitPoints));
        EXPECT_EQ(g_effectCount, 2);
    }
}

TEST_F(EnergyBeamTest, LivesFiftyUpdatesFromShipHeight) {
    EnergyBeam beam(320, 435, 0, 0);
    int updates = 0;
    for (; !beam.isDead() && updates < 200; ++updates) beam.update(Hz60);
    EXPECT_EQ(updates, 50);
}

// Rows padded past the screen: the beam brightens only its seven columns, one update
// behind its move, and beams at the right and bottom edges write nothing outside.
TEST_F(EnergyBeamTest, GlowsBrightestInTheMiddleAndNeverWritesOutsideTheScreen) {
    constexpr int32_t Pitch = 640 * 4 + 32;
    platform_.headlessDisplay().setBackBufferPitch(Pitch);
    g_backBuffer = platform_.display().createBackBuffer();
    const platform::PixelView view = g_backBuffer->view();
    std::memset(view.base, 0xAB, view.sizeBytes());
    g_backBuffer->fill(Background);

    EnergyBeam beam(320.5, 300, 0, 0);
    beam.update(Hz60);  // draws only its starting row
    // floor(100 * keep) + added light, column by column, between untouched neighbours.
    const uint32_t once[9] = {100, 80 + 51, 66 + 85, 25 + 192, 255, 25 + 192, 66 + 85, 80 + 51, 100};
    for (int32_t c = 0; c < 9; ++c) EXPECT_EQ(g_backBuffer->pixel(316 + c, 300), grey(once[c])) << c;
    EXPECT_EQ(g_backBuffer->pixel(320, 299), Background);
    beam.update(Hz60);  // rows 288..300: row 300 is brightened a second time
    EXPECT_EQ(g_backBuffer->pixel(317, 300), grey(104 + 51));  // floor(131 * 0.8) + 51

    EnergyBeam right(637.5, 470, 0, 0);  // columns 634..640
    EnergyBeam low(320, 520, 0, 0);
    for (int i = 0; i < 10; ++i) {
        right.update(Hz60);
        low.update(Hz60);
    }
    for (int32_t y = 0; y < view.height; ++y)
        for (int32_t b = 640 * 4; b < Pitch; ++b) ASSERT_EQ(view.base[y * Pitch + b], 0xAB) << y;
    EXPECT_NE(g_backBuffer->pixel(639, 470), Background);
    EXPECT_NE(g_backBuffer->pixel(320, 479), Background);
}

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
        const int32_t bursts = g_effectCount;
        shot.update(0.0);
        EXPECT_TRUE(shot.isDead());
        EXPECT_EQ(g_player->getHealth(), want);
        ASSERT_EQ(g_effectCount, bursts + 1);
        EXPECT_GE((g_effects[bursts]->getParticle(0)->getColor() >> 8) & 0xFF, 192u);  // green
    }
}

class MissileTest : public test::GameFixture {};

// Distance is |enemy x + 8 - missile x| and must be below 640.
TEST_F(MissileTest, LocksTheNearestInXAndTheFirstListedOnATie) {
    // The enemies' x, the missile's x and the index locked (-1: none).
    for (const auto& [enemyXs, missileX, expected] :
         {std::tuple{std::vector<double>{100, 300, 500}, 290.0, 1},
          {{272, 292}, 290, 0},
          {{882}, 250, -1},
          {{881}, 250, 0}}) {
        SCOPED_TRACE(testing::Message() << "missile x " << missileX << ", enemy x " << enemyXs[0]);
        SetUp();  // no enemies yet
        for (double x : enemyXs) addEnemyAt(x, 50);
        const Missile m(missileX, 400, 0, 0);
        EXPECT_EQ(std::pair(m.getTargetIndex(), m.getTargetId()), std::pair(expected, expected));
        for (int32_t i = 0; i < g_enemyCount; ++i) EXPECT_EQ(g_enemies[i]->isLockedOn(), i == expected) << i;
    }
}

TEST_F(MissileTest, FollowsTargetThroughListChangesAndRelocksWhenItDies) {
    Enemy* first = addEnemyAt(100, 50);
    Enemy* target = addEnemyAt(300, 50);
    Enemy* far = addEnemyAt(600, 50);
    Missile m(295, 400, 0, 0);
    removeObject(g_enemies, g_enemyCount, first);
    m.update(Hz60);
    EXPECT_EQ(std::pair(m.getTargetIndex(), m.getTargetId()), std::pair(0, 1));
    EXPECT_GT(m.getPosition().getX(), 295.0);

    target->slot.dead = true;  // dead but still listed: skipped at once
    m.update(Hz60);
    EXPECT_EQ(m.getTargetIndex(), 1);
    EXPECT_TRUE(far->isLockedOn());
}

TEST_F(MissileTest, LeavingTheScreenOrHittingAnotherEnemyClearsTheLock) {
    Enemy* target = addEnemyAt(300, 50);
    Missile leaving(300, 10, 0, 0);
    leaving.update(0.1);
    EXPECT_TRUE(leaving.isDead());
    EXPECT_FALSE(target->isLockedOn());

    Missile m(100, 300, 0, 1);
    ASSERT_TRUE(target->isLockedOn());
    // Below the drawn frame but inside the collision box, which spans both frames.
    Enemy* inTheWay = addEnemyAt(90, 300);
    inTheWay->setLockedOn(true);
    m.update(Hz60);
    EXPECT_TRUE(m.isDead());
    EXPECT_EQ(inTheWay->getHitPoints(), EnemyHitPoints - 50);
    EXPECT_EQ(target->getHitPoints(), EnemyHitPoints);
    EXPECT_FALSE(target->isLockedOn());
    EXPECT_TRUE(inTheWay->isLockedOn());
}

}  // namespace
}  // namespace glintwake
