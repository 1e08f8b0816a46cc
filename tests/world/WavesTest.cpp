#include <gtest/gtest.h>

#include "enemies/Enemy.h"
#include "shop/Shop.h"
#include "support/GameFixture.h"
#include "world/ObjectList.h"
#include "world/Waves.h"

namespace glintwake {
namespace {

class WavesTest : public test::GameFixture {};

TEST_F(WavesTest, FiveEnemiesOfTheWaveAndTheShopAfterEveryThirdOne) {
    for (const auto& [waveOnEntry, shopOpens] : {std::pair{0, false}, {3, true}, {4, false}, {6, true}}) {
        SCOPED_TRACE(waveOnEntry);
        g_shop = new Shop();
        g_waveNumber = waveOnEntry;
        spawnWave();
        EXPECT_EQ(g_shop->isActive(), shopOpens);
        EXPECT_EQ(g_waveNumber, waveOnEntry + 1);
        ASSERT_EQ(g_enemyCount, 5);
        for (int32_t i = 0; i < 5; ++i) {
            EXPECT_EQ(g_enemies[i]->slot.listIndex, i);
            EXPECT_EQ(g_enemies[i]->getEnemyId(), i);
            EXPECT_EQ(g_enemies[i]->getLaserLevel(), waveOnEntry);
        }
        deleteAllObjects(g_enemies, g_enemyCount);
        g_enemyCount = 0;
        delete g_shop;
    }
    g_shop = nullptr;
}

}  // namespace
}  // namespace glintwake
