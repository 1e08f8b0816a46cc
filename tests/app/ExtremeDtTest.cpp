// The whole game under frame times far from 60 Hz: frozen frames, microsecond
// frames and half-minute stalls, with every weapon in use. The world must keep its
// rules after each frame and nothing may be written outside the back buffer's rows.
#include <gtest/gtest.h>

#include <cmath>
#include <ostream>
#include <string>
#include <vector>

#include "Invariants.h"
#include "core/GameObject.h"
#include "effects/PowerUp.h"
#include "enemies/Enemy.h"
#include "platform/Keys.h"
#include "player/Player.h"
#include "shop/Shop.h"
#include "support/Harness.h"
#include "world/GameState.h"

namespace glintwake {
namespace {

namespace key = platform::key;
using test::StandardDt;

constexpr double Stall = 30.0;
constexpr double Microsecond = 1e-6;
constexpr int32_t PaddedPitch = ScreenWidth * 4 + 48;
constexpr int FramesPerRun = 360;
constexpr int FramesPerPhase = 25;

// The ship's region: the lower third, away from the side edges.
constexpr double RegionLeft = 3.0;
constexpr double RegionRight = 603.0;
constexpr double RegionTop = 320.0;
constexpr double RegionBottom = 436.0;

// Key sets held in turn: guns, secondaries, shield, charge, teleport, shop keys.
const std::vector<std::vector<uint8_t>> Phases = {
    {key::Space, key::LeftAlt, key::Right},
    {key::Space, key::Left, key::Up},
    {key::LeftShift, key::X, key::Z, key::Right},
    {key::X, key::LeftShift, key::Down, key::Left},
    {key::RightControl, key::Space, key::Right},
    {key::LeftControl, key::Left},
    {},  // releases the charge
    {key::RightAlt, key::RightControl, key::Space},
    {key::Down, key::Return, key::Q},
};

struct DtCase {
    const char* name;
    std::vector<double> cycle;  // the frame times, repeated
    friend std::ostream& operator<<(std::ostream& os, const DtCase& c) { return os << c.name; }
};

std::string whereTheWorldIsBroken() {
    std::string problem = checkWorldInvariants();
    if (!problem.empty()) return problem;
    if (!backBufferPaddingClean()) return "pixels written past the end of a back-buffer row";
    const Player& p = *g_player;
    const double x = p.getPosition().getX();
    const double y = p.getPosition().getY();
    if (!(x >= RegionLeft && x < RegionRight && y >= RegionTop && y < RegionBottom))
        return "ship outside its region at " + std::to_string(x) + ", " + std::to_string(y);
    for (const Star& s : g_stars) {
        if (s.x >= ScreenWidth || !(s.y >= 0.0 && s.y < ScreenHeight)) return "star off the screen";
    }
    auto finite = [](const GameObject& o) {
        return std::isfinite(o.getPosition().getX()) && std::isfinite(o.getPosition().getY());
    };
    for (int32_t i = 0; i < g_shotCount; ++i)
        if (!finite(*g_shots[i])) return "shot " + std::to_string(i) + " has no real position";
    for (int32_t i = 0; i < g_enemyCount; ++i)
        if (!finite(*g_enemies[i])) return "enemy " + std::to_string(i) + " has no real position";
    for (int32_t i = 0; i < g_powerUpCount; ++i)
        if (!finite(*g_powerUps[i])) return "power-up " + std::to_string(i) + " has no real position";
    return {};
}

constexpr int32_t Ammo = 9;

int32_t ammoSpent() {
    return 3 * Ammo - g_player->getArcShotAmmo() - g_player->getMissileAmmo() -
           g_player->getEnergyCannonAmmo();
}

// Keeps every weapon usable so that each phase really fires.
void refill() {
    constexpr int32_t Level = 2;
    g_player->setHealth(MaxHealth);
    g_player->setShield(MaxShield);
    g_player->setAmmo(Ammo, Ammo, Ammo);
    g_player->setLevels(Level, Level, Level);
}

class ExtremeDtTest : public ::testing::TestWithParam<DtCase> {};

TEST_P(ExtremeDtTest, WorldKeepsItsRules) {
    const DtCase& c = GetParam();
    test::Harness game(7, false, PaddedPitch);
    ASSERT_TRUE(game.started()) << game.startupError();
    ASSERT_EQ(g_backBuffer->view().pitch, PaddedPitch);
    refill();

    int shotsSeen = 0;
    int ammoUsed = 0;
    for (int frame = 0; frame < FramesPerRun; ++frame) {
        game.holdKeys(Phases[(frame / FramesPerPhase) % Phases.size()]);
        const double dt = c.cycle[frame % c.cycle.size()];
        game.runFrame(dt);
        const std::string problem = whereTheWorldIsBroken();
        ASSERT_EQ(problem, "") << "frame " << frame << " after dt " << dt << "\n" << game.summary();
        shotsSeen += g_shotCount;
        ammoUsed += ammoSpent();
        refill();
    }
    EXPECT_EQ(game.platform().headlessDisplay().presentCount(), FramesPerRun);
    // The keys must have reached the weapons, or the run proved little. Under
    // stalls every shot leaves the screen in the frame it is fired.
    EXPECT_GT(ammoUsed, 0);
    if (c.cycle != std::vector<double>{Stall}) {
        EXPECT_GT(shotsSeen, 0);
    }
}

INSTANTIATE_TEST_SUITE_P(
    FrameTimes, ExtremeDtTest,
    ::testing::Values(DtCase{"frozen", {0.0, 0.0, 0.0, StandardDt}},
                      DtCase{"microseconds", {Microsecond, Microsecond, StandardDt}},
                      DtCase{"one_stall", {StandardDt, StandardDt, StandardDt, StandardDt, Stall}},
                      DtCase{"only_stalls", {Stall}},
                      DtCase{"mixed", {StandardDt, 0.0, Microsecond, Stall, StandardDt, Microsecond, 0.0}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace glintwake
