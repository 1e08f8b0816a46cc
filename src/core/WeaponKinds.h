#pragma once
// Which weapon a shot belongs to, and the main gun's laser grades with their sizes:
// the ship, the shots, the shop and the sounds all name them.
#include <cstddef>
#include <cstdint>

namespace glintwake {

// The four lasers in their LaserType order, then the player's secondary shots (the
// energy beam and the missile share an id), then the enemies' laser.
enum class WeaponId : int32_t {
    NormalLaser = 0,
    SuperLaser = 1,
    PowerLaser = 2,
    ChargeLaser = 3,
    EnergyBeam = 4,
    Missile = 4,
    EnemyLaser = 5,
};

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
constexpr double LaserSpeed = 600.0;

}  // namespace glintwake
