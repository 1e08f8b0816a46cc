#include <gtest/gtest.h>

#include <cstring>
#include <utility>

#include "effects/Effect.h"
#include "enemies/Enemy.h"
#include "support/GameFixture.h"
#include "support/WorldHelpers.h"
#include "weapons/EnergyBeam.h"

namespace glintwake {
namespace {

using test::addEnemyAt;
using test::Hz60;

// Red = green = 100, and a blue the beam must leave alone.
constexpr platform::Pixel Background = 0x00646437;
platform::Pixel grey(uint32_t redGreen) {
    return (redGreen << 16) | (redGreen << 8) | 0x37u;
}

class EnergyBeamTest : public test::GameFixture {};

TEST_F(EnergyBeamTest, EveryTouchedEnemyLosesRateTimesDtRoundedDown) {
    for (auto [dt, damage] : {std::pair{Hz60, 4}, {0.001, 0}, {0.1, 25}}) {
        SCOPED_TRACE(dt);
        test::clearEnemies();
        const int32_t effects = g_effectCount;
        Enemy* a = addEnemyAt(100, 280);  // both cover the beam's start at (120, 300)
        Enemy* missed = addEnemyAt(200, 280);
        Enemy* b = addEnemyAt(110, 260);
        EnergyBeam beam(120, 300, 0, 0);
        beam.update(dt);
        EXPECT_EQ(a->getHitPoints(), EnemyHitPoints - damage);
        EXPECT_EQ(b->getHitPoints(), EnemyHitPoints - damage);
        EXPECT_EQ(missed->getHitPoints(), EnemyHitPoints);
        ASSERT_EQ(g_effectCount, effects + 2) << "sparks even when the damage rounds to 0";
        EXPECT_EQ(g_effects[effects]->getCapacity(), 10);
    }
}

TEST_F(EnergyBeamTest, LivesFiftyUpdatesFromShipHeight) {
    EnergyBeam beam(320, 435, 0, 0);
    int updates = 0, headAtTop = 0;
    while (!beam.isDead() && updates < 200) {
        beam.update(Hz60);
        ++updates;
        if (headAtTop == 0 && beam.getPosition().getY() == 0.0) headAtTop = updates;
    }
    EXPECT_EQ(updates, 50);
    EXPECT_EQ(headAtTop, 38);  // 435 / (700 / 60) = 37.3 updates
}

TEST_F(EnergyBeamTest, GlowsBrightestInTheMiddleAndDrawsOneUpdateBehind) {
    g_backBuffer->fill(Background);
    EnergyBeam beam(320.5, 300, 0, 0);
    beam.update(Hz60);  // draws only its starting row
    // floor(100 * keep) + added light, column by column.
    const uint32_t once[7] = {80 + 51, 66 + 85, 25 + 192, 255, 25 + 192, 66 + 85, 80 + 51};
    for (int32_t c = 0; c < 7; ++c) EXPECT_EQ(g_backBuffer->pixel(317 + c, 300), grey(once[c])) << c;
    EXPECT_EQ(g_backBuffer->pixel(316, 300), Background);
    EXPECT_EQ(g_backBuffer->pixel(324, 300), Background);
    EXPECT_EQ(g_backBuffer->pixel(320, 299), Background);

    beam.update(Hz60);  // rows 288..300; row 300 a second time
    EXPECT_EQ(g_backBuffer->pixel(317, 288), grey(131));
    EXPECT_EQ(g_backBuffer->pixel(317, 287), Background);
    EXPECT_EQ(g_backBuffer->pixel(317, 300), grey(104 + 51));  // floor(131 * 0.8) + 51
}

// Padding after every row: beams at the right edge and below the screen must
// leave it and everything outside the screen untouched.
TEST_F(EnergyBeamTest, NeverWritesOutsideTheBuffer) {
    constexpr int32_t Pitch = 640 * 4 + 32;
    platform_.headlessDisplay().setBackBufferPitch(Pitch);
    g_backBuffer = platform_.display().createBackBuffer();
    const platform::PixelView view = g_backBuffer->view();
    std::memset(view.base, 0xAB, view.sizeBytes());
    g_backBuffer->fill(Background);

    EnergyBeam right(637.5, 470, 0, 0);  // columns 634..640
    EnergyBeam low(320, 520, 0, 0);
    for (int i = 0; i < 10; ++i) {
        right.update(Hz60);
        low.update(Hz60);
    }
    for (int32_t y = 0; y < view.height; ++y)
        for (int32_t b = 640 * 4; b < Pitch; ++b) ASSERT_EQ(view.base[y * Pitch + b], 0xAB) << y;
    EXPECT_NE(g_backBuffer->pixel(639, 470), Background);
    EXPECT_NE(g_backBuffer->pixel(320, 479), Background);
}

}  // namespace
}  // namespace glintwake
