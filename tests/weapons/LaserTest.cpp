#include <gtest/gtest.h>

#include <memory>

#include "support/GameFixture.h"
#include "weapons/Laser.h"

namespace glintwake {
namespace {

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
    Enemy* first = test::addEnemyAt(200, 200);
    Enemy* second = test::addEnemyAt(200, 200);
    auto laser = parked(210, 210, LaserType::Super);
    laser->update(0);
    EXPECT_TRUE(laser->isDead());
    EXPECT_EQ(first->getHitPoints(), EnemyHitPoints - 14);
    EXPECT_EQ(second->getHitPoints(), EnemyHitPoints);
    EXPECT_EQ(g_effectCount, 1);
    EXPECT_EQ(test::countLitPixels(*g_backBuffer), 0);
}

}  // namespace
}  // namespace glintwake
