// PLACEHOLDER: replaced by the real implementation.
#include "effects/PowerUp.h"
namespace glintwake {
PowerUp::PowerUp(double, double, int32_t k, int32_t a, int32_t) : kind(k), amount(a) {}
void PowerUp::update(double) {}
}  // namespace glintwake
