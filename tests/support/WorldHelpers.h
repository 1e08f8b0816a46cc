#pragma once
// Small steps shared by the game-object tests: held keys, a ship ready to fly,
// enemies listed where a test wants them, and the ship's protections.
#include <cstdint>
#include <initializer_list>
#include <ostream>

#include "enemies/Enemy.h"
#include "platform/Keys.h"
#include "player/Player.h"
#include "world/GameState.h"

namespace glintwake::test {

constexpr double Hz60 = 1.0 / 60.0;

// A keyboard state with only the given keys held.
struct Keys {
    uint8_t state[platform::KeyStateSize] = {};
    Keys(std::initializer_list<uint8_t> held) {
        for (uint8_t k : held) state[k] = platform::KeyDown;
    }
};

// Replaces g_player with a ship past its opening teleport, at (x, y).
inline void readyPlayer(double x, double y) {
    delete g_player;
    g_player = new Player();
    g_player->finishTeleport();
    g_player->setPosition(x, y);
}

// Lists an enemy of the given wave; its id is the index it was listed at.
inline Enemy* addEnemy(int32_t wave = 0) {
    auto* e = new Enemy(wave, g_enemyCount);
    g_enemies[g_enemyCount++] = e;
    return e;
}
inline Enemy* addEnemyAt(double x, double y) {
    Enemy* e = addEnemy();
    e->getPosition().setCartesian(x, y);
    return e;
}

// What keeps the ship from harm; raiseGuard puts a ready ship under one.
enum class Guard { None, Shield, Teleport, Invulnerable };
inline std::ostream& operator<<(std::ostream& os, Guard g) {
    const char* names[] = {"none", "shield", "teleport", "invulnerable"};
    return os << names[static_cast<int>(g)];
}
inline void raiseGuard(Guard g) {
    if (g == Guard::Shield) g_player->updatePlayer(Keys{platform::key::RightControl}.state, 0.0);
    if (g == Guard::Teleport) g_player->updatePlayer(Keys{platform::key::RightAlt}.state, 0.0);
    if (g == Guard::Invulnerable) g_player->setInvulnerableTime(5.0);
}

}  // namespace glintwake::test
