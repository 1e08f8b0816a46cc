#include "world/GameState.h"

#include <cstring>

#include "app/ImageTable.h"
#include "core/Random.h"
#include "effects/Effect.h"
#include "effects/PowerUp.h"
#include "enemies/Enemy.h"
#include "hud/Hud.h"
#include "player/Player.h"
#include "shop/Shop.h"
#include "world/ObjectList.h"

namespace glintwake {

platform::Platform* g_platform = nullptr;
bool g_displayOpen = false;
bool g_keyboardOpen = false;
Surface* g_backBuffer = nullptr;
uint8_t g_keys[platform::KeyStateSize] = {};

Surface* g_imgPlayerShip = nullptr;
Surface* g_imgCharging = nullptr;
Surface* g_imgChargingReady = nullptr;
Surface* g_imgTeleport = nullptr;
Surface* g_imgLasers[4] = {};
Surface* g_imgPlayerMissile = nullptr;
Surface* g_imgLockOn = nullptr;
Surface* g_imgPlayerShield = nullptr;
Surface* g_imgEnemy = nullptr;
Surface* g_imgEnemyLaser = nullptr;
Surface* g_imgWeaponIcons[3] = {};
Surface* g_imgStatusBarEmpty = nullptr;
Surface* g_imgHealthBarFull = nullptr;
Surface* g_imgShieldBarFull = nullptr;
Surface* g_imgPowerUp = nullptr;
Surface* g_imgMoney = nullptr;
Surface* g_imgInvincible = nullptr;

Player* g_player = nullptr;
Hud* g_hud = nullptr;
Shop* g_shop = nullptr;

Projectile** g_shots = nullptr;
int32_t g_shotCount = 0;
Enemy** g_enemies = nullptr;
int32_t g_enemyCount = 0;
Effect** g_effects = nullptr;
int32_t g_effectCount = 0;
PowerUp** g_powerUps = nullptr;
int32_t g_powerUpCount = 0;

int32_t g_particleCount = 0;
int32_t g_waveNumber = 0;
Star g_stars[StarCount] = {};
const char* g_errorMessage = nullptr;
FrameOverlay* g_frameOverlay = nullptr;
StartupAllocation g_failingAllocation = StartupAllocation::None;

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

void resetWorldCounters() {
    g_shotCount = g_enemyCount = g_effectCount = g_powerUpCount = 0;
    g_particleCount = 0;
    g_waveNumber = 0;
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
