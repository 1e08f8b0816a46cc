#pragma once
// The player's lasers: normal, super and power bolts (straight or aimed by the
// arc shot) and the charge laser, whose damage comes from the charge time.
#include <cstddef>
#include <cstdint>

#include "core/GameObject.h"

namespace glintwake {

// The main gun's grades, then the charge laser; also the index of each one's picture.
enum class LaserType : uint8_t { Normal = 0, Super = 1, Power = 2, Charge = 3 };
constexpr size_t laserIndex(LaserType type) {
    return static_cast<size_t>(type);
}
// The weapon id of a laser is its type's number.
constexpr WeaponId weaponOf(LaserType type) {
    return static_cast<WeaponId>(type);
}

constexpr int32_t LaserWidth[4] = {4, 4, 10, 11};  // by laserIndex
constexpr int32_t LaserHeight[4] = {8, 8, 10, 19};
constexpr int32_t LaserDamage[3] = {10, 14, 18};  // the gun grades only
constexpr double LaserSpeed = 600.0;
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
