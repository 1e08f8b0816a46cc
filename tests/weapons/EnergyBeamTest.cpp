#include <gtest/gtest.h>

#include <cstring>
#include <tuple>
#include <utility>

#include "support/GameFixture.h"
#include "weapons/EnergyBeam.h"

namespace glintwake {
namespace {

using test::Hz60;

// Red = green = 100, and a blue the beam must leave alone.
constexpr platform::Pixel Background = 0x00646437;
platform::Pixel grey(uint32_t redGreen) {
    return (redGreen << 16) | (redGreen << 8) | 0x37u;
}

class EnergyBeamTest : public test::GameFixture {};

TEST_F(EnergyBeamTest, EveryTouchedEnemyLosesRateTimesDtRoundedDown) {
    // 250/s times dt: 4.17, 4.75 and 7.5 hit points, never rounded up.
    for (const auto& [dt, loss] : {std::pair{Hz60, 4}, {0.019, 4}, {0.03, 7}}) {
        SCOPED_TRACE(testing::Message() << "dt " << dt);
        SetUp();
        Enemy* a = test::addEnemyAt(100, 280);  // both cover the beam's start at (120, 300)
        Enemy* missed = test::addEnemyAt(200, 280);
        Enemy* b = test::addEnemyAt(110, 260);
        EnergyBeam beam(120, 300, 0, 0);
        beam.update(dt);
        EXPECT_EQ(std::tuple(a->getHitPoints(), b->getHitPoints(), missed->getHitPoints()),
                  std::tuple(EnemyHitPoints - loss, EnemyHitPoints - loss, EnemyHitPoints));
        EXPECT_EQ(g_effectCount, 2);
    }
}

TEST_F(EnergyBeamTest, LivesFiftyUpdatesFromShipHeight) {
    EnergyBeam beam(320, 435, 0, 0);
    int updates = 0;
    for (; !beam.isDead() && updates < 200; ++updates) beam.update(Hz60);
    EXPECT_EQ(updates, 50);
}

// Rows padded past the screen: the beam brightens only its seven columns, one update
// behind its move, and beams at the right and bottom edges write nothing outside.
TEST_F(EnergyBeamTest, GlowsBrightestInTheMiddleAndNeverWritesOutsideTheScreen) {
    constexpr int32_t Pitch = 640 * 4 + 32;
    platform_.headlessDisplay().setBackBufferPitch(Pitch);
    g_backBuffer = platform_.display().createBackBuffer();
    const platform::PixelView view = g_backBuffer->view();
    std::memset(view.base, 0xAB, view.sizeBytes());
    g_backBuffer->fill(Background);

    EnergyBeam beam(320.5, 300, 0, 0);
    beam.update(Hz60);  // draws only its starting row
    // floor(100 * keep) + added light, column by column, between untouched neighbours.
    const uint32_t once[9] = {100, 80 + 51, 66 + 85, 25 + 192, 255, 25 + 192, 66 + 85, 80 + 51, 100};
    for (int32_t c = 0; c < 9; ++c) EXPECT_EQ(g_backBuffer->pixel(316 + c, 300), grey(once[c])) << c;
    EXPECT_EQ(g_backBuffer->pixel(320, 299), Background);
    beam.update(Hz60);  // rows 288..300: row 300 is brightened a second time
    EXPECT_EQ(g_backBuffer->pixel(317, 300), grey(104 + 51));  // floor(131 * 0.8) + 51

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
