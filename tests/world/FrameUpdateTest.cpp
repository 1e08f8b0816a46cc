#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "effects/PowerUp.h"
#include "enemies/Enemy.h"
#include "player/Player.h"
#include "shop/Shop.h"
#include "support/GameFixture.h"
#include "world/FrameUpdate.h"
#include "world/ObjectList.h"

namespace glintwake {
namespace {

using Names = std::vector<std::string>;
constexpr double Dt = 1.0 / 60.0;

// Each probe's update as "name e<enemy count> s<shot count>", in the order they ran.
Names trace;
void addShot(const std::string& name, bool fires = false);

// A list entry that records its update and may fire a shot (named name+) or die in it.
template <class Base>
struct Probe final : Base {
    template <class... Args>
    Probe(std::string name, bool fires, bool dies, Args... args)
        : Base(args...), name(std::move(name)), fires(fires), dies(dies) {}
    void update(double) override {
        trace.push_back(name + " e" + std::to_string(g_enemyCount) + " s" + std::to_string(g_shotCount));
        if (fires) addShot(name + "+");
        if (dies) this->slot.dead = true;
    }
    std::string name;
    bool fires, dies;
};

void addShot(const std::string& name, bool fires) {
    appendObject(g_shots, g_shotCount, MaxShots, [&](int32_t i) {
        return new Probe<Projectile>(name, fires, false, nullptr, 0.0, 0.0, 0.0, 0.0, 1u, 0u, i);
    });
}
void addEnemy(const std::string& name, bool fires = false, bool dies = false) {
    appendObject(g_enemies, g_enemyCount, MaxEnemies,
                 [&](int32_t i) { return new Probe<Enemy>(name, fires, dies, 0, i); });
}
void addPowerUp(const std::string& name) {
    appendObject(g_powerUps, g_powerUpCount, MaxPowerUps,
                 [&](int32_t i) { return new Probe<PowerUp>(name, false, false, 100.0, 100.0, 0, 1, i); });
}
// The probes' names in list order, checking that each knows its index.
template <class Base>
Names names(Base** list, int32_t count) {
    Names out;
    for (int32_t i = 0; i < count; ++i) {
        EXPECT_EQ(list[i]->slot.listIndex, i);
        out.push_back(static_cast<Probe<Base>*>(list[i])->name);
    }
    return out;
}

class FrameUpdateTest : public test::GameFixture {
protected:
    void SetUp() override {
        GameFixture::SetUp();
        trace.clear();
    }
};

TEST_F(FrameUpdateTest, PlayFrameWalksEveryListBackwardsAndCullsBeforeLaterSteps) {
    addEnemy("E0");
    addEnemy("E1", false, true);
    addEnemy("E2", true);
    addPowerUp("P0");
    addPowerUp("P1");
    addShot("S0");
    addShot("S1", true);
    updateFrame(Dt);
    // E2's shot, appended before the shot walk, already moves; S1's own waits a frame.
    EXPECT_EQ(trace, (Names{"E2 e3 s2", "E1 e3 s3", "E0 e3 s3", "P1 e3 s3", "P0 e3 s3", "E2+ e2 s3",
                            "S1 e2 s3", "S0 e2 s4"}));
    EXPECT_EQ(names(g_enemies, g_enemyCount), (Names{"E0", "E2"}));
    EXPECT_EQ(names(g_shots, g_shotCount), (Names{"S0", "S1", "E2+", "S1+"}));
    EXPECT_EQ(platform_.headlessDisplay().presentCount(), 1);
}

TEST_F(FrameUpdateTest, OpenShopFreezesTheWaveButShotsMoveAndDie) {
    g_player = new Player();
    g_shop = new Shop();
    g_shop->openShop();
    addEnemy("E0", false, true);
    g_enemies[0]->slot.dead = true;  // dead, but not culled while the shop is open
    addPowerUp("P0");
    for (const char* name : {"S0", "S1", "S2"}) addShot(name);
    g_shots[0]->slot.dead = g_shots[1]->slot.dead = true;
    const double playerX = g_player->getPosition().getX();
    g_keys[platform::key::Left] = platform::KeyDown;
    updateFrame(Dt);
    EXPECT_EQ(trace, (Names{"S2 e1 s3", "S1 e1 s3", "S0 e1 s3"}));
    EXPECT_EQ(g_enemyCount + g_powerUpCount, 2);
    EXPECT_EQ(names(g_shots, g_shotCount), Names{"S2"});
    EXPECT_EQ(g_player->getPosition().getX(), playerX);
}

TEST_F(FrameUpdateTest, PowerUpOnScreenHoldsBackTheNextWave) {
    g_powerUps[0] = new PowerUp(300, 455, PowerUpMoneyKind, 10, 0);  // leaves the screen in frame 2
    g_powerUpCount = 1;
    for (int32_t wavesAfter : {0, 0, 1}) {
        updateFrame(Dt);
        EXPECT_EQ(g_waveNumber, wavesAfter);
        EXPECT_EQ(g_enemyCount, wavesAfter * 5);
    }
    EXPECT_EQ(g_powerUpCount, 0);
}

}  // namespace
}  // namespace glintwake
