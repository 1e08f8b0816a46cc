#pragma once
// The only way shots, effects and power-ups come into being: each takes the first
// free entry of its list and returns false when the list is full. Declared here for
// every actor that fires or spawns; made in app/Factories.cpp, the floor that knows
// every kind of object.
#include <cstdint>

#include "core/Vector2D.h"
#include "core/WeaponKinds.h"
#include "effects/Effect.h"

namespace glintwake {

bool fireLaser(double x, double y, LaserType laserType);
bool fireChargeLaser(double x, double y, int32_t damage);
bool fireAimedLaser(double x, double y, const Vector2D& direction, LaserType laserType);
bool fireEnergyBeam(double x, double y, int32_t level);
bool fireMissile(double x, double y, int32_t level);
bool fireEnemyLaser(double x, double y, int32_t level);
bool spawnEffect(double x, double y, int32_t particleCount, ParticleSpawner spawner);
bool spawnPowerUp(double x, double y, int32_t kind, int32_t amount);

}  // namespace glintwake
