#include <gtest/gtest.h>

#include <string>

#include "effects/Effect.h"
#include "effects/PowerUp.h"
#include "player/Factories.h"
#include "support/GameFixture.h"
#include "weapons/Laser.h"
#include "world/GameState.h"

namespace glintwake {
namespace {

struct FactoryCase {
    const char* name;
    bool (*make)();
    int32_t* count;
    int32_t capacity;
    int32_t (*indexAt)(int32_t slot);  // the listIndex of the object in that slot
};
std::ostream& operator<<(std::ostream& os, const FactoryCase& c) {
    return os << c.name;
}

int32_t shotIndex(int32_t i) {
    return g_shots[i]->slot.listIndex;
}

class FactoryTest : public test::GameFixture, public ::testing::WithParamInterface<FactoryCase> {};

TEST_P(FactoryTest, FillsSlotsInOrderThenRefuses) {
    const FactoryCase& c = GetParam();
    for (int32_t i = 0; i < c.capacity; ++i) {
        ASSERT_TRUE(c.make()) << "slot " << i;
        EXPECT_EQ(*c.count, i + 1);
        EXPECT_EQ(c.indexAt(i), i);
    }
    EXPECT_FALSE(c.make());
    EXPECT_EQ(*c.count, c.capacity);
}

Vector2D upLeft(250, 600, true);

INSTANTIATE_TEST_SUITE_P(
    All, FactoryTest,
    ::testing::Values(
        FactoryCase{"fireLaser", [] { return fireLaser(100, 100, NormalLaser); }, &g_shotCount, MaxShots,
                    shotIndex},
        FactoryCase{"fireChargeLaser", [] { return fireChargeLaser(100, 100, 7); }, &g_shotCount, MaxShots,
                    shotIndex},
        FactoryCase{"fireAimedLaser", [] { return fireAimedLaser(100, 100, upLeft, PowerLaser); },
                    &g_shotCount, MaxShots, shotIndex},
        FactoryCase{"fireEnergyBeam", [] { return fireEnergyBeam(100, 100, 0); }, &g_shotCount, MaxShots,
                    shotIndex},
        FactoryCase{"fireMissile", [] { return fireMissile(100, 100, 0); }, &g_shotCount, MaxShots,
                    shotIndex},
        FactoryCase{"fireEnemyLaser", [] { return fireEnemyLaser(100, 100, 0); }, &g_shotCount, MaxShots,
                    shotIndex},
        FactoryCase{"spawnEffect", [] { return spawnEffect(100, 100, 5, spawnRedParticle); }, &g_effectCount,
                    MaxEffects, [](int32_t i) { return g_effects[i]->slot.listIndex; }},
        FactoryCase{"spawnPowerUp", [] { return spawnPowerUp(100, 100, 1, 4); }, &g_powerUpCount, MaxPowerUps,
                    [](int32_t i) { return g_powerUps[i]->slot.listIndex; }}),
    [](const ::testing::TestParamInfo<FactoryCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace glintwake
