#include "weapons/Missile.h"

#include <cmath>

#include "effects/Effect.h"
#include "enemies/Enemy.h"
#include "player/Factories.h"
#include "weapons/Contacts.h"
#include "world/GameSound.h"
#include "world/GameState.h"

namespace glintwake {

namespace {

constexpr uint32_t MissileFrames = 2;
constexpr uint32_t MissileFrameDelay = 1;
constexpr uint32_t MissileFirstCountdown = 2;
// Enemies farther than this in x are never locked.
constexpr double LockRange = 640.0;
// The missile aims at this many pixels right of an enemy's left edge.
constexpr double AimOffset = 8.0;
constexpr double BaseSteerSpeed = 200.0;
constexpr double SteerSpeedPerLevel = 75.0;
constexpr int32_t HitSparks = 150;

Enemy* enemyAt(int32_t index) {
    if (g_enemies == nullptr || index < 0 || index >= g_enemyCount) return nullptr;
    return g_enemies[index];
}

}  // namespace

Missile::Missile(double x, double y, int32_t level, int32_t listIndex) : steerLevel(level) {
    slot.listIndex = listIndex;
    setImageAndBounds(g_imgPlayerMissile);
    setAnimation(MissileFrames, MissileFrameDelay, MissileFirstCountdown);
    position.setCartesian(x, y);
    velocity.setCartesian(0.0, -MissileSpeed);
    weaponType = WeaponId::Missile;
    damage = MissileDamage;
    acquireTarget();
}

void Missile::acquireTarget() {
    if (slot.isDead()) return;
    double best = LockRange;
    int32_t candidateId = -1;
    int32_t candidateIndex = -1;
    for (int32_t i = 0; i < g_enemyCount; ++i) {
        const Enemy* enemy = enemyAt(i);
        if (enemy == nullptr || enemy->isDead()) continue;
        const double d = std::fabs(enemy->getPosition().getX() + AimOffset - position.getX());
        if (d < best) {
            best = d;
            candidateId = enemy->getEnemyId();
            candidateIndex = i;
        }
    }
    targetId = candidateId;
    targetIndex = candidateIndex;
    if (Enemy* target = enemyAt(targetIndex)) target->setLockedOn(true);
}

void Missile::refindTarget() {
    for (int32_t i = 0; i < g_enemyCount; ++i) {
        const Enemy* enemy = enemyAt(i);
        if (enemy != nullptr && enemy->getEnemyId() == targetId) {
            targetIndex = i;
            return;
        }
    }
    if (!slot.isDead()) acquireTarget();
}

void Missile::clearLock() {
    if (Enemy* target = enemyAt(targetIndex)) target->setLockedOn(false);
}

void Missile::keepLock() {
    const Enemy* target = enemyAt(targetIndex);
    if (target == nullptr || target->getEnemyId() != targetId) refindTarget();
    target = enemyAt(targetIndex);
    if (target != nullptr && target->isDead()) acquireTarget();
}

void Missile::followTarget(double dt) {
    keepLock();
    const Enemy* target = enemyAt(targetIndex);
    if (target == nullptr) return;
    const double step = (BaseSteerSpeed + SteerSpeedPerLevel * steerLevel) * dt;
    stepXToward(target->getPosition().getX() + AimOffset, step);
}

bool Missile::touchTarget() {
    return hitEnemiesTouching(*this, [this](Enemy& enemy) {
        enemy.applyDamage(damage);
        playSound(Sound::EnemyHit);
        spawnEffect(position.getX(), position.getY(), HitSparks, spawnOrangeParticle);
        clearLock();
        return true;
    });
}

void Missile::update(double dt) {
    flyUnclipped(dt);
}

}  // namespace glintwake
