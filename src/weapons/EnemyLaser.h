#pragma once
// The enemies' only shot: falls and drifts toward the player, faster in later waves.
#include <cstdint>

#include "core/GameObject.h"

namespace glintwake {

constexpr double EnemyLaserSpeed = 500.0;

class EnemyLaser : public Projectile {
public:
    EnemyLaser(double x, double y, int32_t level, int32_t listIndex);

    void update(double dt) override;

private:
    // Moves x toward the player's ship by at most homingSpeed * dt, snapping onto it.
    void followTarget(double dt) override;
    // Hurts the ship on contact.
    bool touchTarget() override;

    int32_t homingSpeed = 0;
};

}  // namespace glintwake
