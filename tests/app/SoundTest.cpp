#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "core/Random.h"
#include "hud/Hud.h"
#include "player/Factories.h"
#include "player/PowerUp.h"
#include "replay/Harness.h"
#include "shop/Shop.h"
#include "support/GameFixture.h"
#include "weapons/Laser.h"
#include "world/GameSound.h"

namespace glintwake {
namespace {

namespace key = platform::key;
using platform::SoundRequest;

// Fires, shields, teleports and shoots every secondary, long enough for enemies to fall and waves to follow.
const std::vector<play::ScriptStep> Script = {
    {{}, 30},
    {{key::Space}, 200},
    {{key::Left, key::Space}, 60, 0.017},
    {{key::LeftControl}, 130},
    {{}, 2},
    {{key::Z}, 70, 0.021},
    {{key::Right, key::X}, 130},
    {{key::LeftShift, key::Up}, 100, 0.015},
    {{key::RightControl, key::Space}, 40},
    {{key::RightAlt}, 10},
    {{key::LeftAlt, key::Space, key::Down}, 400},
    {{key::Right, key::Space}, 300},
};

constexpr int ChaseFrames = 900;

struct Cause {
    Sound sound;
    const char* name;
    int32_t (*measure)();  // rises over a frame exactly when the cause happened in it
};

const Cause Causes[] = {
    {Sound::ArcShot, "arc shot", [] { return -g_player->getArcShotAmmo(); }},
    {Sound::MissileLaunch, "missile", [] { return -g_player->getMissileAmmo(); }},
    {Sound::EnergyCannon, "beam", [] { return -g_player->getEnergyCannonAmmo(); }},
    {Sound::ShipHit, "ship hit", [] { return -g_player->getHealth(); }},
    {Sound::EnemyExplode, "explosion", [] { return -g_enemyCount; }},
    {Sound::NewWave, "wave", [] { return g_waveNumber; }},
    {Sound::ShieldUp, "shield", []() -> int32_t { return g_player->isShieldActive(); }},
    {Sound::Teleport, "teleport", []() -> int32_t { return g_player->isTeleporting(); }},
};

// Flies under the first enemy laser (or enemy), unarmed, so that a laser finds the ship.
std::vector<uint8_t> chaseEnemyFire() {
    const GameObject* target = g_enemyCount > 0 ? g_enemies[0] : nullptr;
    for (int32_t i = 0; i < g_shotCount; ++i)
        if (g_shots[i]->getWeaponType() == WeaponId::EnemyLaser) target = g_shots[i];
    if (target == nullptr) return {};
    const double gap = target->getPosition().getX() - g_player->getPosition().getX() - PlayerWidth / 2;
    return {gap < 0 ? key::Left : key::Right};
}

TEST(SoundInPlay, EachCauseAsksForItsSoundInItsOwnFrameAndOnlyThen) {
    play::Harness game(2024);
    ASSERT_TRUE(game.started()) << game.startupError();
    platform::RecordingAudio& audio = game.platform().recordingAudio();
    EXPECT_TRUE(audio.isOpen());
    std::vector<int> seen(std::size(Causes), 0);
    int64_t frame = 0;
    const auto step = [&](double dt) {
        std::vector<int32_t> before;
        for (const Cause& c : Causes) before.push_back(c.measure());
        game.runFrame(dt);
        for (const SoundRequest& r : audio.lastFrameRequests()) ASSERT_EQ(r.frame, frame);
        for (size_t c = 0; c < std::size(Causes); ++c) {
            const bool caused = Causes[c].measure() > before[c];
            seen[c] += caused ? 1 : 0;
            const bool asked = std::ranges::count(audio.lastFrameRequests(),
                                                  SoundRequest{Causes[c].sound, false, frame}) > 0;
            ASSERT_EQ(asked, caused) << Causes[c].name << " in frame " << frame;
        }
        ++frame;
    };
    for (const play::ScriptStep& s : Script) {
        game.holdKeys(s.keys);
        for (int i = 0; i < s.frames && !HasFatalFailure(); ++i) step(s.dt);
    }
    for (int i = 0; i < ChaseFrames && !HasFatalFailure(); ++i) {
        game.holdKeys(chaseEnemyFire());
        step(play::StandardDt);
    }
    for (size_t c = 0; c < std::size(Causes); ++c)
        EXPECT_GT(seen[c], 0) << "the play never caused " << Causes[c].name;
}

TEST(SoundInPlay, GameIsTheSameWithAndWithoutSound) {
    std::string runs[2];
    for (const bool audio : {false, true}) {
        play::Harness game(77, {.withAudio = audio});
        ASSERT_TRUE(game.started());
        game.runScript(Script);
        runs[audio ? 1 : 0] = game.summary() + "next draw " + std::to_string(nextRandom());
        EXPECT_EQ(game.platform().recordingAudio().requestCount() > 0, audio);
    }
    EXPECT_EQ(runs[0], runs[1]);
}

class SoundCauseTest : public test::GameFixture {
protected:
    void SetUp() override {
        GameFixture::SetUp();
        test::readyPlayer(300, 400);
        g_hud = new Hud();
    }
    std::vector<SoundRequest> during(const std::function<void()>& action) {
        platform_.recordingAudio().clearRequests();
        action();
        return platform_.recordingAudio().requests();
    }
    static SoundRequest play(Sound s) { return {s, false, 0}; }
    static SoundRequest stop(Sound s) { return {s, true, 0}; }
};

TEST_F(SoundCauseTest, EachLaserGradeFiresWithItsOwnSoundAndAFullListIsSilent) {
    struct Grade {
        int32_t shopRow;
        Sound sound;
    };
    for (const Grade g : {Grade{HealthRow, Sound::LaserNormal}, Grade{SuperLaserRow, Sound::LaserSuper},
                          Grade{PowerLaserRow, Sound::LaserPower}}) {
        test::readyPlayer(300, 400);
        g_player->buyItem(g.shopRow);
        EXPECT_EQ(during([] { test::runPlayer(1, {key::Space}); }), std::vector{play(g.sound)});
    }
    while (g_shotCount < MaxShots) fireLaser(0, 200, LaserType::Normal);
    test::readyPlayer(300, 400);
    EXPECT_TRUE(during([] { test::runPlayer(1, {key::Space}); }).empty());
}

TEST_F(SoundCauseTest, ChargingRisesWhileHeldAndStopsAtTheRelease) {
    EXPECT_EQ(during([] { test::runPlayer(1, {key::LeftControl}); }), std::vector{play(Sound::Charging)});
    EXPECT_TRUE(during([] { test::runPlayer(150, {key::LeftControl}); }).empty());
    EXPECT_EQ(during([] { test::runPlayer(1, {}); }),
              (std::vector{stop(Sound::Charging), play(Sound::ChargeRelease)}));
}

// Shots and pick-ups made on the spot, each updated once without time passing.
// (Explosions and hits on the ship are checked in play above.)
TEST_F(SoundCauseTest, HitsOnEnemiesAndTheShieldAndPickUps) {
    const auto newestShot = [] { g_shots[g_shotCount - 1]->update(0.0); };
    const auto newestPickUp = [] { g_powerUps[g_powerUpCount - 1]->update(0.0); };
    test::addEnemyAt(100, 100);
    fireLaser(110, 110, LaserType::Normal);
    EXPECT_EQ(during(newestShot), std::vector{play(Sound::EnemyHit)});
    test::runPlayer(1, {key::RightControl});
    fireEnemyLaser(310, 405, 0);
    EXPECT_TRUE(during(newestShot).empty()) << "a laser on the shield is not a hit";
    spawnPowerUp(305, 405, MoneyKind, 50);
    EXPECT_EQ(during(newestPickUp), std::vector{play(Sound::PickupMoney)});
    spawnPowerUp(305, 405, HealthKind, 5);
    EXPECT_EQ(during(newestPickUp), std::vector{play(Sound::PickupPowerUp)});
}

TEST_F(SoundCauseTest, ShopMovesBuysAndRefusesOncePerPress) {
    g_shop = new Shop();
    g_shop->openShop();
    const auto frames = [](int n, std::initializer_list<uint8_t> held) {
        for (int i = 0; i < n; ++i) g_shop->update(test::Hz60, g_player, test::Keys(held).state);
    };
    EXPECT_EQ(during([&] { frames(1, {key::Down}); }), std::vector{play(Sound::ShopMove)});
    frames(1, {});
    frames(1, {key::Down});  // arc shot ammunition, 50 dollars
    frames(1, {});
    g_player->applyPickup(MoneyKind, 49);
    EXPECT_EQ(during([&] { frames(40, {key::Return}); }), std::vector{play(Sound::ShopRefuse)})
        << "a dollar short, held for 40 frames";
    frames(1, {});
    g_player->applyPickup(MoneyKind, 2);
    EXPECT_EQ(during([&] { frames(1, {key::Return}); }), std::vector{play(Sound::ShopBuy)});
    frames(1, {key::Up});  // shields: affordable, but the shield is full
    frames(1, {});
    EXPECT_EQ(during([&] { frames(1, {key::Return}); }), std::vector{play(Sound::ShopRefuse)});
}

}  // namespace
}  // namespace glintwake
