#pragma once
// What a shot touches: the listed enemies whose rectangles overlap it.
#include <cstdint>

#include "core/GameObject.h"
#include "enemies/Enemy.h"
#include "world/GameState.h"

namespace glintwake {

// Calls hit(enemy) for each listed enemy that overlaps `self`, in list order, until
// a call returns true (the shot is used up); returns whether one did.
template <typename Hit>
bool hitEnemiesTouching(const GameObject& self, Hit&& hit) {
    for (int32_t i = 0; g_enemies != nullptr && i < g_enemyCount; ++i) {
        Enemy* enemy = g_enemies[i];
        if (enemy != nullptr && enemy->collides(self) && hit(*enemy)) return true;
    }
    return false;
}

}  // namespace glintwake
