#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <vector>

#include "player/Factories.h"
#include "player/Player.h"
#include "support/GameFixture.h"
#include "weapons/Laser.h"
#include "world/GameState.h"

namespace glintwake {
namespace {

namespace key = platform::key;

constexpr double Hz60 = 1.0 / 60.0;
constexpr double ExactDt = 1.0 / 64.0;  // the 0.25 s interval is exactly 16 of these
constexpr double ShipX = 300.0;
constexpr double ShipY = 400.0;

struct Keys {
    uint8_t state[platform::KeyStateSize] = {};
    Keys(std::initializer_list<uint8_t> held) {
        for (uint8_t k : held) state[k] = platform::KeyDown;
    }
};

struct Fired {
    int update;
    double x;
    bool operator==(const Fired&) const = default;
};
std::ostream& operator<<(std::ostream& os, const Fired& f) {
    return os << "{update " << f.update << ", x " << f.x << "}";
}

class PlayerWeaponsTest : public test::GameFixture {
protected:
    void SetUp() override {
        GameFixture::SetUp();
        g_player = new Player();
        g_player->finishTeleport();
        g_player->setPosition(ShipX, ShipY);
    }
    static void run(int updates, const Keys& keys, double dt = Hz60) {
        for (int i = 0; i < updates; ++i) g_player->updatePlayer(keys.state, dt);
    }
    // Runs the updates and notes each new shot with the update that fired it.
    static std::vector<Fired> record(int updates, const Keys& keys, double dt) {
        std::vector<Fired> fired;
        for (int i = 0; i < updates; ++i) {
            const int before = g_shotCount;
            g_player->updatePlayer(keys.state, dt);
            for (int s = before; s < g_shotCount; ++s) fired.push_back({i, g_shots[s]->getPosition().getX()});
        }
        return fired;
    }
};

TEST_F(PlayerWeaponsTest, FullChargeFiresTwoTwentyDamageChargeLasers) {
    run(130, Keys{key::LeftControl});
    EXPECT_EQ(g_player->getChargeState(), 2);
    EXPECT_EQ(g_shotCount, 0);
    run(1, Keys{});
    ASSERT_EQ(g_shotCount, 2);
    const double gunX[2] = {ShipX + 4 - 5, ShipX + 29 - 5};
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(g_shots[i]->getWeaponType(), ChargeLaserType);
        EXPECT_EQ(g_shots[i]->getDamage(), 20);
        EXPECT_DOUBLE_EQ(g_shots[i]->getPosition().getX(), gunX[i]);
        EXPECT_DOUBLE_EQ(g_shots[i]->getPosition().getY(), ShipY);
    }
    EXPECT_NEAR(g_player->getLaserCooldown(), 1.0, 0.005);
    EXPECT_EQ(g_player->getCharge(), 0.0);
    EXPECT_EQ(g_player->getChargeState(), 0);
}

TEST_F(PlayerWeaponsTest, OneUpdateOfChargeFiresZeroDamage) {
    run(1, Keys{key::LeftControl});
    run(1, Keys{});
    ASSERT_EQ(g_shotCount, 2);
    EXPECT_EQ(g_shots[0]->getDamage(), 0);
    EXPECT_EQ(g_shots[1]->getDamage(), 0);
}

TEST_F(PlayerWeaponsTest, ChargingTakesPrecedenceOverFire) {
    run(30, Keys{key::LeftControl, key::Space});
    EXPECT_EQ(g_shotCount, 0);
    EXPECT_GT(g_player->getCharge(), 0.0);
}

TEST_F(PlayerWeaponsTest, CooldownStopsTheChargeFromGrowing) {
    run(1, Keys{key::Space});
    run(3, Keys{key::LeftControl});
    EXPECT_EQ(g_player->getCharge(), 0.0);
}

TEST_F(PlayerWeaponsTest, SingleFireAlternatesFromTheRightGun) {
    const double right = ShipX + 29 - 2;
    const double left = ShipX + 4 - 2;
    // Sixteen updates of cooldown, then the next shot.
    EXPECT_EQ(record(60, Keys{key::Space}, ExactDt),
              (std::vector<Fired>{{0, right}, {17, left}, {34, right}, {51, left}}));
}

TEST_F(PlayerWeaponsTest, SingleFireAtSixtyHertzIsAboutFourPerSecond) {
    EXPECT_EQ(record(60, Keys{key::Space}, Hz60).size(), 4u);
}

TEST_F(PlayerWeaponsTest, BothGunsFireTogetherEveryHalfSecond) {
    const double right = ShipX + 29 - 2;
    const double left = ShipX + 4 - 2;
    EXPECT_EQ(record(60, Keys{key::Space, key::LeftAlt}, ExactDt),
              (std::vector<Fired>{{0, left}, {0, right}, {33, left}, {33, right}}));
}

struct ArcCase {
    int32_t level;
    std::vector<double> angles;
};
std::ostream& operator<<(std::ostream& os, const ArcCase& c) {
    return os << "arc level " << c.level;
}

class ArcShotTest : public PlayerWeaponsTest, public ::testing::WithParamInterface<ArcCase> {};

TEST_P(ArcShotTest, FansOutFromTheCentre) {
    const ArcCase& c = GetParam();
    g_player->setLevels(c.level, 0, 0);
    run(1, Keys{key::Z});
    ASSERT_EQ(g_shotCount, static_cast<int32_t>(c.angles.size()));
    for (int i = 0; i < g_shotCount; ++i) {
        const Vector2D& v = g_shots[i]->getVelocity();
        EXPECT_NEAR(v.getAngle(), c.angles[i], 1e-9) << "laser " << i;
        EXPECT_NEAR(v.getMagnitude(), 600.0, 1e-9);
        EXPECT_DOUBLE_EQ(g_shots[i]->getPosition().getX(), ShipX + 16 - 2);
    }
}

INSTANTIATE_TEST_SUITE_P(Levels, ArcShotTest,
                         ::testing::Values(ArcCase{0, {256, 263, 270, 277, 284, 291}},
                                           ArcCase{2, {242, 249, 256, 263, 270, 277, 284, 291}}));

TEST_F(PlayerWeaponsTest, ArcShotIntoANearlyFullListStillSpends) {
    for (int i = 0; i < MaxShots - 1; ++i) ASSERT_TRUE(fireLaser(100, 100, NormalLaser));
    run(1, Keys{key::Z});
    EXPECT_EQ(g_shotCount, MaxShots);
    EXPECT_EQ(g_player->getArcShotAmmo(), 4);
    EXPECT_EQ(g_player->getSecondaryCooldown(), 1.0);
}

TEST_F(PlayerWeaponsTest, ArcShotWinsOverTheOtherSecondaries) {
    run(1, Keys{key::Z, key::X, key::LeftShift});
    EXPECT_EQ(g_shotCount, 6);
    EXPECT_EQ(g_player->getArcShotAmmo(), 4);
    EXPECT_EQ(g_player->getEnergyCannonAmmo(), 5);
    EXPECT_EQ(g_player->getMissileAmmo(), 5);
    run(1, Keys{key::X, key::LeftShift});
    EXPECT_EQ(g_player->getEnergyCannonAmmo(), 5);
    EXPECT_EQ(g_player->getMissileAmmo(), 5);
}

}  // namespace
}  // namespace glintwake
