#include <gtest/gtest.h>

#include <cstring>

#include "effects/Effect.h"
#include "enemies/Enemy.h"
#include "support/GameFixture.h"
#include "weapons/EnergyBeam.h"

namespace glintwake {
namespace {

constexpr double Frame = 1.0 / 60;
// Red = green = 100, and a blue the beam must leave alone.
constexpr platform::Pixel Background = 0x00646437;

platform::Pixel grey(uint32_t redGreen) {
    return (redGreen << 16) | (redGreen << 8) | 0x37u;
}

class EnergyBeamTest : public test::GameFixture {
protected:
    static Enemy* addEnemy(double x, double y) {
        auto* e = new Enemy(1, g_enemyCount);
        e->getPosition().setCartesian(x, y);
        g_enemies[g_enemyCount++] = e;
        return e;
    }
};

struct DamageCase {
    double dt;
    int32_t damage;
};
std::ostream& operator<<(std::ostream& os, const DamageCase& c) {
    return os << "dt " << c.dt;
}
class BeamDamageTest : public EnergyBeamTest, public ::testing::WithParamInterface<DamageCase> {};

TEST_P(BeamDamageTest, EveryTouchedEnemyLosesRateTimesDtRoundedDown) {
    Enemy* a = addEnemy(100, 280);  // both cover the beam's start at (120, 300)
    Enemy* missed = addEnemy(200, 280);
    Enemy* b = addEnemy(110, 260);
    EnergyBeam beam(120, 300, 0, 0);
    beam.update(GetParam().dt);
    EXPECT_EQ(a->getHitPoints(), EnemyHitPoints - GetParam().damage);
    EXPECT_EQ(b->getHitPoints(), EnemyHitPoints - GetParam().damage);
    EXPECT_EQ(missed->getHitPoints(), EnemyHitPoints);
    ASSERT_EQ(g_effectCount, 2) << "sparks even when the damage rounds to 0";
    EXPECT_EQ(g_effects[0]->getCapacity(), 10);
}

INSTANTIATE_TEST_SUITE_P(Rates, BeamDamageTest,
                         ::testing::Values(DamageCase{Frame, 4}, DamageCase{0.001, 0}, DamageCase{0.004, 1},
                                           DamageCase{0.1, 25}));

TEST_F(EnergyBeamTest, LivesFiftyUpdatesFromShipHeight) {
    EnergyBeam beam(320, 435, 0, 0);
    EXPECT_EQ(beam.getBounds(), (Rect{317, 435, 323, 435}));
    int updates = 0, headAtTop = 0;
    while (!beam.isDead() && updates < 200) {
        beam.update(Frame);
        ++updates;
        if (headAtTop == 0 && beam.getPosition().getY() == 0.0) headAtTop = updates;
        if (updates == 20) {
            EXPECT_NEAR(beam.getTail().getY() - beam.getPosition().getY(), 140.0, 700.0 / 60);
        }
    }
    EXPECT_EQ(updates, 50);
    EXPECT_EQ(headAtTop, 38);  // 435 / (700 / 60) = 37.3 updates
}

TEST_F(EnergyBeamTest, GlowDrawnOneUpdateBehind) {
    g_backBuffer->fill(Background);
    EnergyBeam beam(320.5, 300, 0, 0);
    beam.update(Frame);  // draws only its starting row
    // floor(100 * keep) + added light, column by column.
    const uint32_t once[7] = {80 + 51, 66 + 85, 25 + 192, 255, 25 + 192, 66 + 85, 80 + 51};
    for (int32_t c = 0; c < 7; ++c) EXPECT_EQ(g_backBuffer->pixel(317 + c, 300), grey(once[c])) << c;
    EXPECT_EQ(g_backBuffer->pixel(316, 300), Background);
    EXPECT_EQ(g_backBuffer->pixel(324, 300), Background);
    EXPECT_EQ(g_backBuffer->pixel(320, 299), Background);

    beam.update(Frame);  // rows 288..300; row 300 a second time
    EXPECT_EQ(g_backBuffer->pixel(317, 288), grey(131));
    EXPECT_EQ(g_backBuffer->pixel(317, 287), Background);
    EXPECT_EQ(g_backBuffer->pixel(317, 300), grey(104 + 51));  // floor(131 * 0.8) + 51
}

TEST_F(EnergyBeamTest, FailedLockStillBurns) {
    Enemy* e = addEnemy(100, 280);
    EnergyBeam beam(120, 300, 0, 0);
    g_backBuffer->setLockFails(true);
    beam.update(Frame);
    EXPECT_EQ(test::countLitPixels(*g_backBuffer), 0);
    EXPECT_EQ(e->getHitPoints(), EnemyHitPoints - 4);
}

TEST_F(EnergyBeamTest, RemovedWhenTailLeavesTheBand) {
    for (auto [x, alive] : {std::pair{2.9, false}, {3.0, true}, {637.9, true}, {638.0, false}}) {
        g_backBuffer->fill(0);
        EnergyBeam beam(x, 300, 0, 0);
        beam.update(Frame);
        EXPECT_EQ(beam.isDead(), !alive) << x;
        EXPECT_EQ(test::countLitPixels(*g_backBuffer) > 0, alive) << x;
    }
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
        right.update(Frame);
        low.update(Frame);
    }
    for (int32_t y = 0; y < view.height; ++y)
        for (int32_t b = 640 * 4; b < Pitch; ++b) ASSERT_EQ(view.base[y * Pitch + b], 0xAB) << y;
    EXPECT_NE(g_backBuffer->pixel(639, 470), Background);
    EXPECT_NE(g_backBuffer->pixel(320, 479), Background);
}

}  // namespace
}  // namespace glintwake
