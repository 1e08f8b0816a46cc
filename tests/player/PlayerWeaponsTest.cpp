#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "player/Factories.h"
#include "player/Player.h"
#include "support/GameFixture.h"
#include "support/WorldHelpers.h"
#include "weapons/Laser.h"

namespace glintwake {
namespace {

namespace key = platform::key;
using test::Keys;
using test::runPlayer;

constexpr double ExactDt = 1.0 / 64.0;  // the 0.25 s interval is exactly 16 of these
constexpr double ShipX = 300.0;
constexpr double ShipY = 400.0;
constexpr double RightGun = ShipX + 29 - 2;  // a normal laser centred on each gun
constexpr double LeftGun = ShipX + 4 - 2;

class PlayerWeaponsTest : public test::GameFixture {
protected:
    void SetUp() override {
        GameFixture::SetUp();
        test::readyPlayer(ShipX, ShipY);
    }
};

// Runs the updates and notes each new shot's x with the update that fired it.
std::vector<std::pair<int, double>> record(int updates, const Keys& keys) {
    std::vector<std::pair<int, double>> fired;
    for (int i = 0; i < updates; ++i) {
        const int before = g_shotCount;
        runPlayer(1, keys, ExactDt);
        for (int s = before; s < g_shotCount; ++s) fired.emplace_back(i, g_shots[s]->getPosition().getX());
    }
    return fired;
}

TEST_F(PlayerWeaponsTest, FullChargeFiresTwoTwentyDamageChargeLasers) {
    runPlayer(130, Keys{key::LeftControl, key::Space});  // charging wins over fire
    EXPECT_EQ(g_player->getChargeState(), 2);
    EXPECT_EQ(g_shotCount, 0);
    runPlayer(1, Keys{});
    ASSERT_EQ(g_shotCount, 2);
    const double gunX[2] = {ShipX + 4 - 5, ShipX + 29 - 5};
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(g_shots[i]->getWeaponType(), ChargeLaserType);
        EXPECT_EQ(g_shots[i]->getDamage(), 20);
        EXPECT_DOUBLE_EQ(g_shots[i]->getPosition().getX(), gunX[i]);
        EXPECT_DOUBLE_EQ(g_shots[i]->getPosition().getY(), ShipY);
    }
    EXPECT_NEAR(g_player->getLaserCooldown(), 1.0, 0.005);
    runPlayer(3, Keys{key::LeftControl});  // the cooldown keeps a new charge from growing
    EXPECT_EQ(g_player->getCharge(), 0.0);
}

TEST_F(PlayerWeaponsTest, SpaceAlternatesFromTheRightGunAndLeftAltFiresBothAtHalfTheRate) {
    // Sixteen updates of cooldown per interval, then the next shot.
    EXPECT_EQ(
        record(60, Keys{key::Space}),
        (std::vector<std::pair<int, double>>{{0, RightGun}, {17, LeftGun}, {34, RightGun}, {51, LeftGun}}));
    test::readyPlayer(ShipX, ShipY);
    EXPECT_EQ(
        record(60, Keys{key::Space, key::LeftAlt}),
        (std::vector<std::pair<int, double>>{{0, LeftGun}, {0, RightGun}, {33, LeftGun}, {33, RightGun}}));
}

TEST_F(PlayerWeaponsTest, ArcShotFansOutFromTheCentreAheadOfTheOtherSecondaries) {
    for (const auto& [level, angles] : {std::pair{0, std::vector<double>{256, 263, 270, 277, 284, 291}},
                                        {2, {242, 249, 256, 263, 270, 277, 284, 291}}}) {
        SCOPED_TRACE(testing::Message() << "level " << level);
        test::readyPlayer(ShipX, ShipY);
        g_player->setLevels(level, 0, 0);
        const int32_t before = g_shotCount;
        runPlayer(1, Keys{key::Z, key::X, key::LeftShift});
        ASSERT_EQ(g_shotCount - before, static_cast<int32_t>(angles.size()));
        for (size_t i = 0; i < angles.size(); ++i) {
            const Projectile& shot = *g_shots[before + static_cast<int32_t>(i)];
            EXPECT_NEAR(shot.getVelocity().getAngle(), angles[i], 1e-9) << "laser " << i;
            EXPECT_NEAR(shot.getVelocity().getMagnitude(), 600.0, 1e-9);
            EXPECT_DOUBLE_EQ(shot.getPosition().getX(), ShipX + 16 - 2);
        }
        EXPECT_EQ(g_player->getArcShotAmmo(), 4);
        EXPECT_EQ(g_player->getEnergyCannonAmmo(), 5);
        EXPECT_EQ(g_player->getMissileAmmo(), 5);
    }
}

TEST_F(PlayerWeaponsTest, ArcShotIntoANearlyFullListStillSpends) {
    for (int i = 0; i < MaxShots - 1; ++i) ASSERT_TRUE(fireLaser(100, 100, NormalLaser));
    runPlayer(1, Keys{key::Z});
    EXPECT_EQ(g_shotCount, MaxShots);
    EXPECT_EQ(g_player->getArcShotAmmo(), 4);
    EXPECT_EQ(g_player->getSecondaryCooldown(), 1.0);
}

}  // namespace
}  // namespace glintwake
