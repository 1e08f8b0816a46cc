#include "player/Factories.h"

#include "player/PowerUp.h"
#include "weapons/EnemyLaser.h"
#include "weapons/EnergyBeam.h"
#include "weapons/Laser.h"
#include "weapons/Missile.h"
#include "world/GameState.h"
#include "world/NewOrNull.h"
#include "world/ObjectList.h"

namespace glintwake {

namespace {

// Out of memory during play costs the one object only: the caller sees a full
// list and the slot stays empty and uncounted.
template <typename T, typename... Args>
bool addShot(Args... args) {
    return appendObject(g_shots, g_shotCount, MaxShots,
                        [&](int32_t index) -> Projectile* { return newOrNull<T>(args..., index); });
}

}  // namespace

bool fireLaser(double x, double y, LaserType laserType) {
    return addShot<Laser>(x, y, laserType);
}

bool fireChargeLaser(double x, double y, int32_t damage) {
    return addShot<ChargeLaser>(x, y, damage);
}

bool fireAimedLaser(double x, double y, const Vector2D& direction, LaserType laserType) {
    return addShot<Laser>(x, y, direction, laserType);
}

bool fireEnergyBeam(double x, double y, int32_t level) {
    return addShot<EnergyBeam>(x, y, level);
}

bool fireMissile(double x, double y, int32_t level) {
    return addShot<Missile>(x, y, level);
}

bool fireEnemyLaser(double x, double y, int32_t level) {
    return addShot<EnemyLaser>(x, y, level);
}

bool spawnEffect(double x, double y, int32_t particleCount, ParticleSpawner spawner) {
    return appendObject(g_effects, g_effectCount, MaxEffects, [&](int32_t index) {
        return newOrNull<Effect>(x, y, particleCount, spawner, index);
    });
}

bool spawnPowerUp(double x, double y, int32_t kind, int32_t amount) {
    return appendObject(g_powerUps, g_powerUpCount, MaxPowerUps,
                        [&](int32_t index) { return newOrNull<PowerUp>(x, y, kind, amount, index); });
}

}  // namespace glintwake
