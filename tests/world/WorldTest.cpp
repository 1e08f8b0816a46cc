#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "app/FrameUpdate.h"
#include "effects/Starfield.h"
#include "player/PowerUp.h"
#include "shop/Shop.h"
#include "support/GameFixture.h"
#include "world/ObjectList.h"

namespace glintwake {
namespace {

// Leaks and double deletes are left to the sanitizers.
struct Item {
    Item(int32_t index, int id) : id(id) { slot.listIndex = index; }
    ListSlot slot;
    int id;
};

TEST(ObjectListTest, FullListRefusesAndRemovalsCloseTheGapsInOrder) {
    constexpr int32_t Capacity = 4;
    Item* list[Capacity] = {};
    int32_t count = 0;
    int made = 0;
    const auto append = [&] {
        return appendObject(list, count, Capacity, [&](int32_t i) { return new Item(i, made++); });
    };
    // The ids in list order, checking that each entry knows its index and the tail is empty.
    const auto ids = [&] {
        std::vector<int> out;
        for (int32_t i = 0; i < Capacity; ++i) {
            EXPECT_EQ(list[i] == nullptr, i >= count) << i;
            if (list[i] == nullptr) continue;
            EXPECT_EQ(list[i]->slot.listIndex, i);
            out.push_back(list[i]->id);
        }
        return out;
    };
    for (int i = 0; i < Capacity; ++i) ASSERT_TRUE(append());
    EXPECT_FALSE(append());
    EXPECT_EQ(made, Capacity);  // nothing was made for the refused request

    list[1]->slot.dead = list[2]->slot.dead = true;  // neighbours, gone in one pass
    removeDeadObjects(list, count);
    EXPECT_EQ(ids(), (std::vector<int>{0, 3}));
    append();
    removeObject(list, count, list[0]);  // the first of three
    EXPECT_EQ(ids(), (std::vector<int>{3, 4}));
    deleteAllObjects(list, count);
}

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

using Bytes = std::vector<uint8_t>;

// Colour bytes whose products with every weight below lie well away from whole
// numbers, so the expected bytes do not hinge on the last bit of a weight.
constexpr uint8_t Colour[3] = {101, 153, 187};
constexpr uint16_t Column = 100;

// Every test draws into a back buffer whose rows are padded past the 640 pixels.
class StarfieldTest : public test::GameFixture {
protected:
    void SetUp() override {
        GameFixture::SetUp();
        platform_.headlessDisplay().setBackBufferPitch(ScreenWidth * 4 + 48);
        g_backBuffer = platform_.display().createBackBuffer();
        // The other stars stand still, out of the way, at column 600.
        for (Star& s : g_stars) s = Star{600, 20.0, 0.0, {200, 200, 200}, 20.0};
    }
    static void placeStar(double previousY, double speed) {
        g_stars[0] = Star{Column, previousY, speed, {Colour[0], Colour[1], Colour[2]}, previousY};
    }
    // The four bytes of a pixel in memory order.
    static Bytes bytesAt(int x, int y) {
        const platform::PixelView v = g_backBuffer->view();
        const uint8_t* p = v.base + static_cast<ptrdiff_t>(y) * v.pitch + 4 * x;
        return {p[0], p[1], p[2], p[3]};
    }
};

TEST_F(StarfieldTest, StreakRowsGetTheirHandWorkedWeights) {
    struct Streak {
        double previousY, speed, dt;
        std::vector<std::pair<int, double>> rows;  // every lit row of the column
    };
    const Streak streaks[] = {
        {200.3, 120.0, 1.0 / 60.0, {{200, 0.7}, {201, 1.0}, {202, 0.3}}},  // ends partial, middle full
        {200.3, 120.0, 0.0, {{200, 0.2}, {201, 0.8}}},  // no travel: one pixel centred on 200.3
        {479.6, 0.0, 0.0, {{479, 0.9}}},                // the lower end, row 480, is off screen
    };
    for (const Streak& c : streaks) {
        SCOPED_TRACE(testing::Message() << c.previousY << " dt " << c.dt);
        placeStar(c.previousY, c.speed);
        updateStarfield(c.dt);
        for (int y = 0; y < ScreenHeight; ++y) {
            double weight = 0.0;
            for (const auto& [row, w] : c.rows) weight = row == y ? w : weight;
            Bytes expected{0};
            for (uint8_t b : Colour) expected.push_back(static_cast<uint8_t>(std::floor(b * weight)));
            EXPECT_EQ(bytesAt(Column, y), expected) << "row " << y;
        }
    }
}

TEST_F(StarfieldTest, StarReachingExactlyTheBottomReentersAtTheTop) {
    placeStar(478.0, 120.0);  // 478 + 120/60 is exactly 480
    updateStarfield(1.0 / 60.0);
    const Star s = g_stars[0];
    EXPECT_EQ(std::pair(s.y, s.previousY), std::pair(0.0, 0.0));
    // Drawn this frame already as the new star, from where it was to row 479 (weight 0).
    EXPECT_EQ(bytesAt(s.x, 478), (Bytes{0, s.colour[0], s.colour[1], s.colour[2]}));
    EXPECT_EQ(bytesAt(s.x, 479), Bytes(4, 0));
}

TEST_F(StarfieldTest, ClearCoversThePaddingOfEveryRow) {
    const platform::PixelView v = g_backBuffer->view();
    std::fill(v.base, v.base + v.sizeBytes(), 0xAB);
    updateStarfield(1.0 / 60.0);
    EXPECT_EQ(std::count(v.base, v.base + v.sizeBytes(), 0xAB), 0);
    EXPECT_FALSE(g_backBuffer->isLocked());
}

}  // namespace
}  // namespace glintwake
