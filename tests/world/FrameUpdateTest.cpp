#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "effects/PowerUp.h"
#include "shop/Shop.h"
#include "support/GameFixture.h"
#include "world/FrameUpdate.h"
#include "world/ObjectList.h"

namespace glintwake {
namespace {

using Names = std::vector<std::string>;

// Each probe's update as "name e<enemy count> s<shot count>", in the order they ran.
Names trace;
void addShot(const std::string& name, bool fires = false);

// A list entry that records its update and may fire one shot (named name+) or die in it.
template <class Base>
struct Probe final : Base {
    template <class... Args>
    Probe(std::string name, bool fires, bool dies, Args... args)
        : Base(args...), name(std::move(name)), fires(fires), dies(dies) {}
    void update(double) override {
        trace.push_back(name + " e" + std::to_string(g_enemyCount) + " s" + std::to_string(g_shotCount));
        if (std::exchange(fires, false)) addShot(name + "+");
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
class FrameUpdateTest : public test::GameFixture {};

TEST_F(FrameUpdateTest, ListsAreWalkedBackwardsAndCulledAndTheShopRunsOnlyTheShots) {
    trace.clear();
    addEnemy("E0");
    addEnemy("E1", false, true);
    addEnemy("E2", true);
    addPowerUp("P0");
    addPowerUp("P1");
    addShot("S0");
    addShot("S1", true);
    updateFrame(test::Hz60);
    // E1 is culled before the shots run; E2's shot, appended before the shot walk,
    // already moves; S1's own waits a frame.
    EXPECT_EQ(trace, (Names{"E2 e3 s2", "E1 e3 s3", "E0 e3 s3", "P1 e3 s3", "P0 e3 s3", "E2+ e2 s3",
                            "S1 e2 s3", "S0 e2 s4"}));

    g_player = new Player();
    g_shop = new Shop();
    g_shop->openShop();
    g_enemies[0]->slot.dead = g_shots[0]->slot.dead = true;  // the enemy is not culled in the shop
    const double playerX = g_player->getPosition().getX();
    g_keys[platform::key::Left] = platform::KeyDown;
    trace.clear();
    updateFrame(test::Hz60);
    EXPECT_EQ(trace, (Names{"S1+ e2 s4", "E2+ e2 s4", "S1 e2 s4", "S0 e2 s4"}));
    EXPECT_EQ(std::tuple(g_enemyCount, g_powerUpCount, g_shotCount), std::tuple(2, 2, 3));
    EXPECT_EQ(g_player->getPosition().getX(), playerX);
    EXPECT_EQ(platform_.headlessDisplay().presentCount(), 2);
}

}  // namespace
}  // namespace glintwake
