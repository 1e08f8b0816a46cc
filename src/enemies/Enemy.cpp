// PLACEHOLDER: replaced by the real implementation.
#include "enemies/Enemy.h"
namespace glintwake {
Enemy::Enemy(int32_t, int32_t) {}
void Enemy::update(double) {}
}  // namespace glintwake
