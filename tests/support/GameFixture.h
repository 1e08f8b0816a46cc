#pragma once
// A clean world for one test (the headless backend with a 640x480 back buffer,
// images of the game's sizes in plain colours, empty lists, the generator seeded)
// and the small steps the game-object tests share.
#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <tuple>

#include "app/GameReset.h"
#include "enemies/Enemy.h"
#include "platform/Keys.h"
#include "platform/headless/HeadlessPlatform.h"
#include "player/Player.h"
#include "world/GameState.h"

namespace glintwake::test {

// Sizes of the committed images (frames stacked vertically).
struct ImageSize {
    int32_t width;
    int32_t height;
};
constexpr ImageSize PlayerShipSize{33, 88};
constexpr ImageSize ChargingSize{33, 176};
constexpr ImageSize ChargingReadySize{33, 88};
constexpr ImageSize TeleportSize{40, 176};
constexpr ImageSize LaserSizes[4] = {{4, 24}, {4, 24}, {10, 30}, {11, 57}};
constexpr ImageSize MissileSize{5, 28};
constexpr ImageSize LockOnSize{44, 44};
constexpr ImageSize ShieldSize{45, 70};
constexpr ImageSize EnemySize{40, 40};
constexpr ImageSize EnemyLaserSize{4, 24};
constexpr ImageSize IconSize{12, 19};
constexpr ImageSize BarSize{60, 26};
constexpr ImageSize PowerUpSize{20, 20};
constexpr ImageSize MoneySize{20, 20};
constexpr ImageSize InvincibleSize{35, 320};

// Every test image is one solid colour of its own; black is the colour key.
platform::Pixel colourOf(const Surface* image);
// Counts the pixels of a surface that are not black.
int countLitPixels(const Surface& surface);

class GameFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override { resetGameState(); }

    // Backend with a recording text renderer (no real fonts).
    platform::HeadlessPlatform platform_;
};

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

// Each object made at a place (x, y) and updated once without time passing must be
// alive as told and light `pixels` pixels of a cleared back buffer, or be gone undrawn.
template <typename Make>
void expectScreenEdges(std::initializer_list<std::tuple<double, double, bool>> places, int pixels,
                       Make make) {
    for (auto [x, y, alive] : places) {
        SCOPED_TRACE(::testing::Message() << "at (" << x << ", " << y << ")");
        g_backBuffer->fill(0);
        auto object = make(x, y);
        object->update(0.0);
        EXPECT_EQ(object->isDead(), !alive);
        EXPECT_EQ(countLitPixels(*g_backBuffer), alive ? pixels : 0);
    }
}

}  // namespace glintwake::test
