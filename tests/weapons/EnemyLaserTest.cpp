#include <gtest/gtest.h>

#include "effects/Effect.h"
#include "player/Player.h"
#include "support/GameFixture.h"
#include "weapons/EnemyLaser.h"

namespace glintwake {
namespace {

using test::GameFixture;

class EnemyLaserTest : public GameFixture {
protected:
    void SetUp() override {
        GameFixture::SetUp();
        g_player = new Player();  // at (304, 430): aim point x 312
        g_player->finishTeleport();
    }
};

struct DriftCase {
    int32_t level;
    double x;
    double expectedX;  // after one update of 0.1 s toward x 312
    friend std::ostream& operator<<(std::ostream& os, const DriftCase& c) {
        return os << "level " << c.level << " from x " << c.x;
    }
};
class EnemyLaserDrift : public EnemyLaserTest, public ::testing::WithParamInterface<DriftCase> {};

TEST_P(EnemyLaserDrift, MovesByTheStepOrSnapsOntoTheShip) {
    EnemyLaser shot(GetParam().x, 100, GetParam().level, 0);
    shot.update(0.1);
    EXPECT_NEAR(shot.getPosition().getX(), GetParam().expectedX, 1e-9);
}
INSTANTIATE_TEST_SUITE_P(Steps, EnemyLaserDrift,
                         ::testing::Values(DriftCase{0, 100, 100},  // wave 0 falls straight
                                           DriftCase{10, 100, 110}, DriftCase{10, 400, 390},
                                           DriftCase{10, 305, 312},  // closer than the 10-pixel step
                                           DriftCase{10, 322, 312},  // exactly one step away
                                           DriftCase{30, 100, 120},  // drift capped at 200 px/s
                                           DriftCase{25, 100, 120}));

struct EdgeCase {
    double x, y;
    bool removed;
    friend std::ostream& operator<<(std::ostream& os, const EdgeCase& c) {
        return os << "(" << c.x << ", " << c.y << ")";
    }
};
class EnemyLaserEdge : public EnemyLaserTest, public ::testing::WithParamInterface<EdgeCase> {};

TEST_P(EnemyLaserEdge, WholeFrameMustStayOnScreen) {
    EnemyLaser shot(GetParam().x, GetParam().y, 0, 0);
    shot.update(0.0);
    EXPECT_EQ(shot.isDead(), GetParam().removed);
    EXPECT_EQ(test::countLitPixels(*g_backBuffer), GetParam().removed ? 0 : 4 * 8);
}
INSTANTIATE_TEST_SUITE_P(Edges, EnemyLaserEdge,
                         ::testing::Values(EdgeCase{100, 472, false}, EdgeCase{100, 473, true},
                                           EdgeCase{636, 100, false}, EdgeCase{637, 100, true},
                                           EdgeCase{-0.1, 100, true}, EdgeCase{100, -0.5, true}));

enum class Guard { None, Shield, Teleport, Invulnerable };
std::ostream& operator<<(std::ostream& os, Guard g) {
    const char* names[] = {"none", "shield", "teleport", "invulnerable"};
    return os << names[static_cast<int>(g)];
}
class EnemyLaserHit : public EnemyLaserTest, public ::testing::WithParamInterface<Guard> {};

TEST_P(EnemyLaserHit, IsUsedUpWithGreenSparksWhetherOrNotItHurts) {
    uint8_t keys[platform::KeyStateSize] = {};
    switch (GetParam()) {
        case Guard::Shield:
            keys[platform::key::RightControl] = platform::KeyDown;
            g_player->updatePlayer(keys, 0.0);
            ASSERT_TRUE(g_player->isShieldActive());
            break;
        case Guard::Teleport:
            keys[platform::key::RightAlt] = platform::KeyDown;
            g_player->updatePlayer(keys, 0.0);
            ASSERT_TRUE(g_player->isTeleporting());
            break;
        case Guard::Invulnerable:
            g_player->setInvulnerableTime(5.0);
            break;
        case Guard::None:
            break;
    }
    const Vector2D ship = g_player->getPosition();
    EnemyLaser shot(ship.getX() + 8.5, ship.getY() + 10.25, 3, 0);
    g_backBuffer->fill(0);
    shot.update(0.0);
    EXPECT_TRUE(shot.isDead());
    EXPECT_EQ(test::countLitPixels(*g_backBuffer), 0);
    EXPECT_EQ(g_player->getHealth(), GetParam() == Guard::None ? 100 - 8 : 100);
    ASSERT_EQ(g_effectCount, 1);
    ASSERT_EQ(g_effects[0]->getLiveCount(), 75);
    const Particle* spark = g_effects[0]->getParticle(0);
    EXPECT_GE((spark->getColor() >> 8) & 0xFF, 192u);  // green
    EXPECT_DOUBLE_EQ(spark->getPosition().getX(), ship.getX() + 8.5);
    EXPECT_DOUBLE_EQ(spark->getPosition().getY(), ship.getY() + 10.25);
}
INSTANTIATE_TEST_SUITE_P(Guards, EnemyLaserHit,
                         ::testing::Values(Guard::None, Guard::Shield, Guard::Teleport, Guard::Invulnerable));

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
