#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <initializer_list>
#include <string>
#include <vector>

#include "hud/Hud.h"
#include "player/Player.h"
#include "support/GameFixture.h"
#include "world/GameState.h"

namespace glintwake {
namespace {

namespace key = platform::key;
using test::colourOf;

constexpr double Hz60 = 1.0 / 60.0;

struct Keys {
    uint8_t state[platform::KeyStateSize] = {};
    Keys(std::initializer_list<uint8_t> held) {
        for (uint8_t k : held) state[k] = platform::KeyDown;
    }
};

class PlayerTest : public test::GameFixture {
protected:
    void SetUp() override {
        GameFixture::SetUp();
        g_player = new Player();
    }
    static void ready(double x, double y) {
        g_player->finishTeleport();
        g_player->setPosition(x, y);
    }
    static void run(int updates, const Keys& keys) {
        for (int i = 0; i < updates; ++i) g_player->updatePlayer(keys.state, Hz60);
    }
    static double x() { return g_player->getPosition().getX(); }
    static double y() { return g_player->getPosition().getY(); }
};

// The documented display lengths: vanishing frames 1..4, reappearing -4..-1.
std::vector<int> teleportFrames() {
    std::vector<int> frames;
    const int shown[8][2] = {{1, 2}, {2, 3}, {3, 3}, {4, 3}, {-4, 3}, {-3, 3}, {-2, 3}, {-1, 3}};
    for (const auto& [frame, updates] : shown) frames.insert(frames.end(), updates, frame);
    return frames;
}

TEST_F(PlayerTest, TeleportRunsItsFramesForTwentyFourUpdates) {
    ready(100, 400);
    std::vector<int> seen;
    g_player->updatePlayer(Keys{key::RightAlt}.state, Hz60);
    while (g_player->isTeleporting() && seen.size() < 40) {
        seen.push_back(g_player->getTeleportFrame());
        run(1, Keys{});
    }
    EXPECT_EQ(seen, teleportFrames());
}

struct JumpCase {
    double fromX;
    double toX;
};
std::ostream& operator<<(std::ostream& os, const JumpCase& c) {
    return os << c.fromX << " -> " << c.toX;
}

class TeleportJumpTest : public PlayerTest, public ::testing::WithParamInterface<JumpCase> {};

TEST_P(TeleportJumpTest, LandsOnTheOtherSide) {
    ready(GetParam().fromX, 400);
    run(1, Keys{key::RightAlt});
    run(22, Keys{});
    EXPECT_TRUE(g_player->isTeleporting());
    run(1, Keys{});
    EXPECT_FALSE(g_player->isTeleporting());
    EXPECT_EQ(x(), GetParam().toX);
    EXPECT_EQ(y(), 400.0);
}

INSTANTIATE_TEST_SUITE_P(Sides, TeleportJumpTest,
                         ::testing::Values(JumpCase{100, 602}, JumpCase{319.5, 602}, JumpCase{320, 3},
                                           JumpCase{500, 3}));

TEST_F(PlayerTest, StartsByMaterialisingWithoutFiringOrShielding) {
    const Keys keys{key::Space, key::RightControl};
    run(11, keys);
    EXPECT_TRUE(g_player->isTeleporting());
    EXPECT_FALSE(g_player->isShieldActive());
    run(1, keys);
    EXPECT_FALSE(g_player->isTeleporting());
    EXPECT_EQ(g_shotCount, 0);
    EXPECT_EQ(g_player->getPosition().getX(), 304.0);
    run(1, keys);
    EXPECT_EQ(g_shotCount, 1);
    EXPECT_TRUE(g_player->isShieldActive());
}

TEST_F(PlayerTest, PushingDownAtTheBottomKeepsTheShipOnRow435) {
    ready(300, 435);
    for (int i = 0; i < 120; ++i) {
        run(1, Keys{key::Down});
        ASSERT_EQ(g_player->getBounds().top, 435) << "update " << i;
        ASSERT_LE(g_player->getVelocity().getY(), 60.0);
    }
}

TEST_F(PlayerTest, OpposedKeysLetTheShipGlideToAStop) {
    ready(300, 380);
    g_player->getVelocity().setX(300);
    run(10, Keys{key::Left, key::Right});
    EXPECT_NEAR(g_player->getVelocity().getX(), 300 * std::pow(0.9, 10), 1e-6);
    run(150, Keys{key::Left, key::Right});
    EXPECT_NEAR(g_player->getVelocity().getX(), 0.0, 1e-3);
}

struct WallCase {
    double x, y, vx, vy;
    double wantX, wantY;
};
std::ostream& operator<<(std::ostream& os, const WallCase& c) {
    return os << "from (" << c.x << ", " << c.y << ") moving (" << c.vx << ", " << c.vy << ")";
}

class RegionTest : public PlayerTest, public ::testing::WithParamInterface<WallCase> {};

TEST_P(RegionTest, WallsStopTheShip) {
    const WallCase& c = GetParam();
    ready(c.x, c.y);
    g_player->getVelocity().setCartesian(c.vx, c.vy);
    run(1, Keys{});
    EXPECT_EQ(x(), c.wantX);
    EXPECT_EQ(y(), c.wantY);
    EXPECT_NEAR(g_player->getVelocity().getX(), c.wantX == c.x ? c.vx * 0.9 : 0.0, 1e-9);
    EXPECT_NEAR(g_player->getVelocity().getY(), c.wantY == c.y ? c.vy * 0.9 : 0.0, 1e-9);
}

INSTANTIATE_TEST_SUITE_P(Walls, RegionTest,
                         ::testing::Values(WallCase{3.5, 380, -300, 0, 3, 380},
                                           WallCase{601, 380, 300, 0, 602, 380},
                                           WallCase{300, 320.5, 0, -300, 300, 320},
                                           WallCase{300, 435.9, 0, 300, 300, 435}));

enum class Guard { None, Shield, Teleport, Invulnerable };
struct DamageCase {
    Guard guard;
    int32_t health, amount, want;
};
std::ostream& operator<<(std::ostream& os, const DamageCase& c) {
    return os << "guard " << int(c.guard) << ": " << c.amount << " at " << c.health;
}

class TakeDamageTest : public PlayerTest, public ::testing::WithParamInterface<DamageCase> {};

TEST_P(TakeDamageTest, OnlyAnUnprotectedShipLosesHealth) {
    const DamageCase& c = GetParam();
    if (c.guard != Guard::Teleport) ready(300, 400);
    if (c.guard == Guard::Shield) run(1, Keys{key::RightControl});
    if (c.guard == Guard::Invulnerable) g_player->setInvulnerableTime(0.5);
    g_player->setHealth(c.health);
    g_player->takeDamage(c.amount);
    EXPECT_EQ(g_player->getHealth(), c.want);
}

INSTANTIATE_TEST_SUITE_P(Guards, TakeDamageTest,
                         ::testing::Values(DamageCase{Guard::None, 100, 30, 70},
                                           DamageCase{Guard::None, 4, 7, 0},
                                           DamageCase{Guard::Shield, 100, 30, 100},
                                           DamageCase{Guard::Teleport, 100, 30, 100},
                                           DamageCase{Guard::Invulnerable, 100, 30, 100}));

TEST_F(PlayerTest, DestroyedShipNeitherMovesNorDraws) {
    ready(300, 400);
    g_player->getVelocity().setX(200);
    g_player->setHealth(0);
    run(5, Keys{key::Left, key::Space});
    EXPECT_EQ(x(), 300.0);
    EXPECT_EQ(g_shotCount, 0);
    EXPECT_EQ(test::countLitPixels(*g_backBuffer), 0);
}

// Everything a pick-up or a purchase may change.
struct Stats {
    int32_t money, arc, missiles, energy, arcLevel, missileLevel, energyLevel, health, laserType;
    double shield, invulnerable, interval;
    bool operator==(const Stats&) const = default;
};
std::ostream& operator<<(std::ostream& os, const Stats& s) {
    for (int32_t v : {s.money, s.arc, s.missiles, s.energy, s.arcLevel, s.missileLevel, s.energyLevel,
                      s.health, s.laserType})
        os << v << " ";
    return os << s.shield << " " << s.invulnerable << " " << s.interval;
}
Stats statsOf(const Player& p) {
    return {p.getMoney(),        p.getArcShotAmmo(),  p.getMissileAmmo(),       p.getEnergyCannonAmmo(),
            p.getArcShotLevel(), p.getMissileLevel(), p.getEnergyCannonLevel(), p.getHealth(),
            p.getLaserType(),    p.getShield(),       p.getInvulnerableTime(),  p.getLaserInterval()};
}

struct PickupCase {
    int32_t kind, amount;
    const char* message;  // null: nothing posted
    void (*change)(Stats&);
    double interval = 0.25;
};
std::ostream& operator<<(std::ostream& os, const PickupCase& c) {
    return os << "kind " << c.kind << " amount " << c.amount;
}

class PickupTest : public PlayerTest, public ::testing::WithParamInterface<PickupCase> {};

TEST_P(PickupTest, AppliesTheRewardAndPostsItsMessage) {
    const PickupCase& c = GetParam();
    g_hud = new Hud();
    g_hud->setMessage("before");
    g_player->setHealth(95);
    g_player->setShield(1.0);
    g_player->setLaserInterval(c.interval);
    Stats want = statsOf(*g_player);
    c.change(want);
    g_player->applyPickup(c.kind, c.amount);
    Stats got = statsOf(*g_player);
    EXPECT_EQ(got.interval, want.interval);  // checked apart: a tenth is not exact in binary
    want.interval = got.interval = 0;
    EXPECT_EQ(got, want);
    EXPECT_STREQ(g_hud->getMessage(), c.message ? c.message : "before");
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, PickupTest,
    ::testing::Values(PickupCase{0, 120, "Collected $120!", [](Stats& s) { s.money += 120; }},
                      PickupCase{11, 50, "Collected $50!", [](Stats& s) { s.money += 50; }},
                      PickupCase{1, 5, "Arc Shot Ammo +5!", [](Stats& s) { s.arc += 5; }},
                      PickupCase{2, 4, "Missile Ammo +4!", [](Stats& s) { s.missiles += 4; }},
                      PickupCase{3, 5, "Energy Cannon Ammo +5!", [](Stats& s) { s.energy += 5; }},
                      PickupCase{4, 1, "Arc Shot Level Up!", [](Stats& s) { s.arcLevel += 1; }},
                      PickupCase{5, 1, "Missile Level Up!", [](Stats& s) { s.missileLevel += 1; }},
                      PickupCase{6, 1, "Energy Cannon Level Up!", [](Stats& s) { s.energyLevel += 1; }},
                      PickupCase{7, 15, "Health!", [](Stats& s) { s.health = 100; }},
                      PickupCase{7, 3, "Health!", [](Stats& s) { s.health = 98; }},
                      PickupCase{8, 3, "Full Shield Recharge!", [](Stats& s) { s.shield = 3.0; }},
                      PickupCase{9, 10, "Temporary Invulnerability!", [](Stats& s) { s.invulnerable += 10; }},
                      PickupCase{10, 1, "Laser Speed Up!", [](Stats& s) { s.interval = 0.25 - 0.1; }},
                      PickupCase{10, 1, "Full Shield Recharge!", [](Stats& s) { s.shield = 3.0; }, 0.15},
                      PickupCase{10, 1, "Full Shield Recharge!", [](Stats& s) { s.shield = 3.0; }, 0.2},
                      PickupCase{12, 5, nullptr, [](Stats&) {}}, PickupCase{-1, 5, nullptr, [](Stats&) {}}));

struct BuyCase {
    int32_t row;
    void (*setup)(Player&);
    void (*change)(Stats&);
};
std::ostream& operator<<(std::ostream& os, const BuyCase& c) {
    return os << "row " << c.row;
}

class BuyItemTest : public PlayerTest, public ::testing::WithParamInterface<BuyCase> {};

TEST_P(BuyItemTest, RowGivesItsGoods) {
    g_player->setHealth(50);
    g_player->setShield(1.0);
    GetParam().setup(*g_player);
    Stats want = statsOf(*g_player);
    GetParam().change(want);
    g_player->buyItem(GetParam().row);
    EXPECT_EQ(statsOf(*g_player), want);
}

void noSetup(Player&) {}

INSTANTIATE_TEST_SUITE_P(
    Rows, BuyItemTest,
    ::testing::Values(BuyCase{0, noSetup, [](Stats& s) { s.health = 51; }},
                      BuyCase{0, [](Player& p) { p.setHealth(100); }, [](Stats&) {}},
                      BuyCase{1, noSetup, [](Stats& s) { s.shield = 1.0 + 0.03; }},
                      BuyCase{1, [](Player& p) { p.setShield(2.99); }, [](Stats& s) { s.shield = 3.0; }},
                      BuyCase{2, noSetup, [](Stats& s) { s.arc += 1; }},
                      BuyCase{3, noSetup, [](Stats& s) { s.missiles += 1; }},
                      BuyCase{4, noSetup, [](Stats& s) { s.energy += 1; }},
                      BuyCase{5, noSetup, [](Stats& s) { s.laserType = 1; }},
                      BuyCase{6, [](Player& p) { p.setLaserType(1); }, [](Stats& s) { s.laserType = 2; }},
                      BuyCase{7, noSetup, [](Stats&) {}}, BuyCase{-1, noSetup, [](Stats&) {}}));

// Charging leaves the ship on frame 2 or 3 of the four-frame strip now and then;
// after the release the two-frame idle strip must still draw a real frame.
TEST_F(PlayerTest, LeftoverChargingFrameStillDrawsTheShip) {
    bool sawHighFrame = false;
    for (int n = 1; n <= 8; ++n) {
        delete g_player;
        g_player = new Player();
        ready(300, 400);
        run(n, Keys{key::LeftControl});
        g_backBuffer->fill(0);
        run(1, Keys{});
        sawHighFrame |= g_player->getCurrentFrame() >= 2;
        EXPECT_EQ(g_backBuffer->pixel(316, 420), colourOf(g_imgPlayerShip)) << n << " updates of charge";
    }
    EXPECT_TRUE(sawHighFrame);
}

struct OverlayCase {
    double shipX;
    int32_t edgeColumn;
};
std::ostream& operator<<(std::ostream& os, const OverlayCase& c) {
    return os << "ship at " << c.shipX;
}

class ShieldEdgeTest : public PlayerTest, public ::testing::WithParamInterface<OverlayCase> {};

TEST_P(ShieldEdgeTest, ShieldAgainstAWallIsClippedNotDropped) {
    ready(GetParam().shipX, 400);
    g_player->setInvulnerableTime(5);
    run(1, Keys{key::RightControl});
    ASSERT_TRUE(g_player->isShieldActive());
    EXPECT_EQ(g_backBuffer->pixel(GetParam().edgeColumn, 400 - 7), colourOf(g_imgPlayerShield));
    EXPECT_EQ(g_backBuffer->pixel(screenCoord(x()) - 1, 400 + 2 + 39), colourOf(g_imgInvincible));
}

INSTANTIATE_TEST_SUITE_P(Walls, ShieldEdgeTest, ::testing::Values(OverlayCase{3, 0}, OverlayCase{602, 639}));

TEST_F(PlayerTest, TeleportIsDrawnInsteadOfTheShip) {
    ready(300, 400);
    run(1, Keys{key::RightAlt});
    g_backBuffer->fill(0);
    run(1, Keys{key::RightControl});
    EXPECT_EQ(g_backBuffer->pixel(300 - 3, 400), colourOf(g_imgTeleport));
    EXPECT_EQ(g_backBuffer->pixel(300 + 36, 443), colourOf(g_imgTeleport));
    EXPECT_FALSE(g_player->isShieldActive());
}

}  // namespace
}  // namespace glintwake
