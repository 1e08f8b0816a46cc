#include "weapons/Laser.h"

#include "effects/Effect.h"
#include "enemies/Enemy.h"
#include "player/Factories.h"
#include "weapons/Contacts.h"
#include "world/GameSound.h"
#include "world/GameState.h"

namespace glintwake {

namespace {

constexpr uint32_t LaserFrames = 3;
constexpr uint32_t LaserFrameDelay = 2;

// The tables only cover the three gun grades; anything else fires a normal laser
// rather than reading past them.
LaserType gunLaserType(LaserType laserType) {
    return laserType <= LaserType::Power ? laserType : LaserType::Normal;
}

}  // namespace

Laser::Laser(double x, double y, LaserType laserType, int32_t listIndex)
    : Laser(x, y, Vector2D(0.0, -LaserSpeed), laserType, listIndex) {}

Laser::Laser(double x, double y, const Vector2D& velocity, LaserType laserType, int32_t listIndex) {
    const LaserType type = gunLaserType(laserType);
    slot.listIndex = listIndex;
    setUp(x, y, velocity, type, LaserDamage[laserIndex(type)]);
}

void Laser::setUp(double x, double y, const Vector2D& v, LaserType laserType, int32_t laserDamage) {
    const size_t i = laserIndex(laserType);
    setImageAndBounds(g_imgLasers[i], LaserWidth[i], LaserHeight[i]);
    setAnimation(LaserFrames, LaserFrameDelay);
    position.setCartesian(x, y);
    velocity = v;
    weaponType = weaponOf(laserType);
    damage = laserDamage;
}

ChargeLaser::ChargeLaser(double x, double y, int32_t chargeDamage, int32_t listIndex) {
    slot.listIndex = listIndex;
    setUp(x, y, Vector2D(0.0, -LaserSpeed), LaserType::Charge, chargeDamage);
}

void Laser::update(double dt) {
    flyUnclipped(dt);
}

bool Laser::touchTarget() {
    return hitEnemiesTouching(*this, [this](Enemy& enemy) {
        enemy.applyDamage(damage);
        playSound(Sound::EnemyHit);
        // Normal and charge bolts burst red-orange, the upgraded grades light blue.
        const bool blue = weaponType == WeaponId::SuperLaser || weaponType == WeaponId::PowerLaser;
        spawnEffect(position.getX(), position.getY(), LaserSparks,
                    blue ? spawnBlueParticle : spawnRedParticle);
        return true;
    });
}

}  // namespace glintwake
