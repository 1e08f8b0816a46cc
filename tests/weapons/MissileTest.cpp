#include <gtest/gtest.h>

#include <tuple>
#include <utility>
#include <vector>

#include "support/GameFixture.h"
#include "weapons/Missile.h"
#include "world/ObjectList.h"

namespace glintwake {
namespace {

using test::addEnemyAt;
using test::Hz60;

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
