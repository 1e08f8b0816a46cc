#include "app/FrameUpdate.h"

#include "app/Waves.h"
#include "core/GameObject.h"
#include "effects/Effect.h"
#include "effects/Starfield.h"
#include "enemies/Enemy.h"
#include "hud/Hud.h"
#include "platform/Keys.h"
#include "player/Player.h"
#include "player/PowerUp.h"
#include "shop/Shop.h"
#include "world/GameState.h"
#include "world/ObjectList.h"

namespace glintwake {

namespace {

// Walks a list from its last entry to its first. The start is taken from the count
// now, so entries appended during the walk wait for the next one.
template <typename T>
void updateAll(T** list, int32_t count, double dt) {
    if (list == nullptr) return;
    for (int32_t i = count - 1; i >= 0; --i) {
        if (list[i] != nullptr) list[i]->update(dt);
    }
}

void runPlay(double dt) {
    updateAll(g_enemies, g_enemyCount, dt);
    updateAll(g_powerUps, g_powerUpCount, dt);
    removeDeadObjects(g_enemies, g_enemyCount);
    removeDeadObjects(g_powerUps, g_powerUpCount);
    if (g_player != nullptr) g_player->updatePlayer(g_keys, dt);
}

}  // namespace

void updateFrame(double dt) {
    // A new wave waits until the last enemy and every power-up are gone.
    if (g_enemyCount == 0 && g_powerUpCount <= 0) spawnWave();
    updateStarfield(dt);
    if (g_shop != nullptr && g_shop->isActive()) {
        g_shop->update(dt, g_player, g_keys);  // the wave behind the shop stands still
    } else {
        runPlay(dt);
    }
    updateAll(g_effects, g_effectCount, dt);
    updateAll(g_shots, g_shotCount, dt);
    removeDeadObjects(g_effects, g_effectCount);
    removeDeadObjects(g_shots, g_shotCount);
    if (g_hud != nullptr) g_hud->draw(dt, g_player);
    if (g_frameOverlay != nullptr && g_backBuffer != nullptr) g_frameOverlay->drawOver(*g_backBuffer);
    if (g_platform != nullptr) g_platform->display().present();
}

bool runFrame(platform::Keyboard& keyboard, double dt, const FrameFunction& update) {
    keyboard.read(g_keys);
    if (platform::isKeyDown(g_keys, platform::key::Escape)) return false;
    update(dt);
    return true;
}

}  // namespace glintwake
