#include <gtest/gtest.h>

#include <tuple>
#include <utility>
#include <vector>

#include "hud/Hud.h"
#include "support/GameFixture.h"

namespace glintwake {
namespace {

namespace key = platform::key;
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
    struct Pickup {
        int32_t kind, amount;
        const char* message;  // null: nothing posted
        void (*change)(Stats&);
        double intervalBefore = 0.25;
    };
    g_hud = new Hud();
    for (const Pickup& r :
         {Pickup{0, 120, "Collected $120!", [](Stats& s) { s.money += 120; }},
          Pickup{11, 50, "Collected $50!", [](Stats& s) { s.money += 50; }},
          Pickup{1, 5, "Arc Shot Ammo +5!", [](Stats& s) { s.arc += 5; }},
          Pickup{2, 4, "Missile Ammo +4!", [](Stats& s) { s.missiles += 4; }},
          Pickup{3, 5, "Energy Cannon Ammo +5!", [](Stats& s) { s.energy += 5; }},
          Pickup{4, 1, "Arc Shot Level Up!", [](Stats& s) { s.arcLevel += 1; }},
          Pickup{5, 1, "Missile Level Up!", [](Stats& s) { s.missileLevel += 1; }},
          Pickup{6, 1, "Energy Cannon Level Up!", [](Stats& s) { s.energyLevel += 1; }},
          Pickup{7, 15, "Health!", [](Stats& s) { s.health = 100; }},
          Pickup{7, 3, "Health!", [](Stats& s) { s.health = 98; }},
          Pickup{8, 3, "Full Shield Recharge!", [](Stats& s) { s.shield = 3.0; }},
          Pickup{9, 10, "Temporary Invulnerability!", [](Stats& s) { s.invulnerable += 10; }},
          Pickup{10, 1, "Laser Speed Up!", [](Stats& s) { s.interval = 0.25 - 0.1; }},
          Pickup{10, 1, "Full Shield Recharge!", [](Stats& s) { s.shield = 3.0; }, 0.2},
          Pickup{12, 5, nullptr, [](Stats&) {}}}) {
        SCOPED_TRACE(testing::Message() << "kind " << r.kind << " x" << r.amount);
        readyPlayer(300, 400);
        g_player->setHealth(95);
        g_player->setShield(1.0);
        g_player->setLaserInterval(r.intervalBefore);
        g_hud->setMessage("before");
        Stats want = statsOf(*g_player);
        r.change(want);
        g_player->applyPickup(r.kind, r.amount);
        EXPECT_EQ(statsOf(*g_player).fields(), want.fields());
        EXPECT_STREQ(g_hud->getMessage(), r.message ? r.message : "before");
    }
}

}  // namespace
}  // namespace glintwake
