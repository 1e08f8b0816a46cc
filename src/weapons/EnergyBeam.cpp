// PLACEHOLDER: replaced by the real implementation.
#include "weapons/EnergyBeam.h"
namespace glintwake {
EnergyBeam::EnergyBeam(double, double, int32_t, int32_t) {}
void EnergyBeam::update(double) {}
Rect EnergyBeam::getBounds() const { return Rect{}; }
void EnergyBeam::draw(const Rect&) const {}
}  // namespace glintwake
