#include "effects/PowerUp.h"

#include "player/Player.h"
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
    if (slot.dead) return;
    position.addScaled(velocity, dt);
    const Rect source = frameRect();  // one still picture: the whole image
    const int32_t ix = screenCoord(position.getX());
    const int32_t iy = screenCoord(position.getY());
    // The screen test comes first: an item leaving the screen is lost even over the ship.
    if (!fitsOnScreen(ix, iy, source)) {
        slot.dead = true;
        return;
    }
    if (g_player != nullptr && g_player->collides(*this)) {
        g_player->applyPickup(kind, amount);
        slot.dead = true;
        return;
    }
    drawImage(image, ix, iy, source);
}

}  // namespace glintwake
