// PLACEHOLDER: replaced by the real implementation.
#include "player/Player.h"
namespace glintwake {
Player::Player() {}
void Player::updatePlayer(const uint8_t*, double) {}
void Player::takeDamage(int32_t) {}
void Player::applyPickup(int32_t, int32_t) {}
void Player::buyItem(int32_t) {}
void Player::setAmmo(int32_t, int32_t, int32_t) {}
void Player::setLevels(int32_t, int32_t, int32_t) {}
}  // namespace glintwake
