#pragma once
// Every picture the game loads, each drawn by its own function, and the list
// of files they are written to.
#include <vector>

#include "Canvas.h"

namespace imagegen {

struct ImageDef {
    const char* fileName;
    int frameCount;  // frames stacked vertically
    Canvas (*draw)();
};

// All 22 images in the game's load order.
const std::vector<ImageDef>& allImages();

// The player's ship and what is drawn with it.
Canvas drawPlayerShip();
Canvas drawCharging();
Canvas drawChargingReady();
Canvas drawTeleport();
Canvas drawPlayerShield();
Canvas drawInvincible();

// Shots.
Canvas drawNormalLaser();
Canvas drawSuperLaser();
Canvas drawPowerLaser();
Canvas drawChargeLaser();
Canvas drawPlayerMissile();
Canvas drawEnemyLaser();

// The enemy and the missile's target marker.
Canvas drawEnemy();
Canvas drawLockOn();

// Status display.
Canvas drawArcShotIcon();
Canvas drawMissileIcon();
Canvas drawEnergyCannonIcon();
Canvas drawStatusBarEmpty();
Canvas drawHealthBarFull();
Canvas drawShieldBarFull();

// Pick-ups.
Canvas drawPowerUp();
Canvas drawMoney();

// The program's icon for desktops and its window: the ship, scaled up to fill
// an IconSize square on transparent black.
constexpr int IconSize = 64;
Canvas drawIcon();

}  // namespace imagegen
