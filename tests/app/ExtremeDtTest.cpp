// The whole game under frozen, microsecond and half-minute frames with every weapon in use:
// the world keeps its rules after each frame and nothing is written outside the back buffer's rows.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "Invariants.h"
#include "core/GameObject.h"
#include "enemies/Enemy.h"
#include "platform/Keys.h"
#include "player/Player.h"
#include "player/PowerUp.h"
#include "replay/Harness.h"
#include "world/GameState.h"

namespace glintwake {
namespace {

namespace key = platform::key;
using play::StandardDt;

constexpr double Stall = 30.0, Microsecond = 1e-6;
constexpr int32_t PaddedPitch = ScreenWidth * 4 + 48;
constexpr int FramesPerRun = 360, FramesPerPhase = 25;
constexpr int32_t Ammo = 9, Level = 2;
// The ship's region: the lower third, away from the side edges.
constexpr double RegionLeft = 3.0, RegionRight = 603.0, RegionTop = 320.0, RegionBottom = 436.0;

// Key sets held in turn: guns, secondaries, shield, charge and its release, teleport, shop keys.
const std::vector<std::vector<uint8_t>> Phases = {{key::Space, key::LeftAlt, key::Right},
                                                  {key::Space, key::Left, key::Up},
                                                  {key::LeftShift, key::X, key::Z, key::Right},
                                                  {key::X, key::LeftShift, key::Down, key::Left},
                                                  {key::RightControl, key::Space, key::Right},
                                                  {key::LeftControl, key::Left},
                                                  {},
                                                  {key::RightAlt, key::RightControl, key::Space},
                                                  {key::Down, key::Return, key::Q}};

std::string whereTheWorldIsBroken() {
    if (std::string problem = checkWorldInvariants(); !problem.empty()) return problem;
    if (!backBufferPaddingClean()) return "pixels written past the end of a back-buffer row";
    const double x = g_player->getPosition().getX();
    const double y = g_player->getPosition().getY();
    if (!(x >= RegionLeft && x < RegionRight && y >= RegionTop && y < RegionBottom))
        return "ship outside its region at " + std::to_string(x) + ", " + std::to_string(y);
    for (const Star& s : g_stars)
        if (!(s.x < ScreenWidth && s.y >= 0.0 && s.y < ScreenHeight)) return "star off the screen";
    // A NaN or infinity in either coordinate makes the sum one too.
    const auto real = [](const GameObject* o) {
        return std::isfinite(o->getPosition().getX() + o->getPosition().getY());
    };
    const bool allReal = std::all_of(g_shots, g_shots + g_shotCount, real) &&
                         std::all_of(g_enemies, g_enemies + g_enemyCount, real) &&
                         std::all_of(g_powerUps, g_powerUps + g_powerUpCount, real);
    return allReal ? "" : "an object without a real position";
}

// Keeps every weapon usable so that each phase really fires.
void refill() {
    g_player->setHealth(MaxHealth);
    g_player->setShield(MaxShield);
    g_player->setAmmo(Ammo, Ammo, Ammo);
    g_player->setLevels(Level, Level, Level);
}

// The parameter: frame times, repeated through the run.
class ExtremeDtTest : public ::testing::TestWithParam<std::vector<double>> {};

TEST_P(ExtremeDtTest, WorldKeepsItsRules) {
    play::Harness game(7, {.backBufferPitch = PaddedPitch});
    ASSERT_TRUE(game.started()) << game.startupError();
    ASSERT_EQ(g_backBuffer->view().pitch, PaddedPitch);
    refill();
    bool ammoUsed = false;
    for (int frame = 0; frame < FramesPerRun; ++frame) {
        game.holdKeys(Phases[(frame / FramesPerPhase) % Phases.size()]);
        const double dt = GetParam()[frame % GetParam().size()];
        game.runFrame(dt);
        ASSERT_EQ(whereTheWorldIsBroken(), "") << "frame " << frame << " after dt " << dt << "\n"
                                               << game.summary();
        ammoUsed |= g_player->getArcShotAmmo() < Ammo || g_player->getMissileAmmo() < Ammo ||
                    g_player->getEnergyCannonAmmo() < Ammo;
        refill();
    }
    EXPECT_EQ(game.platform().headlessDisplay().presentCount(), FramesPerRun);
    EXPECT_TRUE(ammoUsed) << "the keys never reached the weapons, so the run proved little";
}

INSTANTIATE_TEST_SUITE_P(FrameTimes, ExtremeDtTest,
                         ::testing::Values(std::vector{0.0, 0.0, 0.0, StandardDt},
                                           std::vector{Microsecond, Microsecond, StandardDt},
                                           std::vector{StandardDt, StandardDt, StandardDt, Stall},
                                           std::vector{StandardDt, 0.0, Microsecond, Stall, Microsecond}));

}  // namespace
}  // namespace glintwake
