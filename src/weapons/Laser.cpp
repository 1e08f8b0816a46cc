#include "weapons/Laser.h"

#include "effects/Effect.h"
#include "enemies/Enemy.h"
#include "player/Factories.h"
#include "world/GameState.h"

namespace glintwake {

namespace {

constexpr uint32_t LaserFrames = 3;
constexpr uint32_t LaserFrameDelay = 2;

// The tables only cover the three gun grades; anything else fires a normal laser
// rather than reading past them.
int32_t gunLaserType(int32_t laserType) {
    return (laserType >= NormalLaser && laserType <= PowerLaser) ? laserType : NormalLaser;
}

}  // namespace

Laser::Laser(double x, double y, int32_t laserType, int32_t listIndex)
    : Laser(x, y, Vector2D(0.0, -LaserSpeed), laserType, listIndex) {}

Laser::Laser(double x, double y, const Vector2D& velocity, int32_t laserType, int32_t listIndex) {
    const int32_t type = gunLaserType(laserType);
    slot.listIndex = listIndex;
    setUp(x, y, velocity, type, LaserDamage[type]);
}

void Laser::setUp(double x, double y, const Vector2D& v, int32_t laserType, int32_t laserDamage) {
    image = g_imgLasers[laserType];
    bounds = Rect{0, 0, LaserWidth[laserType], LaserHeight[laserType]};
    position.setCartesian(x, y);
    velocity = v;
    frameCount = LaserFrames;
    frameDelay = LaserFrameDelay;
    frameCountdown = LaserFrameDelay;
    currentFrame = 0;
    weaponType = laserType;
    damage = laserDamage;
}

ChargeLaser::ChargeLaser(double x, double y, int32_t chargeDamage, int32_t listIndex) {
    slot.listIndex = listIndex;
    setUp(x, y, Vector2D(0.0, -LaserSpeed), ChargeLaserType, chargeDamage);
}

void Laser::update(double dt) {
    if (slot.dead) return;
    position.addScaled(velocity, dt);
    animationStep();

    // A laser is never clipped: it vanishes whole once any part of its frame would leave the screen.
    const Rect source = frameRect();
    const int32_t ix = screenCoord(position.getX());
    const int32_t iy = screenCoord(position.getY());
    if (!fitsOnScreen(ix, iy, source)) {
        slot.dead = true;
        return;
    }

    if (hitFirstEnemy()) {
        slot.dead = true;
        return;
    }
    drawImage(image, ix, iy, source);
}

bool Laser::hitFirstEnemy() {
    if (g_enemies == nullptr) return false;
    for (int32_t i = 0; i < g_enemyCount; ++i) {
        Enemy* enemy = g_enemies[i];
        if (enemy == nullptr || !enemy->collides(*this)) continue;
        enemy->applyDamage(damage);
        // Normal and charge bolts burst red-orange, the upgraded grades light blue.
        const bool blue = weaponType == SuperLaser || weaponType == PowerLaser;
        spawnEffect(position.getX(), position.getY(), LaserSparks,
                    blue ? spawnBlueParticle : spawnRedParticle);
        return true;
    }
    return false;
}

}  // namespace glintwake
