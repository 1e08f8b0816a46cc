#pragma once
// The player's lasers: normal, super and power bolts (straight or aimed by the
// arc shot) and the charge laser, whose damage comes from the charge time.
#include <cstdint>

#include "core/GameObject.h"
#include "core/WeaponKinds.h"

namespace glintwake {

constexpr int32_t LaserDamage[3] = {10, 14, 18};  // the gun grades only
constexpr int32_t LaserSparks = 75;

class Laser : public Projectile {
public:
    // Straight up at LaserSpeed.
    Laser(double x, double y, LaserType laserType, int32_t listIndex);
    // Along the given velocity (the arc shot).
    Laser(double x, double y, const Vector2D& velocity, LaserType laserType, int32_t listIndex);

    void update(double dt) override;

protected:
    Laser() = default;
    void setUp(double x, double y, const Vector2D& velocity, LaserType laserType, int32_t damage);

private:
    // Damages the first listed enemy that overlaps and starts its sparks.
    bool touchTarget() override;
};

class ChargeLaser : public Laser {
public:
    ChargeLaser(double x, double y, int32_t damage, int32_t listIndex);
};

}  // namespace glintwake
