#include <gtest/gtest.h>

#include <vector>

#include "core/Random.h"
#include "effects/Effect.h"
#include "support/GameFixture.h"

namespace glintwake {
namespace {

using test::GameFixture;

class EffectTest : public GameFixture {};

// Still particles whose lifetimes the test chooses; the colour tells them apart.
std::vector<double> g_lifetimes;
Particle* stillSpark(const Vector2D& origin, Effect* owner, int32_t index) {
    const double life = g_lifetimes.empty() ? 1.0 : g_lifetimes[static_cast<size_t>(index)];
    return new Particle(origin, Vector2D(0, 0), 0x010101u * static_cast<uint32_t>(index + 1), life, owner,
                        index);
}

TEST_F(EffectTest, ParticleLimitCutsTheBurstAndDestructionGivesParticlesBack) {
    g_particleCount = MaxParticles - 12;
    auto* partial = new Effect(100, 100, 75, spawnRedParticle, 0);
    EXPECT_EQ(partial->getCapacity(), 75);
    EXPECT_EQ(partial->getLiveCount(), 12);
    EXPECT_EQ(g_particleCount, MaxParticles);

    Effect empty(100, 100, 75, spawnRedParticle, 1);
    EXPECT_EQ(empty.getLiveCount(), 0);
    empty.update(0.01);
    EXPECT_TRUE(empty.slot.isDead());

    delete partial;
    EXPECT_EQ(g_particleCount, MaxParticles - 12);
}

TEST_F(EffectTest, ParticlesDyingTogetherLeaveTheOthersUpdatedOnce) {
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

struct FadeCase {
    uint32_t color;
    double ratio;
    uint32_t pixel;
    friend std::ostream& operator<<(std::ostream& os, const FadeCase& c) {
        return os << std::hex << c.color << " at " << c.ratio;
    }
};
class FadeTest : public ::testing::TestWithParam<FadeCase> {};
TEST_P(FadeTest, ChannelsAreMaskedInPlace) {
    EXPECT_EQ(fadeColor(GetParam().color, GetParam().ratio), GetParam().pixel);
}
INSTANTIATE_TEST_SUITE_P(Values, FadeTest,
                         ::testing::Values(FadeCase{0xC0C0C0, 0.3, 0x39393A},
                                           FadeCase{0xC05010, 0.5, 0x602808},
                                           FadeCase{0xABCDEF, 1.0, 0xABCDEF}, FadeCase{0xFFFFFF, 0.0, 0}));

struct EdgeCase {
    double x;
    int32_t column;  // -1: removed without drawing
    friend std::ostream& operator<<(std::ostream& os, const EdgeCase& c) { return os << "x " << c.x; }
};
class ParticleEdge : public EffectTest, public ::testing::WithParamInterface<EdgeCase> {};

TEST_P(ParticleEdge, DrawsInTheFlooredColumnOrLeaves) {
    Effect e(GetParam().x, 200.5, 1, stillSpark, 0);
    e.update(0.0);
    const bool drawn = GetParam().column >= 0;
    EXPECT_EQ(e.getLiveCount(), drawn ? 1 : 0);
    EXPECT_EQ(test::countLitPixels(*g_backBuffer), drawn ? 1 : 0);
    if (drawn) {
        EXPECT_EQ(g_backBuffer->pixel(GetParam().column, 200), 0x010101u);
    }
}
INSTANTIATE_TEST_SUITE_P(Columns, ParticleEdge,
                         ::testing::Values(EdgeCase{639.9, 639}, EdgeCase{640.0, -1}, EdgeCase{-0.2, -1},
                                           EdgeCase{0.0, 0}));

TEST_F(EffectTest, ExactlySpentParticleIsDrawnBlackThenRemoved) {
    g_lifetimes = {0.5};
    Effect e(20, 30, 1, stillSpark, 0);
    g_lifetimes.clear();
    g_backBuffer->fill(0x123456);
    e.update(0.25);
    e.update(0.25);
    EXPECT_EQ(g_backBuffer->pixel(20, 30), 0u);
    EXPECT_EQ(e.getLiveCount(), 1);
    e.update(0.01);
    EXPECT_TRUE(e.slot.isDead());
}

// The generator's rule, replayed independently of core/Random.
struct Replay {
    uint32_t state;
    int32_t next() {
        state = state * 214013u + 2531011u;
        return static_cast<int32_t>((state >> 16) & 0x7FFF);
    }
};

TEST_F(EffectTest, SpawnersDrawInTheirOwnOrder) {
    Replay r{1};
    Effect spark(0, 0, 1, spawnRedParticle, 0);
    const uint32_t red = 192u + static_cast<uint32_t>(r.next() % 64);
    const uint32_t green = static_cast<uint32_t>(r.next() % 96);
    const uint32_t blue = static_cast<uint32_t>(r.next() % 32);
    const double direction = (r.next() % 3600) / 10.0;
    const double speed = 50 + r.next() % 150;
    EXPECT_EQ(spark.getParticle(0)->getColor(), red << 16 | green << 8 | blue);
    EXPECT_NEAR(spark.getParticle(0)->getVelocity().getAngle(), direction, 1e-9);
    EXPECT_NEAR(spark.getParticle(0)->getVelocity().getMagnitude(), speed, 1e-9);
    EXPECT_DOUBLE_EQ(spark.getParticle(0)->getLifetime(), 0.5 + (r.next() % 100) / 200.0);

    Effect orange(0, 0, 1, spawnOrangeParticle, 1);
    const bool slow = r.next() % 3 != 0;
    for (int i = 0; i < 3; ++i) r.next();  // colour
    const double orangeSpeed = slow ? 25 + r.next() % 100 : 150 + r.next() % 150;
    const double life = slow ? 0.5 + (r.next() % 100) / 200.0 : 0.25 + (r.next() % 100) / 400.0;
    EXPECT_NEAR(orange.getParticle(0)->getVelocity().getMagnitude(), orangeSpeed, 1e-9);
    EXPECT_DOUBLE_EQ(orange.getParticle(0)->getLifetime(), life);
    EXPECT_NEAR(orange.getParticle(0)->getVelocity().getAngle(), (r.next() % 3600) / 10.0, 1e-9);
}

}  // namespace
}  // namespace glintwake
