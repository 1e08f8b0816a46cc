#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

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

constexpr uint32_t CampaignSeed = 2;     // a run that reaches the shop with money to spend
constexpr int FrameLimit = 60 * 60 * 6;  // six minutes of play at 60 Hz
constexpr int ShieldEvery = 600;         // frames between two short shield bursts
constexpr int ShieldFrames = 20;
constexpr double AimSlack = 4.0;

// The x the ship's left edge should reach to sit under the nearest enemy, or over
// a falling power-up once the wave is gone. NaN when there is nothing to chase.
double chaseX() {
    const double shipCentre = g_player->getPosition().getX() + 16;
    double best = NAN;
    for (int32_t i = 0; i < g_enemyCount; ++i) {
        const double centre = g_enemies[i]->getPosition().getX() + 20;
        if (std::isnan(best) || std::fabs(centre - shipCentre) < std::fabs(best - shipCentre)) best = centre;
    }
    if (std::isnan(best) && g_powerUpCount > 0) best = g_powerUps[0]->getPosition().getX() + 10;
    return best - 16;
}

// A simple pilot: chase, fire, now and then raise the shield so that it can be
// topped up in the shop.
std::vector<uint8_t> pilotKeys(int frame) {
    std::vector<uint8_t> keys;
    const double target = chaseX();
    const double x = g_player->getPosition().getX();
    if (!std::isnan(target) && target < x - AimSlack) keys.push_back(key::Left);
    if (!std::isnan(target) && target > x + AimSlack) keys.push_back(key::Right);
    if (g_enemyCount > 0) keys.push_back(key::Space);
    if (frame % ShieldEvery < ShieldFrames) keys.push_back(key::RightControl);
    return keys;
}

// In the shop: down to "Shields", buy one, up twice to "Return", leave. Each key
// is held for one frame and let go for two, as a player taps them.
const std::vector<test::ScriptStep> ShopVisit = {
    {{key::Down}, 1}, {{}, 2}, {{key::Return}, 1}, {{}, 2}, {{key::Up}, 1}, {{}, 2},
    {{key::Up}, 1},   {{}, 2}, {{key::Return}, 1}, {{}, 2},
};

// The end of the run as it played when this test was written. A change to any
// rule of play shows up here; update it only for a change that is meant.
const std::string ExpectedEnd =
    "frame 5010 wave 5 shop 0 shots 5 enemies 5 effects 2 powerups 0 particles 175\n"
    "player 490.171 430.000 health 50 shield 0.380 money 359 ammo 5/5/5\n"
    "enemy 0 55.745 69.673 hp 20\n"
    "enemy 1 92.975 295.365 hp 20\n"
    "enemy 2 151.962 154.370 hp 20\n"
    "enemy 3 193.162 272.888 hp 20\n"
    "enemy 4 257.493 254.366 hp 20\n"
    "hash ba826549b49a485e\n";

struct CampaignResult {
    int wavesClearedBeforeShop = 0;
    int32_t moneyBeforeShop = 0;
    double shieldBeforeShop = 0;
    int32_t moneyAfterShop = 0;
    double shieldAfterShop = 0;
    bool shopClosed = false;
    int32_t finalWave = 0;
    std::string summary;
};

CampaignResult playCampaign() {
    test::Harness game(CampaignSeed);
    EXPECT_TRUE(game.started()) << game.startupError();
    CampaignResult result;
    bool shopped = false;
    for (int frame = 0; frame < FrameLimit; ++frame) {
        if (g_shop->isActive() && !shopped) {
            result.wavesClearedBeforeShop = g_waveNumber - 1;
            result.moneyBeforeShop = g_player->getMoney();
            result.shieldBeforeShop = g_player->getShield();
            game.runScript(ShopVisit);
            result.moneyAfterShop = g_player->getMoney();
            result.shieldAfterShop = g_player->getShield();
            result.shopClosed = !g_shop->isActive();
            shopped = true;
            continue;
        }
        // Play on until the wave after the shop has been cleared too.
        if (shopped && g_waveNumber > 4) break;
        game.holdKeys(pilotKeys(frame));
        game.runFrame();
    }
    result.finalWave = g_waveNumber;
    result.summary = game.summary();
    return result;
}

TEST(Campaign, ClearsThreeWavesShopsAndPlaysTheFourthTheSameWayTwice) {
    const CampaignResult first = playCampaign();

    EXPECT_EQ(first.wavesClearedBeforeShop, 3);
    ASSERT_GT(first.moneyBeforeShop, 0);
    ASSERT_LT(first.shieldBeforeShop, 3.0);
    ASSERT_TRUE(first.shopClosed);
    // One shield unit bought for $1: one percent of a full shield.
    EXPECT_EQ(first.moneyAfterShop, first.moneyBeforeShop - 1);
    EXPECT_NEAR(first.shieldAfterShop, first.shieldBeforeShop + 0.03, 1e-9);
    EXPECT_EQ(first.finalWave, 5) << "wave 4 was not cleared";
    EXPECT_EQ(first.summary, ExpectedEnd);

    const CampaignResult second = playCampaign();
    EXPECT_EQ(second.summary, first.summary);
    EXPECT_EQ(second.moneyBeforeShop, first.moneyBeforeShop);
}

}  // namespace
}  // namespace glintwake
