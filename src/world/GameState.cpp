#include "world/GameState.h"

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

void resetWorldCounters() {
    g_shotCount = g_enemyCount = g_effectCount = g_powerUpCount = 0;
    g_particleCount = 0;
    g_waveNumber = 0;
}

}  // namespace glintwake
