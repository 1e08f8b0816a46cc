#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "effects/Effect.h"
#include "enemies/Enemy.h"
#include "support/GameFixture.h"
#include "weapons/Missile.h"
#include "world/ObjectList.h"

namespace glintwake {
namespace {

constexpr double Frame = 1.0 / 60;

class MissileTest : public test::GameFixture {
protected:
    // Lists an enemy at (x, y); its id is the index it was listed at.
    static Enemy* addEnemy(double x, double y = 50) {
        auto* e = new Enemy(1, g_enemyCount);
        e->getPosition().setCartesian(x, y);
        g_enemies[g_enemyCount++] = e;
        return e;
    }
    static void remove(Enemy* e) { removeObject(g_enemies, g_enemyCount, e); }
};

struct LockCase {
    const char* name;
    std::vector<double> enemyXs;
    double missileX;
    int32_t expected;
};
std::ostream& operator<<(std::ostream& os, const LockCase& c) {
    return os << c.name;
}
class MissileLockTest : public MissileTest, public ::testing::WithParamInterface<LockCase> {};

TEST_P(MissileLockTest, LocksNearestInX) {
    const LockCase& c = GetParam();
    for (double x : c.enemyXs) addEnemy(x);
    const Missile m(c.missileX, 400, 0, 0);
    EXPECT_EQ(m.getTargetIndex(), c.expected);
    EXPECT_EQ(m.getTargetId(), c.expected);
    for (int32_t i = 0; i < g_enemyCount; ++i) EXPECT_EQ(g_enemies[i]->isLockedOn(), i == c.expected) << i;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MissileLockTest,
    ::testing::Values(LockCase{"Middle", {100, 300, 500}, 290, 1}, LockCase{"Tie", {272, 292}, 290, 0},
                      LockCase{"TieReversed", {292, 272}, 290, 0}, LockCase{"Nothing", {}, 290, -1},
                      LockCase{"TooFar", {882}, 250, -1}, LockCase{"JustInRange", {881}, 250, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(MissileTest, FollowsTargetThroughListChanges) {
    Enemy* first = addEnemy(100);
    Enemy* target = addEnemy(300);
    Enemy* far = addEnemy(600);
    Missile m(295, 400, 0, 0);
    remove(first);
    m.update(Frame);
    EXPECT_EQ(std::make_pair(m.getTargetIndex(), m.getTargetId()), std::make_pair(0, 1));
    EXPECT_GT(m.getPosition().getX(), 295.0);

    target->slot.dead = true;  // dead but still listed: skipped at once
    m.update(Frame);
    EXPECT_EQ(m.getTargetIndex(), 1);
    EXPECT_TRUE(far->isLockedOn());

    remove(far);
    remove(target);
    const double x = m.getPosition().getX();
    m.update(Frame);
    EXPECT_EQ(m.getTargetIndex(), -1);
    EXPECT_DOUBLE_EQ(m.getPosition().getX(), x) << "no steering without a target";
    Enemy* next = addEnemy(250);  // the next wave
    m.update(Frame);
    EXPECT_EQ(m.getTargetIndex(), 0);
    EXPECT_TRUE(next->isLockedOn());
}

TEST_F(MissileTest, LeavingTheScreenClearsTheLock) {
    Enemy* target = addEnemy(300);
    Missile m(300, 10, 0, 0);
    m.update(0.1);
    EXPECT_TRUE(m.isDead());
    EXPECT_FALSE(target->isLockedOn());
}

TEST_F(MissileTest, HittingAnotherEnemyClearsOwnTargetsLock) {
    Enemy* target = addEnemy(400);
    Missile m(100, 300, 0, 0);
    // Below the drawn frame but inside the collision box, which spans both frames.
    Enemy* inTheWay = addEnemy(90, 300);
    inTheWay->setLockedOn(true);
    m.update(Frame);
    EXPECT_TRUE(m.isDead());
    EXPECT_EQ(inTheWay->getHitPoints(), EnemyHitPoints - 50);
    EXPECT_EQ(target->getHitPoints(), EnemyHitPoints);
    EXPECT_FALSE(target->isLockedOn());
    EXPECT_TRUE(inTheWay->isLockedOn());
    ASSERT_EQ(g_effectCount, 1);
    EXPECT_EQ(g_effects[0]->getCapacity(), 150);
    EXPECT_EQ(test::countLitPixels(*g_backBuffer), 0);
}

struct SteerCase {
    int32_t level;
    double missileX, enemyX, expectedX;
};
std::ostream& operator<<(std::ostream& os, const SteerCase& c) {
    return os << "level " << c.level << " from " << c.missileX << " to " << c.enemyX;
}
class MissileSteerTest : public MissileTest, public ::testing::WithParamInterface<SteerCase> {};

TEST_P(MissileSteerTest, SlidesAtLevelSpeedAndSnaps) {
    const SteerCase& c = GetParam();
    addEnemy(c.enemyX);
    Missile m(c.missileX, 400, c.level, 0);
    m.update(0.1);
    EXPECT_DOUBLE_EQ(m.getPosition().getX(), c.expectedX);
    EXPECT_DOUBLE_EQ(m.getPosition().getY(), 330.0);
}

INSTANTIATE_TEST_SUITE_P(Levels, MissileSteerTest,
                         ::testing::Values(SteerCase{0, 100, 400, 120}, SteerCase{2, 100, 400, 135},
                                           SteerCase{1, 500, 100, 472.5}, SteerCase{0, 405, 400, 408},
                                           SteerCase{3, 420, 400, 408}));

struct ScreenCase {
    double x, y;
    bool alive;
};
std::ostream& operator<<(std::ostream& os, const ScreenCase& c) {
    return os << c.x << "," << c.y;
}
class MissileScreenTest : public MissileTest, public ::testing::WithParamInterface<ScreenCase> {};

TEST_P(MissileScreenTest, WholeFrameMustBeOnScreen) {
    const ScreenCase c = GetParam();
    Missile m(c.x, c.y, 0, 0);
    m.update(0.0);
    EXPECT_EQ(m.isDead(), !c.alive);
    EXPECT_EQ(test::countLitPixels(*g_backBuffer), c.alive ? 5 * 14 : 0);  // one 5x14 frame
}

INSTANTIATE_TEST_SUITE_P(Edges, MissileScreenTest,
                         ::testing::Values(ScreenCase{0, 0, true}, ScreenCase{-0.5, 100, false},
                                           ScreenCase{635.9, 100, true}, ScreenCase{636, 100, false},
                                           ScreenCase{100, 466.5, true}, ScreenCase{100, 467, false},
                                           ScreenCase{100, -0.1, false}));

TEST_F(MissileTest, FirstFrameHeldTwoUpdatesThenEverySecond) {
    g_imgPlayerMissile->fill(0x0000AA);
    for (int32_t y = 14; y < 28; ++y)
        for (int32_t x = 0; x < 5; ++x) g_imgPlayerMissile->setPixel(x, y, 0x00BB00);
    Missile m(300, 400, 0, 0);
    std::string frames;
    for (int i = 0; i < 7; ++i) {
        m.update(0.0);
        frames += g_backBuffer->pixel(300, 400) == 0x0000AA ? '0' : '1';
    }
    EXPECT_EQ(frames, "0011001");
}

}  // namespace
}  // namespace glintwake
