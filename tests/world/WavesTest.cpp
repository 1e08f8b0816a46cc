#include <gtest/gtest.h>

#include "enemies/Enemy.h"
#include "shop/Shop.h"
#include "support/GameFixture.h"
#include "world/Waves.h"

namespace glintwake {
namespace {

struct WaveCase {
    int32_t waveOnEntry;
    bool shopOpens;
    friend std::ostream& operator<<(std::ostream& os, const WaveCase& c) {
        return os << "wave " << c.waveOnEntry;
    }
};

class WavesTest : public test::GameFixture, public ::testing::WithParamInterface<WaveCase> {};

TEST_P(WavesTest, FiveEnemiesOfTheWaveAndTheShopAfterEveryThirdOne) {
    const WaveCase c = GetParam();
    g_shop = new Shop();
    g_waveNumber = c.waveOnEntry;
    spawnWave();
    EXPECT_EQ(g_shop->isActive(), c.shopOpens);
    ASSERT_EQ(g_enemyCount, 5);
    for (int32_t i = 0; i < 5; ++i) {
        EXPECT_EQ(g_enemies[i]->slot.listIndex, i);
        EXPECT_EQ(g_enemies[i]->getEnemyId(), i);
        EXPECT_EQ(g_enemies[i]->getLaserLevel(), c.waveOnEntry);
    }
    EXPECT_EQ(g_enemies[5], nullptr);
    EXPECT_EQ(g_waveNumber, c.waveOnEntry + 1);
}

INSTANTIATE_TEST_SUITE_P(Calls, WavesTest,
                         ::testing::Values(WaveCase{0, false}, WaveCase{1, false}, WaveCase{2, false},
                                           WaveCase{3, true}, WaveCase{4, false}, WaveCase{6, true},
                                           WaveCase{9, true}, WaveCase{10, false}));

}  // namespace
}  // namespace glintwake
