// PLACEHOLDER: replaced by the real implementation.
#include "weapons/Laser.h"
namespace glintwake {
Laser::Laser(double, double, int32_t, int32_t) {}
Laser::Laser(double, double, const Vector2D&, int32_t, int32_t) {}
void Laser::update(double) {}
void Laser::setUp(double, double, const Vector2D&, int32_t, int32_t) {}
ChargeLaser::ChargeLaser(double, double, int32_t, int32_t) {}
}  // namespace glintwake
