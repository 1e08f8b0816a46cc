#include <gtest/gtest.h>

#include <initializer_list>
#include <tuple>
#include <utility>
#include <vector>

#include "hud/Hud.h"
#include "player/Player.h"
#include "support/GameFixture.h"
#include "support/WorldHelpers.h"

namespace glintwake {
namespace {

namespace key = platform::key;
using test::colourOf;
using test::Guard;
using test::Keys;
using test::readyPlayer;
using test::runPlayer;

class PlayerTest : public test::GameFixture {
protected:
    void SetUp() override {
        GameFixture::SetUp();
        readyPlayer(300, 400);
    }
    static const Vector2D& at() { return g_player->getPosition(); }
};

TEST_F(PlayerTest, TeleportShowsItsFramesForTwentyFourUpdatesThenLandsOnTheOtherSide) {
    // Vanishing frames 1..4, then reappearing -4..-1, each shown for its count of updates.
    std::vector<int> frames;
    for (auto [frame, updates] :
         {std::pair{1, 2}, {2, 3}, {3, 3}, {4, 3}, {-4, 3}, {-3, 3}, {-2, 3}, {-1, 3}})
        frames.insert(frames.end(), updates, frame);
    for (auto [fromX, toX] : {std::pair{100.0, 602.0}, {319.5, 602.0}, {320.0, 3.0}}) {
        SCOPED_TRACE(fromX);
        readyPlayer(fromX, 400);
        g_backBuffer->fill(0);
        runPlayer(1, Keys{key::RightAlt});
        EXPECT_EQ(g_backBuffer->pixel(screenCoord(fromX) - 3, 400), colourOf(g_imgTeleport));
        std::vector<int> seen;
        while (g_player->isTeleporting() && seen.size() < 40) {
            EXPECT_FALSE(g_player->isShieldActive());
            seen.push_back(g_player->getTeleportFrame());
            runPlayer(1, Keys{key::Space, key::RightControl});  // held in vain meanwhile
        }
        EXPECT_EQ(seen, frames);
        EXPECT_EQ(g_shotCount, 0);
        EXPECT_EQ(at().getX(), toX);
        EXPECT_EQ(at().getY(), 400.0);
    }
}

// A wall stops the ship dead on its axis; the other axis only damps.
TEST_F(PlayerTest, WallsStopTheShip) {
    struct Wall {
        double x, y, vx, vy, wantX, wantY;
    };
    for (const Wall& c : {Wall{3.5, 380, -300, 0, 3, 380}, Wall{601, 380, 300, 0, 602, 380},
                          Wall{300, 320.5, 0, -300, 300, 320}, Wall{300, 435.9, 0, 300, 300, 435}}) {
        SCOPED_TRACE(testing::Message() << "from (" << c.x << ", " << c.y << ")");
        readyPlayer(c.x, c.y);
        g_player->getVelocity().setCartesian(c.vx, c.vy);
        runPlayer(1, Keys{});
        EXPECT_EQ(at().getX(), c.wantX);
        EXPECT_EQ(at().getY(), c.wantY);
        EXPECT_NEAR(g_player->getVelocity().getX(), c.wantX == c.x ? c.vx * 0.9 : 0.0, 1e-9);
        EXPECT_NEAR(g_player->getVelocity().getY(), c.wantY == c.y ? c.vy * 0.9 : 0.0, 1e-9);
    }
}

TEST_F(PlayerTest, OnlyAnUnguardedShipTakesDamageAndNeverBelowZero) {
    const std::tuple<Guard, int32_t, int32_t> hits[] = {{Guard::None, 100, 93},
                                                        {Guard::None, 4, 0},
                                                        {Guard::Shield, 100, 100},
                                                        {Guard::Teleport, 100, 100},
                                                        {Guard::Invulnerable, 100, 100}};
    for (auto [guard, health, want] : hits) {  // health before and after 7 damage
        SCOPED_TRACE(testing::Message() << guard << " at " << health);
        readyPlayer(300, 400);
        test::raiseGuard(guard);
        g_player->setHealth(health);
        g_player->takeDamage(7);
        EXPECT_EQ(g_player->getHealth(), want);
    }
}

// Everything a pick-up or a purchase may change.
struct Stats {
    int32_t money, arc, missiles, energy, arcLevel, missileLevel, energyLevel, health, laserType;
    double shield, invulnerable, interval;
    bool operator==(const Stats&) const = default;
    friend std::ostream& operator<<(std::ostream& os, const Stats& s) {
        return os << testing::PrintToString(std::tuple(s.money, s.arc, s.missiles, s.energy, s.arcLevel,
                                                       s.missileLevel, s.energyLevel, s.health, s.laserType,
                                                       s.shield, s.invulnerable, s.interval));
    }
};
Stats statsOf(const Player& p) {
    return {p.getMoney(),        p.getArcShotAmmo(),  p.getMissileAmmo(),       p.getEnergyCannonAmmo(),
            p.getArcShotLevel(), p.getMissileLevel(), p.getEnergyCannonLevel(), p.getHealth(),
            p.getLaserType(),    p.getShield(),       p.getInvulnerableTime(),  p.getLaserInterval()};
}

struct Reward {
    int32_t what, amount;  // pick-up kind and amount, or shop row
    const char* message;   // null: nothing posted
    void (*change)(Stats&);
    void (*setup)(Player&) = [](Player&) {};
};

// Each reward goes to a fresh ship with 95 health and a third of its shield; exactly
// the expected stats change.
template <typename Give>
void expectRewards(std::initializer_list<Reward> rewards, Give give) {
    g_hud = new Hud();
    for (const Reward& r : rewards) {
        SCOPED_TRACE(testing::Message() << r.what << " x" << r.amount);
        readyPlayer(300, 400);
        g_player->setHealth(95);
        g_player->setShield(1.0);
        r.setup(*g_player);
        g_hud->setMessage("before");
        Stats want = statsOf(*g_player);
        r.change(want);
        give(r);
        EXPECT_EQ(statsOf(*g_player), want);
        EXPECT_STREQ(g_hud->getMessage(), r.message ? r.message : "before");
    }
}

TEST_F(PlayerTest, PickupsGiveTheirRewardAndPostTheirMessage) {
    expectRewards({{0, 120, "Collected $120!", [](Stats& s) { s.money += 120; }},
                   {11, 50, "Collected $50!", [](Stats& s) { s.money += 50; }},
                   {1, 5, "Arc Shot Ammo +5!", [](Stats& s) { s.arc += 5; }},
                   {2, 4, "Missile Ammo +4!", [](Stats& s) { s.missiles += 4; }},
                   {3, 5, "Energy Cannon Ammo +5!", [](Stats& s) { s.energy += 5; }},
                   {4, 1, "Arc Shot Level Up!", [](Stats& s) { s.arcLevel += 1; }},
                   {5, 1, "Missile Level Up!", [](Stats& s) { s.missileLevel += 1; }},
                   {6, 1, "Energy Cannon Level Up!", [](Stats& s) { s.energyLevel += 1; }},
                   {7, 15, "Health!", [](Stats& s) { s.health = 100; }},
                   {7, 3, "Health!", [](Stats& s) { s.health = 98; }},
                   {8, 3, "Full Shield Recharge!", [](Stats& s) { s.shield = 3.0; }},
                   {9, 10, "Temporary Invulnerability!", [](Stats& s) { s.invulnerable += 10; }},
                   {10, 1, "Laser Speed Up!", [](Stats& s) { s.interval = 0.25 - 0.1; }},
                   {10, 1, "Full Shield Recharge!", [](Stats& s) { s.shield = 3.0; },
                    [](Player& p) { p.setLaserInterval(0.2); }},
                   {12, 5, nullptr, [](Stats&) {}}},
                  [](const Reward& r) { g_player->applyPickup(r.what, r.amount); });
}

TEST_F(PlayerTest, ShopRowsGiveTheirGoodsSilently) {
    expectRewards({{0, 1, nullptr, [](Stats& s) { s.health = 96; }},
                   {0, 1, nullptr, [](Stats&) {}, [](Player& p) { p.setHealth(100); }},
                   {1, 1, nullptr, [](Stats& s) { s.shield = 1.0 + 0.03; }},
                   {1, 1, nullptr, [](Stats& s) { s.shield = 3.0; }, [](Player& p) { p.setShield(2.99); }},
                   {2, 1, nullptr, [](Stats& s) { s.arc += 1; }},
                   {3, 1, nullptr, [](Stats& s) { s.missiles += 1; }},
                   {4, 1, nullptr, [](Stats& s) { s.energy += 1; }},
                   {5, 1, nullptr, [](Stats& s) { s.laserType = 1; }},
                   {6, 1, nullptr, [](Stats& s) { s.laserType = 2; }, [](Player& p) { p.setLaserType(1); }},
                   {7, 1, nullptr, [](Stats&) {}},
                   {-1, 1, nullptr, [](Stats&) {}}},
                  [](const Reward& r) { g_player->buyItem(r.what); });
}

}  // namespace
}  // namespace glintwake
