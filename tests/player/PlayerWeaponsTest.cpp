#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "player/Factories.h"
#include "support/GameFixture.h"
#include "weapons/Laser.h"

namespace glintwake {
namespace {

namespace key = platform::key;
using test::Keys;
using test::runPlayer;

constexpr double ShipX = 300.0;
constexpr double ShipY = 400.0;

class PlayerWeaponsTest : public test::GameFixture {
protected:
    void SetUp() override {
        GameFixture::SetUp();
        test::readyPlayer(ShipX, ShipY);
    }
};

TEST_F(PlayerWeaponsTest, FullChargeFiresTwoTwentyDamageChargeLasers) {
    runPlayer(130, Keys{key::LeftControl, key::Space});  // charging wins over fire
    EXPECT_EQ(g_player->getChargeState(), ChargeState::Charged);
    EXPECT_EQ(g_shotCount, 0);
    runPlayer(1, Keys{});
    ASSERT_EQ(g_shotCount, 2);
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(g_shots[i]->getWeaponType(), WeaponId::ChargeLaser);
        EXPECT_EQ(g_shots[i]->getDamage(), 20);
    }
    EXPECT_NEAR(g_player->getLaserCooldown(), 1.0, 0.005);
}

TEST_F(PlayerWeaponsTest, SpaceAlternatesGunsEachIntervalAndDoubleFireUsesBothEveryTwo) {
    constexpr double ExactDt = 1.0 / 64.0;  // the 0.25 s interval is exactly 16 of these
    constexpr double RightGun = ShipX + 29 - 2, LeftGun = ShipX + 4 - 2;  // a normal laser centred on each
    using Fired = std::vector<std::pair<int, double>>;  // the update and the x of each new shot
    const std::pair<Keys, Fired> cases[] = {
        // Sixteen updates of cooldown per interval, then the next shot.
        {Keys{key::Space}, {{0, RightGun}, {17, LeftGun}, {34, RightGun}, {51, LeftGun}}},
        // Both guns at once, then two intervals of cooldown.
        {Keys{key::Space, key::LeftAlt}, {{0, LeftGun}, {0, RightGun}, {33, LeftGun}, {33, RightGun}}},
    };
    for (const auto& [keys, expected] : cases) {
        test::readyPlayer(ShipX, ShipY);
        const int32_t before = g_shotCount;
        Fired fired;
        for (int i = 0; i < 60; ++i) {
            const int32_t count = g_shotCount;
            runPlayer(1, keys, ExactDt);
            for (int32_t n = count; n < g_shotCount; ++n)
                fired.emplace_back(i, g_shots[n]->getPosition().getX());
        }
        EXPECT_EQ(fired, expected) << "from shot " << before;
    }
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
    }
}

TEST_F(PlayerWeaponsTest, ArcShotIntoANearlyFullListStillSpends) {
    for (int i = 0; i < MaxShots - 1; ++i) ASSERT_TRUE(fireLaser(100, 100, LaserType::Normal));
    runPlayer(1, Keys{key::Z});
    EXPECT_EQ(g_shotCount, MaxShots);
    EXPECT_EQ(g_player->getArcShotAmmo(), 4);
    EXPECT_EQ(g_player->getSecondaryCooldown(), 1.0);
}

}  // namespace
}  // namespace glintwake
