#include "weapons/EnemyLaser.h"

#include <algorithm>

#include "player/Factories.h"
#include "player/Player.h"
#include "world/GameState.h"

namespace glintwake {

namespace {

constexpr int32_t EnemyLaserWidth = 4;
constexpr int32_t EnemyLaserHeight = 8;
constexpr uint32_t EnemyLaserFrames = 3;
constexpr uint32_t EnemyLaserFrameDelay = 2;
constexpr int32_t BaseDamage = 5;
constexpr int64_t HomingPerLevel = 10;
constexpr int64_t MaxHomingSpeed = 200;
constexpr double PlayerAimOffset = 8.0;
constexpr int32_t HitSparks = 75;

}  // namespace

EnemyLaser::EnemyLaser(double x, double y, int32_t level, int32_t listIndex)
    : homingSpeed(static_cast<int32_t>(std::min(level * HomingPerLevel, MaxHomingSpeed))) {
    slot.listIndex = listIndex;
    setImageAndBounds(g_imgEnemyLaser, EnemyLaserWidth, EnemyLaserHeight);
    setAnimation(EnemyLaserFrames, EnemyLaserFrameDelay);
    position.setCartesian(x, y);
    velocity.setCartesian(0.0, EnemyLaserSpeed);
    weaponType = WeaponId::EnemyLaser;
    damage = level + BaseDamage;
}

void EnemyLaser::update(double dt) {
    flyUnclipped(dt);
}

bool EnemyLaser::touchTarget() {
    if (g_player == nullptr || !g_player->collides(*this)) return false;
    // Used up on contact, whether or not the ship's protections let the damage through.
    g_player->takeDamage(damage);
    spawnEffect(position.getX(), position.getY(), HitSparks, spawnGreenParticle);
    return true;
}

void EnemyLaser::followTarget(double dt) {
    if (g_player == nullptr) return;
    stepXToward(g_player->getPosition().getX() + PlayerAimOffset, homingSpeed * dt);
}

}  // namespace glintwake
