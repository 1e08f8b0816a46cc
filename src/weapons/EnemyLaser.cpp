// PLACEHOLDER: replaced by the real implementation.
#include "weapons/EnemyLaser.h"
namespace glintwake {
EnemyLaser::EnemyLaser(double, double, int32_t, int32_t) {}
void EnemyLaser::update(double) {}
}  // namespace glintwake
