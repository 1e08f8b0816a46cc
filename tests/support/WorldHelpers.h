#pragma once
// Small steps shared by the game-object tests: held keys, a ship ready to fly,
// enemies listed where a test wants them, the ship's protections, screen edges.
#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <ostream>

#include "enemies/Enemy.h"
#include "platform/Keys.h"
#include "player/Player.h"
#include "support/GameFixture.h"
#include "world/GameState.h"
#include "world/ObjectList.h"

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
inline void runPlayer(int updates, const Keys& keys, double dt = Hz60) {
    for (int i = 0; i < updates; ++i) g_player->updatePlayer(keys.state, dt);
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
inline void clearEnemies() {
    deleteAllObjects(g_enemies, g_enemyCount);
    g_enemyCount = 0;
}

// What keeps the ship from harm; raiseGuard puts a ready ship under one.
enum class Guard { None, Shield, Teleport, Invulnerable };
inline std::ostream& operator<<(std::ostream& os, Guard g) {
    const char* names[] = {"none", "shield", "teleport", "invulnerable"};
    return os << names[static_cast<int>(g)];
}
inline void raiseGuard(Guard g) {
    if (g == Guard::Shield) runPlayer(1, Keys{platform::key::RightControl}, 0.0);
    if (g == Guard::Teleport) runPlayer(1, Keys{platform::key::RightAlt}, 0.0);
    if (g == Guard::Invulnerable) g_player->setInvulnerableTime(5.0);
}

// Where an object is put, and whether one update without time passing leaves it alive.
struct Place {
    double x, y;
    bool alive;
};
// Each object made at a place and updated once must live and light `pixels` pixels
// of a cleared back buffer, or be gone undrawn.
template <typename Make>
void expectScreenEdges(std::initializer_list<Place> places, int pixels, Make make) {
    for (const Place& p : places) {
        SCOPED_TRACE(::testing::Message() << "at (" << p.x << ", " << p.y << ")");
        g_backBuffer->fill(0);
        auto object = make(p.x, p.y);
        object->update(0.0);
        EXPECT_EQ(object->isDead(), !p.alive);
        EXPECT_EQ(countLitPixels(*g_backBuffer), p.alive ? pixels : 0);
    }
}

}  // namespace glintwake::test
