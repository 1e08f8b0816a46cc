#include <gtest/gtest.h>

#include <array>
#include <tuple>
#include <utility>
#include <vector>

#include "hud/Hud.h"
#include "player/Factories.h"
#include "support/GameFixture.h"

namespace glintwake {
namespace {

namespace key = platform::key;
using test::Keys;
using test::readyPlayer;
using test::runPlayer;

// Each test readies its own ship.
class PlayerTest : public test::GameFixture {
protected:
    static const Vector2D& at() { return g_player->getPosition(); }
};

TEST_F(PlayerTest, TeleportShowsItsFramesForTwentyFourUpdatesThenLandsOnTheOtherSide) {
    // Vanishing frames 1..4, then reappearing -4..-1, each for three updates (the first
    // frame's third is the update that starts the jump).
    const std::vector<int> frames{1,  1,  2,  2,  2,  3,  3,  3,  4,  4,  4, -4,
                                  -4, -4, -3, -3, -3, -2, -2, -2, -1, -1, -1};
    for (auto [fromX, toX] : {std::pair{100.0, 602.0}, {319.5, 602.0}, {320.0, 3.0}}) {
        SCOPED_TRACE(fromX);
        readyPlayer(fromX, 400);
        g_backBuffer->fill(0);
        runPlayer(1, Keys{key::RightAlt});
        EXPECT_EQ(g_backBuffer->pixel(screenCoord(fromX) - 3, 400), test::colourOf(g_imgTeleport));
        std::vector<int> seen;
        while (g_player->isTeleporting() && seen.size() < 40) {
            EXPECT_FALSE(g_player->isShieldActive());
            seen.push_back(g_player->getTeleportFrame());
            runPlayer(1, Keys{key::Space, key::RightControl});  // held in vain meanwhile
        }
        EXPECT_EQ(seen, frames);
        EXPECT_EQ(g_shotCount, 0);
        EXPECT_EQ(std::pair(at().getX(), at().getY()), std::pair(toX, 400.0));
    }
}

// A wall stops the ship dead on its axis; the other axis only damps.
TEST_F(PlayerTest, WallsStopTheShip) {
    // Where the ship starts, its velocity and where it ends.
    for (auto [x, y, vx, vy, wantX, wantY] : {std::array{3.5, 380.0, -300.0, 0.0, 3.0, 380.0},
                                              {601, 380, 300, 0, 602, 380},
                                              {300, 320.5, 0, -300, 300, 320},
                                              {300, 435.9, 0, 300, 300, 435}}) {
        SCOPED_TRACE(testing::Message() << "from (" << x << ", " << y << ")");
        readyPlayer(x, y);
        g_player->getVelocity().setCartesian(vx, vy);
        runPlayer(1, Keys{});
        EXPECT_EQ(std::pair(at().getX(), at().getY()), std::pair(wantX, wantY));
        EXPECT_NEAR(g_player->getVelocity().getX(), wantX == x ? vx * 0.9 : 0.0, 1e-9);
        EXPECT_NEAR(g_player->getVelocity().getY(), wantY == y ? vy * 0.9 : 0.0, 1e-9);
    }
}

// Everything a pick-up may change.
struct Stats {
    int32_t money, arc, missiles, energy, arcLevel, missileLevel, energyLevel, health;
    double shield, invulnerable, interval;
    auto fields() const {
        return std::tuple(money, arc, missiles, energy, arcLevel, missileLevel, energyLevel, health, shield,
                          invulnerable, interval);
    }
};
Stats statsOf(const Player& p) {
    return {p.getMoney(),        p.getArcShotAmmo(),      p.getMissileAmmo(),       p.getEnergyCannonAmmo(),
            p.getArcShotLevel(), p.getMissileLevel(),     p.getEnergyCannonLevel(), p.getHealth(),
            p.getShield(),       p.getInvulnerableTime(), p.getLaserInterval()};
}

// Each pick-up goes to a fresh ship with 95 health and a third of its shield; exactly
// the expected stats change.
TEST_F(PlayerTest, PickupsGiveTheirRewardAndPostTheirMessage) {
    // The kind and amount, the message posted (null: none), the stats it changes and the
    // laser interval before.
    using Pickup = std::tuple<int32_t, int32_t, const char*, void (*)(Stats&), double>;
    const Pickup pickups[] = {
        {0, 120, "Collected $120!", [](Stats& s) { s.money += 120; }, 0.25},
        {11, 50, "Collected $50!", [](Stats& s) { s.money += 50; }, 0.25},
        {1, 5, "Arc Shot Ammo +5!", [](Stats& s) { s.arc += 5; }, 0.25},
        {2, 4, "Missile Ammo +4!", [](Stats& s) { s.missiles += 4; }, 0.25},
        {3, 5, "Energy Cannon Ammo +5!", [](Stats& s) { s.energy += 5; }, 0.25},
        {4, 1, "Arc Shot Level Up!", [](Stats& s) { s.arcLevel += 1; }, 0.25},
        {5, 1, "Missile Level Up!", [](Stats& s) { s.missileLevel += 1; }, 0.25},
        {6, 1, "Energy Cannon Level Up!", [](Stats& s) { s.energyLevel += 1; }, 0.25},
        {7, 15, "Health!", [](Stats& s) { s.health = 100; }, 0.25},
        {7, 3, "Health!", [](Stats& s) { s.health = 98; }, 0.25},
        {8, 3, "Full Shield Recharge!", [](Stats& s) { s.shield = 3.0; }, 0.25},
        {9, 10, "Temporary Invulnerability!", [](Stats& s) { s.invulnerable += 10; }, 0.25},
        {10, 1, "Laser Speed Up!", [](Stats& s) { s.interval = 0.25 - 0.1; }, 0.25},
        {10, 1, "Full Shield Recharge!", [](Stats& s) { s.shield = 3.0; }, 0.2},
        {12, 5, nullptr, [](Stats&) {}, 0.25}};
    g_hud = new Hud();
    for (auto [kind, amount, message, change, intervalBefore] : pickups) {
        SCOPED_TRACE(testing::Message() << "kind " << kind << " x" << amount);
        readyPlayer(300, 400);
        g_player->setHealth(95);
        g_player->setShield(1.0);
        g_player->setLaserInterval(intervalBefore);
        g_hud->setMessage("before");
        Stats want = statsOf(*g_player);
        change(want);
        g_player->applyPickup(kind, amount);
        EXPECT_EQ(statsOf(*g_player).fields(), want.fields());
        EXPECT_STREQ(g_hud->getMessage(), message ? message : "before");
    }
}

// The weapon tests start from a ship ready at (ShipX, ShipY).
constexpr double ShipX = 300.0;
constexpr double ShipY = 400.0;
class PlayerWeaponsTest : public test::GameFixture {
protected:
    void SetUp() override {
        GameFixture::SetUp();
        readyPlayer(ShipX, ShipY);
    }
};

TEST_F(PlayerWeaponsTest, FullChargeFiresTwoTwentyDamageChargeLasers) {
    runPlayer(130, Keys{key::LeftControl, key::Space});  // charging wins over fire
    EXPECT_EQ(g_player->getChargeState(), ChargeState::Charged);
    EXPECT_EQ(g_shotCount, 0);
    runPlayer(1, Keys{});
    ASSERT_EQ(g_shotCount, 2);
    for (int i = 0; i < 2; ++i)
        EXPECT_EQ(std::pair(g_shots[i]->getWeaponType(), g_shots[i]->getDamage()),
                  std::pair(WeaponId::ChargeLaser, 20));
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
        readyPlayer(ShipX, ShipY);
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
        readyPlayer(ShipX, ShipY);
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
