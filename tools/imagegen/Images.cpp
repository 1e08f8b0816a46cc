#include "Images.h"

namespace imagegen {

const std::vector<ImageDef>& allImages() {
    static const std::vector<ImageDef> images = {
        {"playerShip.bmp", 2, drawPlayerShip},
        {"charging.bmp", 4, drawCharging},
        {"chargingReady.bmp", 2, drawChargingReady},
        {"teleport.bmp", 4, drawTeleport},
        {"normalLaser.bmp", 3, drawNormalLaser},
        {"superLaser.bmp", 3, drawSuperLaser},
        {"powerLaser.bmp", 3, drawPowerLaser},
        {"chargeLaser.bmp", 3, drawChargeLaser},
        {"playerMissile.bmp", 2, drawPlayerMissile},
        {"lockOn.bmp", 1, drawLockOn},
        {"playerShield.bmp", 2, drawPlayerShield},
        {"enemy1.bmp", 1, drawEnemy},
        {"enemyLaser.bmp", 3, drawEnemyLaser},
        {"arcShotDisp.bmp", 1, drawArcShotIcon},
        {"missileDisp.bmp", 1, drawMissileIcon},
        {"eCannonDisp.bmp", 1, drawEnergyCannonIcon},
        {"statusBarEmptyType2.bmp", 1, drawStatusBarEmpty},
        {"healthBarFullType2.bmp", 1, drawHealthBarFull},
        {"shieldBarFullType2.bmp", 1, drawShieldBarFull},
        {"powerup.bmp", 1, drawPowerUp},
        {"money.bmp", 1, drawMoney},
        {"invincible.bmp", 8, drawInvincible},
    };
    return images;
}

}  // namespace imagegen
