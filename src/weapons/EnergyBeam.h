#pragma once
// The energy cannon's beam: a 7-pixel column painted into the back buffer that
// sweeps up the screen and burns every enemy it touches.
#include <cstdint>

#include "core/GameObject.h"

namespace glintwake {

constexpr double BeamSpeed = 700.0;
constexpr int32_t BeamDamageRate = 250;

class EnergyBeam : public Projectile {
public:
    EnergyBeam(double x, double y, int32_t level, int32_t listIndex);

    void update(double dt) override;
    Rect getBounds() const override;

private:
    // Sparks and damage for every enemy the beam touches, in list order.
    void burnEnemies(double dt);
    void draw(const Rect& r) const;

    Vector2D tail;
    double tailDelay = 0.0;
};

}  // namespace glintwake
