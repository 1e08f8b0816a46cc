#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "effects/Effect.h"
#include "enemies/Enemy.h"
#include "support/GameFixture.h"
#include "support/WorldHelpers.h"
#include "weapons/Missile.h"
#include "world/ObjectList.h"

namespace glintwake {
namespace {

using test::addEnemyAt;
using test::Hz60;

class MissileTest : public test::GameFixture {
protected:
    static void remove(Enemy* e) { removeObject(g_enemies, g_enemyCount, e); }
};

TEST_F(MissileTest, LocksTheNearestInXAndTheFirstListedOnATie) {
    struct Lock {
        const char* name;
        std::vector<double> enemyXs;
        double missileX;
        int32_t expected;
    };
    for (const Lock& c : {Lock{"middle", {100, 300, 500}, 290, 1}, Lock{"tie", {272, 292}, 290, 0},
                          Lock{"tie reversed", {292, 272}, 290, 0}, Lock{"nothing", {}, 290, -1},
                          Lock{"too far", {882}, 250, -1}, Lock{"just in range", {881}, 250, 0}}) {
        SCOPED_TRACE(c.name);
        test::clearEnemies();
        for (double x : c.enemyXs) addEnemyAt(x, 50);
        const Missile m(c.missileX, 400, 0, 0);
        EXPECT_EQ(m.getTargetIndex(), c.expected);
        EXPECT_EQ(m.getTargetId(), c.expected);
        for (int32_t i = 0; i < g_enemyCount; ++i)
            EXPECT_EQ(g_enemies[i]->isLockedOn(), i == c.expected) << i;
    }
}

TEST_F(MissileTest, FollowsTargetThroughListChangesAndRelocksWhenItDies) {
    Enemy* first = addEnemyAt(100, 50);
    Enemy* target = addEnemyAt(300, 50);
    Enemy* far = addEnemyAt(600, 50);
    Missile m(295, 400, 0, 0);
    remove(first);
    m.update(Hz60);
    EXPECT_EQ(std::make_pair(m.getTargetIndex(), m.getTargetId()), std::make_pair(0, 1));
    EXPECT_GT(m.getPosition().getX(), 295.0);

    target->slot.dead = true;  // dead but still listed: skipped at once
    m.update(Hz60);
    EXPECT_EQ(m.getTargetIndex(), 1);
    EXPECT_TRUE(far->isLockedOn());

    remove(far);
    remove(target);
    const double x = m.getPosition().getX();
    m.update(Hz60);
    EXPECT_EQ(m.getTargetIndex(), -1);
    EXPECT_DOUBLE_EQ(m.getPosition().getX(), x) << "no steering without a target";
    Enemy* next = addEnemyAt(250, 50);  // the next wave
    m.update(Hz60);
    EXPECT_TRUE(next->isLockedOn());
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

// The whole 5x14 frame must be on screen.
TEST_F(MissileTest, LeavesOnceAnyPartOfItsFrameIsOffScreen) {
    test::expectScreenEdges({{0, 0, true},
                             {-0.5, 100, false},
                             {635.9, 100, true},
                             {636, 100, false},
                             {100, 466.5, true},
                             {100, 467, false}},
                            5 * 14, [](double x, double y) { return std::make_unique<Missile>(x, y, 0, 0); });
}

}  // namespace
}  // namespace glintwake
