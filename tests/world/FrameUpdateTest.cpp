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

constexpr double Dt = 1.0 / 60.0;

// Each probe's update as "name e<enemy count> s<shot count>", in the order they ran.
std::vector<std::string> trace;

void record(const std::string& name) {
    trace.push_back(name + " e" + std::to_string(g_enemyCount) + " s" + std::to_string(g_shotCount));
}

struct ProbeShot final : Projectile {
    ProbeShot(std::string name, int32_t index, bool fires) : name(std::move(name)), fires(fires) {
        slot.listIndex = index;
    }
    void update(double) override {
        record(name);
        if (fires) append(name + "+", false);
    }
    static void append(const std::string& name, bool fires) {
        appendObject(g_shots, g_shotCount, MaxShots,
                     [&](int32_t i) { return new ProbeShot(name, i, fires); });
    }
    std::string name;
    bool fires;
};

struct ProbeEnemy final : Enemy {
    ProbeEnemy(std::string name, int32_t index, bool fires, bool dies)
        : Enemy(0, index), name(std::move(name)), fires(fires), dies(dies) {}
    void update(double) override {
        record(name);
        if (fires) ProbeShot::append(name + "-shot", false);
        if (dies) slot.dead = true;
    }
    std::string name;
    bool fires, dies;
};

struct ProbePowerUp final : PowerUp {
    ProbePowerUp(std::string name, int32_t index) : PowerUp(100, 100, 0, 1, index), name(std::move(name)) {}
    void update(double) override { record(name); }
    std::string name;
};

class FrameUpdateTest : public test::GameFixture {
protected:
    void SetUp() override {
        GameFixture::SetUp();
        trace.clear();
    }
    void addEnemy(const std::string& name, bool fires = false, bool dies = false) {
        g_enemies[g_enemyCount] = new ProbeEnemy(name, g_enemyCount, fires, dies);
        ++g_enemyCount;
    }
    void addPowerUp(const std::string& name) {
        g_powerUps[g_powerUpCount] = new ProbePowerUp(name, g_powerUpCount);
        ++g_powerUpCount;
    }
    void addShot(const std::string& name, bool fires = false) { ProbeShot::append(name, fires); }
    std::vector<std::string> shots() {
        std::vector<std::string> names;
        for (int32_t i = 0; i < g_shotCount; ++i) {
            EXPECT_EQ(g_shots[i]->slot.listIndex, i);
            names.push_back(static_cast<ProbeShot*>(g_shots[i])->name);
        }
        return names;
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
    EXPECT_EQ(trace, (std::vector<std::string>{"E2 e3 s2", "E1 e3 s3", "E0 e3 s3", "P1 e3 s3", "P0 e3 s3",
                                               "E2-shot e2 s3", "S1 e2 s3", "S0 e2 s4"}));
    ASSERT_EQ(g_enemyCount, 2);
    EXPECT_EQ(static_cast<ProbeEnemy*>(g_enemies[1])->name, "E2");
    EXPECT_EQ(g_enemies[1]->slot.listIndex, 1);
    EXPECT_EQ(shots(), (std::vector<std::string>{"S0", "S1", "E2-shot", "S1+"}));
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
    g_shots[0]->slot.dead = true;
    g_shots[1]->slot.dead = true;
    const double playerX = g_player->getPosition().getX();
    g_keys[platform::key::Left] = platform::KeyDown;
    updateFrame(Dt);
    EXPECT_EQ(trace, (std::vector<std::string>{"S2 e1 s3", "S1 e1 s3", "S0 e1 s3"}));
    EXPECT_EQ(g_enemyCount, 1);
    EXPECT_EQ(g_powerUpCount, 1);
    EXPECT_EQ(shots(), std::vector<std::string>{"S2"});
    EXPECT_EQ(g_player->getPosition().getX(), playerX);
}

TEST_F(FrameUpdateTest, PowerUpOnScreenHoldsBackTheNextWave) {
    g_powerUps[0] = new PowerUp(300, 455, PowerUpMoneyKind, 10, 0);  // leaves the screen in frame 2
    g_powerUpCount = 1;
    const int32_t wavesAfter[] = {0, 0, 1};
    for (int32_t expected : wavesAfter) {
        updateFrame(Dt);
        EXPECT_EQ(g_waveNumber, expected);
        EXPECT_EQ(g_enemyCount, expected * 5);
    }
    EXPECT_EQ(g_powerUpCount, 0);
}

}  // namespace
}  // namespace glintwake
