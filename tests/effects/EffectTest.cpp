#include <gtest/gtest.h>

#include <memory>
#include <tuple>
#include <vector>

#include "effects/Effect.h"
#include "player/Player.h"
#include "player/PowerUp.h"
#include "support/GameFixture.h"

namespace glintwake {
namespace {

class EffectTest : public test::GameFixture {};

// Still particles whose lifetimes the test chooses; the colour tells them apart.
std::vector<double> g_lifetimes;
Particle* stillSpark(const Vector2D& origin, Effect* owner, int32_t index) {
    const double life = g_lifetimes.empty() ? 1.0 : g_lifetimes[static_cast<size_t>(index)];
    return new Particle(origin, Vector2D(0, 0), 0x010101u * static_cast<uint32_t>(index + 1), life, owner,
                        index);
}

Vector2D g_flight;
Particle* flyingSpark(const Vector2D& origin, Effect* owner, int32_t index) {
    return new Particle(origin, g_flight, 0xFFFFFF, 1e9, owner, index);
}

// A spark's path is the vector step's to the last bit, at any angle and step.
TEST_F(EffectTest, SparkFliesTheVectorStepsPathBitForBit) {
    using Flight = std::tuple<double, double, double>;  // the angle, the speed and the step
    const Flight flights[] = {{0.0, 100, 0.016},  {90.0, 50, 0.0166667}, {359.9, 199, 0.017},
                              {123.4, 73, 1e-3},  {-45.0, 120, 0.033},   {271.3, 1, 2.5e-4},
                              {180.0, 150, 1e-7}, {33.3, 60, 0.0}};
    for (auto [angle, speed, dt] : flights) {
        SCOPED_TRACE(angle);
        g_flight = Vector2D(angle, speed, true);
        Effect burst(320.25, 240.75, 1, flyingSpark, 0);
        Vector2D expected(320.25, 240.75);
        for (int step = 0; step < 40; ++step) {
            burst.update(dt);
            expected.addScaled(g_flight, dt);
            ASSERT_EQ(burst.getLiveCount(), 1);
            const Vector2D at = burst.getParticle(0)->getPosition();
            ASSERT_EQ(std::tuple(at.getX(), at.getY(), at.getAngle()),
                      std::tuple(expected.getX(), expected.getY(), expected.getAngle()))
                << "step " << step;
        }
    }
}

TEST_F(EffectTest, ParticleLimitCutsTheBurstAndDestructionGivesParticlesBack) {
    g_particleCount = MaxParticles - 10;
    auto* partial = new Effect(100, 100, 75, spawnRedParticle, 0);
    EXPECT_EQ(partial->getCapacity(), 75);
    EXPECT_EQ(partial->getLiveCount(), 10);
    EXPECT_EQ(g_particleCount, MaxParticles);

    Effect empty(100, 100, 75, spawnRedParticle, 1);
    EXPECT_EQ(empty.getLiveCount(), 0);
    empty.update(0.01);
    EXPECT_TRUE(empty.slot.isDead());

    delete partial;
    EXPECT_EQ(g_particleCount, MaxParticles - 10);
}

TEST_F(EffectTest, ParticlesDyingTogetherLeaveTheOthersInOrderUpdatedOnce) {
    g_lifetimes = {1.0, 0.01, 1.0, 0.01, 0.01, 1.0};
    Effect e(50, 50, 6, stillSpark, 0);
    e.update(0.02);
    g_lifetimes.clear();
    ASSERT_EQ(e.getLiveCount(), 3);
    EXPECT_EQ(g_particleCount, 3);
    const uint32_t survivors[] = {0x010101, 0x030303, 0x060606};  // created first, third, sixth
    for (int32_t i = 0; i < 3; ++i) {
        EXPECT_EQ(e.getParticle(i)->getColor(), survivors[i]);
        EXPECT_EQ(e.getParticle(i)->slot.getListIndex(), i);
        EXPECT_DOUBLE_EQ(e.getParticle(i)->getRemaining(), 1.0 - 0.02);
    }
}

TEST_F(EffectTest, DrawsInTheFlooredColumnOrLeavesTheScreen) {
    for (auto [x, column] : {std::pair{639.9, 639}, {640.0, -1}, {-0.2, -1}, {0.0, 0}}) {
        SCOPED_TRACE(x);
        g_backBuffer->fill(0);
        Effect e(x, 200.5, 1, stillSpark, 0);
        e.update(0.0);
        EXPECT_EQ(e.getLiveCount(), column >= 0 ? 1 : 0);
        EXPECT_EQ(test::countLitPixels(*g_backBuffer), column >= 0 ? 1 : 0);
        EXPECT_TRUE(column < 0 || g_backBuffer->pixel(column, 200) == 0x010101u);
    }
}

class PowerUpTest : public test::GameFixture {
protected:
    void SetUp() override {
        GameFixture::SetUp();
        g_player = new Player();  // at (304, 430), 33 x 44
    }
};

// The whole 20x20 picture must stay on screen; coins have their own picture.
TEST_F(PowerUpTest, IsLostOffScreenAndDrawnWithItsPictureOtherwise) {
    const auto make = [](double x, double y) { return std::make_unique<PowerUp>(x, y, 0, 1, 0); };
    test::expectScreenEdges({{620, 100, true}, {621, 100, false}, {100, 460, true}, {100, 461, false}},
                            20 * 20, make);
    for (int32_t kind : {MoneyKind, CoinKind}) {
        PowerUp p(100, 100, kind, 1, 0);
        p.update(0.0);
        EXPECT_EQ(g_backBuffer->pixel(100, 100),
                  test::colourOf(kind == CoinKind ? g_imgMoney : g_imgPowerUp));
    }
}

TEST_F(PowerUpTest, TouchingTheShipWhileLeavingIsLostEvenAWreckCollectsOtherwise) {
    PowerUp leaving(310, 461, 0, 50, 0);
    leaving.update(0.0);
    EXPECT_TRUE(leaving.isDead());
    EXPECT_EQ(g_player->getMoney(), 0);

    g_player->setHealth(0);
    PowerUp caught(310, 455, 7, 15, 1);
    caught.update(0.0);
    EXPECT_TRUE(caught.isDead());
    EXPECT_EQ(g_player->getHealth(), 15);
}

}  // namespace
}  // namespace glintwake
