#include "app/Waves.h"

#include "enemies/Enemy.h"
#include "shop/Shop.h"
#include "world/GameSound.h"
#include "world/GameState.h"

namespace glintwake {

void spawnWave() {
    // The shop opens together with the wave that follows every third cleared one.
    if (g_waveNumber % ShopPeriod == 0 && g_waveNumber > 0 && g_shop != nullptr) g_shop->openShop();
    g_enemyCount = 0;
    if (g_enemies != nullptr) {
        while (g_enemyCount < WaveSize) {
            // An enemy that cannot be made leaves the wave short; the list stays dense.
            Enemy* enemy = newOrNull<Enemy>(g_waveNumber, g_enemyCount);
            if (enemy == nullptr) break;
            g_enemies[g_enemyCount] = enemy;
            ++g_enemyCount;
        }
    }
    ++g_waveNumber;
    playSound(Sound::NewWave);
}

}  // namespace glintwake
