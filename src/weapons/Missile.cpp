// PLACEHOLDER: replaced by the real implementation.
#include "weapons/Missile.h"
namespace glintwake {
Missile::Missile(double, double, int32_t, int32_t) {}
void Missile::update(double) {}
void Missile::acquireTarget() {}
void Missile::refindTarget() {}
void Missile::clearLock() {}
}  // namespace glintwake
