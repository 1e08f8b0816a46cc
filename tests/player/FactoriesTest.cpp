#include <gtest/gtest.h>

#include "effects/Effect.h"
#include "effects/PowerUp.h"
#include "player/Factories.h"
#include "support/GameFixture.h"
#include "weapons/Laser.h"
#include "world/GameState.h"

namespace glintwake {
namespace {

class FactoriesTest : public test::GameFixture {};

// A full list, its objects knowing their entries.
template <typename T>
void expectFullInOrder(T** list, int32_t count, int32_t capacity) {
    ASSERT_EQ(count, capacity);
    for (int32_t i = 0; i < count; ++i) EXPECT_EQ(list[i]->slot.listIndex, i) << i;
}

TEST_F(FactoriesTest, FillTheirListInOrderThenRefuse) {
    bool (*const shots[])() = {
        [] { return fireLaser(100, 100, NormalLaser); },
        [] { return fireChargeLaser(100, 100, 7); },
        [] { return fireAimedLaser(100, 100, Vector2D(250, 600, true), PowerLaser); },
        [] { return fireEnergyBeam(100, 100, 0); },
        [] { return fireMissile(100, 100, 0); },
        [] { return fireEnemyLaser(100, 100, 0); },
    };
    for (int32_t i = 0; i < MaxShots; ++i) ASSERT_TRUE(shots[i % 6]()) << i;
    for (auto fire : shots) EXPECT_FALSE(fire());
    expectFullInOrder(g_shots, g_shotCount, MaxShots);

    for (int32_t i = 0; i < MaxEffects; ++i) ASSERT_TRUE(spawnEffect(100, 100, 5, spawnRedParticle)) << i;
    EXPECT_FALSE(spawnEffect(100, 100, 5, spawnRedParticle));
    expectFullInOrder(g_effects, g_effectCount, MaxEffects);

    for (int32_t i = 0; i < MaxPowerUps; ++i) ASSERT_TRUE(spawnPowerUp(100, 100, 1, 4)) << i;
    EXPECT_FALSE(spawnPowerUp(100, 100, 1, 4));
    expectFullInOrder(g_powerUps, g_powerUpCount, MaxPowerUps);
}

}  // namespace
}  // namespace glintwake
