#include "app/GameReset.h"

#include <cstring>

#include "app/ImageTable.h"
#include "core/Random.h"
#include "effects/Effect.h"
#include "enemies/Enemy.h"
#include "hud/Hud.h"
#include "player/Player.h"
#include "player/PowerUp.h"
#include "shop/Shop.h"
#include "world/GameState.h"
#include "world/ObjectList.h"

namespace glintwake {

namespace {
template <typename T>
void freeList(T**& list, int32_t count) {
    deleteAllObjects(list, count);
    delete[] list;
    list = nullptr;
}
}  // namespace

void deleteWorldObjects() {
    deletePlayObjects();
    releaseImages();
}

void deletePlayObjects() {
    freeList(g_shots, g_shotCount);
    freeList(g_enemies, g_enemyCount);
    delete g_player;
    g_player = nullptr;
    freeList(g_effects, g_effectCount);
    freeList(g_powerUps, g_powerUpCount);
    delete g_hud;
    g_hud = nullptr;
    delete g_shop;
    g_shop = nullptr;
}

void resetGameState() {
    deleteWorldObjects();
    resetWorldCounters();
    seedRandom(InitialRandomSeed);
    g_failingAllocation = StartupAllocation::None;
    for (Star& s : g_stars) s = Star{};
    std::memset(g_keys, 0, sizeof g_keys);
    g_errorMessage = nullptr;
    g_backBuffer = nullptr;
    g_displayOpen = false;
    g_keyboardOpen = false;
    g_platform = nullptr;
    g_frameOverlay = nullptr;
}

}  // namespace glintwake
