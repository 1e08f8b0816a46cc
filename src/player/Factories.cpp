// PLACEHOLDER: replaced by the real implementation.
#include "player/Factories.h"
namespace glintwake {
bool fireLaser(double, double, int32_t) { return false; }
bool fireChargeLaser(double, double, int32_t) { return false; }
bool fireAimedLaser(double, double, const Vector2D&, int32_t) { return false; }
bool fireEnergyBeam(double, double, int32_t) { return false; }
bool fireMissile(double, double, int32_t) { return false; }
bool fireEnemyLaser(double, double, int32_t) { return false; }
bool spawnEffect(double, double, int32_t, ParticleSpawner) { return false; }
bool spawnPowerUp(double, double, int32_t, int32_t) { return false; }
}  // namespace glintwake
