#pragma once
// The program-wide state of the game: the backend, the keyboard state, the images,
// the player, status display and shop, the four object lists and the counters.
// Every part of the game reaches these globals directly.
#include <cstdint>

#include "platform/Keys.h"
#include "platform/Platform.h"
#include "platform/Surface.h"
#include "world/NewOrNull.h"

namespace glintwake {

class Player;
class Hud;
class Shop;
class Enemy;
class PowerUp;
class Effect;
class Projectile;

using platform::Surface;

constexpr int32_t MaxShots = 30;
constexpr int32_t MaxEnemies = 20;
constexpr int32_t MaxEffects = 50;
constexpr int32_t MaxPowerUps = 5;
constexpr int32_t MaxParticles = 3000;
constexpr int32_t StarCount = 70;
constexpr int32_t ScreenWidth = platform::ScreenWidth;
constexpr int32_t ScreenHeight = platform::ScreenHeight;

struct Star {
    uint16_t x = 0;
    double y = 0.0;
    double speed = 0.0;
    uint8_t colour[3] = {0, 0, 0};
    double previousY = 0.0;
};

// Backend and devices. The display and keyboard themselves live in the backend;
// these flags say which of them start-up opened, so shut-down closes only those.
extern platform::Platform* g_platform;
extern bool g_displayOpen;
extern bool g_keyboardOpen;
extern Surface* g_backBuffer;  // owned by the display
extern uint8_t g_keys[platform::KeyStateSize];

// The image table: surfaces loaded at start-up, black transparent.
extern Surface* g_imgPlayerShip;
extern Surface* g_imgCharging;
extern Surface* g_imgChargingReady;
extern Surface* g_imgTeleport;
extern Surface* g_imgLasers[4];  // by laser type: normal, super, power, charge
extern Surface* g_imgPlayerMissile;
extern Surface* g_imgLockOn;
extern Surface* g_imgPlayerShield;
extern Surface* g_imgEnemy;
extern Surface* g_imgEnemyLaser;
extern Surface* g_imgWeaponIcons[3];  // arc shot, missile, energy cannon
extern Surface* g_imgStatusBarEmpty;
extern Surface* g_imgHealthBarFull;
extern Surface* g_imgShieldBarFull;
extern Surface* g_imgPowerUp;
extern Surface* g_imgMoney;
extern Surface* g_imgInvincible;

// Long-lived objects.
extern Player* g_player;
extern Hud* g_hud;
extern Shop* g_shop;

// The object lists: dense arrays of fixed capacity, see world/ObjectList.h.
extern Projectile** g_shots;
extern int32_t g_shotCount;
extern Enemy** g_enemies;
extern int32_t g_enemyCount;
extern Effect** g_effects;
extern int32_t g_effectCount;
extern PowerUp** g_powerUps;
extern int32_t g_powerUpCount;

extern int32_t g_particleCount;
extern int32_t g_waveNumber;
extern Star g_stars[StarCount];
extern const char* g_errorMessage;

// Drawn over the finished picture just before each flip; the game itself sets none.
class FrameOverlay {
public:
    virtual ~FrameOverlay() = default;
    virtual void drawOver(Surface& picture) = 0;
};
extern FrameOverlay* g_frameOverlay;

// The objects start-up allocates, in the order it allocates them.
enum class StartupAllocation { Player, Shots, Enemies, Effects, PowerUps, Hud, Shop, None };
// Test seam: the allocation start-up makes come back empty, as an exhausted heap would.
extern StartupAllocation g_failingAllocation;

// An object of start-up (Player, Hud, Shop) from the non-throwing heap; null when the
// heap is exhausted or `which` is the allocation made to fail.
template <typename T>
T* makeObject(StartupAllocation which) {
    return which == g_failingAllocation ? nullptr : newOrNull<T>();
}

// A list of `capacity` empty entries, the same way.
template <typename T>
T** makeObjectList(StartupAllocation which, int32_t capacity) {
    return which == g_failingAllocation ? nullptr : newArrayOrNull<T*>(capacity);
}

// The list counts, particle count and wave number back to zero; start-up's first step.
void resetWorldCounters();

}  // namespace glintwake
