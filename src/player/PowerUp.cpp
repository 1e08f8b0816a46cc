#include "player/PowerUp.h"

#include "player/Player.h"
#include "world/GameSound.h"
#include "world/GameState.h"

namespace glintwake {

PowerUp::PowerUp(double x, double y, int32_t kind, int32_t amount, int32_t listIndex)
    : kind(kind), amount(amount) {
    slot.listIndex = listIndex;
    // Ordinary enemies' coins show the money picture; every other drop the general one.
    setImageAndBounds(kind == CoinKind ? g_imgMoney : g_imgPowerUp);
    position.setCartesian(x, y);
    velocity.setCartesian(0.0, PowerUpFallSpeed);
}

void PowerUp::update(double dt) {
    // One still picture; the screen test comes first: an item leaving the screen is
    // lost even over the ship.
    flyUnclipped(dt);
}

bool PowerUp::touchTarget() {
    if (g_player == nullptr || !g_player->collides(*this)) return false;
    g_player->applyPickup(kind, amount);
    playSound(kind == MoneyKind || kind == CoinKind ? Sound::PickupMoney : Sound::PickupPowerUp);
    return true;
}

}  // namespace glintwake
