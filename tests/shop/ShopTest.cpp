#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <tuple>
#include <vector>

#include "hud/Hud.h"
#include "player/Player.h"
#include "shop/Shop.h"
#include "support/GameFixture.h"

namespace glintwake {
namespace {

using platform::TextCall;
namespace key = platform::key;

class ShopTest : public test::GameFixture {
protected:
    void SetUp() override {
        GameFixture::SetUp();
        g_player = new Player();
        g_hud = new Hud();
        g_shop = new Shop();
        g_shop->openShop();
    }
    // One frame at 60 Hz with exactly these keys held.
    void frame(std::initializer_list<uint8_t> held, double dt = 1.0 / 60) {
        uint8_t keys[platform::KeyStateSize] = {};
        for (uint8_t k : held) keys[k] = platform::KeyDown;
        platform_.recordingText().clearCalls();
        g_shop->update(dt, g_player, keys);
    }
    void press(uint8_t k) {
        frame({k});
        frame({});
    }
    void select(int32_t row) {
        while (g_shop->getSelected() != row) press(key::Down);
    }
    const std::vector<TextCall>& calls() { return platform_.recordingText().calls(); }
};

TEST_F(ShopTest, UpAndDownWrap) {
    press(key::Up);
    EXPECT_EQ(g_shop->getSelected(), 7);
    press(key::Down);
    press(key::Down);
    EXPECT_EQ(g_shop->getSelected(), 1);
}

TEST_F(ShopTest, HeldKeyRepeats) {
    for (uint8_t k : {key::Down, key::Up}) {
        std::vector<int> acted;
        for (int f = 0; f < 60; ++f) {
            const int32_t before = g_shop->getSelected();
            frame({k});
            if (g_shop->getSelected() != before) acted.push_back(f);
        }
        frame({});
        // At once; once more than 0.5 s is held (frame 31); then each time more
        // than 0.1 s has passed since (seven frames).
        EXPECT_EQ(acted, (std::vector<int>{0, 31, 38, 45, 52, 59})) << int(k);
    }
}

TEST_F(ShopTest, HoldingEnterBuysOncePerPress) {
    g_player->setMoney(200);
    const int32_t ammo = g_player->getMissileAmmo();
    select(3);
    for (int f = 0; f < 120; ++f) frame({key::Return});
    EXPECT_EQ(g_player->getMoney(), 150);
    frame({});
    press(key::Return);
    EXPECT_EQ(g_player->getMoney(), 100);
    EXPECT_EQ(g_player->getMissileAmmo(), ammo + 2);
}

struct BuyCase {
    const char* name;
    int32_t row, money, health;
    double shield;
    uint8_t laserType;
    bool bought;
};
std::ostream& operator<<(std::ostream& os, const BuyCase& c) {
    return os << c.name;
}
class ShopBuyTest : public ShopTest, public ::testing::WithParamInterface<BuyCase> {};

TEST_P(ShopBuyTest, RowConditionAndPrice) {
    const BuyCase c = GetParam();
    g_player->setMoney(c.money);
    g_player->setHealth(c.health);
    g_player->setShield(c.shield);
    g_player->setLaserType(c.laserType);
    auto ammo = [] {
        return std::vector<int32_t>{g_player->getArcShotAmmo(), g_player->getMissileAmmo(),
                                    g_player->getEnergyCannonAmmo()};
    };
    std::vector<int32_t> expectedAmmo = ammo();
    if (c.bought && c.row >= 2 && c.row <= 4) ++expectedAmmo[static_cast<size_t>(c.row - 2)];
    const int32_t price = g_shop->getPrice(c.row);
    select(c.row);
    press(key::Return);

    EXPECT_EQ(g_player->getMoney(), c.bought ? c.money - price : c.money);
    EXPECT_EQ(ammo(), expectedAmmo);
    EXPECT_EQ(g_player->getHealth(), c.health + (c.bought && c.row == 0));
    EXPECT_EQ(g_player->getShield() > c.shield, c.bought && c.row == 1);
    EXPECT_LE(g_player->getShield(), 3.0);
    EXPECT_EQ(g_player->getLaserType(), c.bought && c.row >= 5 ? c.row - 4 : c.laserType);
    EXPECT_EQ(g_shop->getPrice(6), c.bought && c.row == 5 ? 500 : 900);
}

INSTANTIATE_TEST_SUITE_P(Rows, ShopBuyTest,
                         ::testing::Values(BuyCase{"Health", 0, 100, 50, 3.0, 0, true},
                                           BuyCase{"HealthFull", 0, 100, 100, 3.0, 0, false},
                                           BuyCase{"HealthDear", 0, 9, 50, 3.0, 0, false},
                                           BuyCase{"Shields", 1, 5, 100, 1.0, 0, true},
                                           BuyCase{"ShieldsFull", 1, 5, 100, 3.0, 0, false},
                                           BuyCase{"ArcShot", 2, 50, 100, 3.0, 0, true},
                                           BuyCase{"ArcShotDear", 2, 49, 100, 3.0, 0, false},
                                           BuyCase{"Missile", 3, 60, 100, 3.0, 2, true},
                                           BuyCase{"EnergyCannon", 4, 50, 100, 3.0, 0, true},
                                           BuyCase{"Super", 5, 600, 100, 3.0, 0, true},
                                           BuyCase{"SuperOwned", 5, 600, 100, 3.0, 1, false},
                                           BuyCase{"PowerWithoutSuper", 6, 1000, 100, 3.0, 0, false},
                                           BuyCase{"Power", 6, 900, 100, 3.0, 1, true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ShopTest, SuperLasersMakePowerLasersCostFiveHundred) {
    g_player->setMoney(1000);
    select(5);
    press(key::Return);
    EXPECT_EQ(calls()[9 + 6].text, "$500");
    select(6);
    press(key::Return);
    EXPECT_EQ(g_player->getMoney(), 0);
    EXPECT_EQ(g_player->getLaserType(), 2);
}

TEST_F(ShopTest, ReturnAndQCloseWithoutDrawing) {
    select(7);
    frame({key::Return});
    EXPECT_FALSE(g_shop->isActive());
    EXPECT_TRUE(calls().empty());
    g_shop->openShop();
    frame({key::Down, key::Q});  // the move still happens first
    EXPECT_FALSE(g_shop->isActive());
    EXPECT_TRUE(calls().empty());
    g_shop->openShop();
    frame({});
    EXPECT_EQ(g_shop->getSelected(), 0) << "kept between visits";
    EXPECT_EQ(calls().size(), 16u);
}

TEST_F(ShopTest, MenuLayout) {
    g_player->setMoney(2000000000);
    frame({});
    ASSERT_EQ(calls().size(), 16u);
    const char* labels[] = {
        "Health",       "Shields",     "Arc Shot Ammo", "Missile Ammo", "Energy Cannon Ammo",
        "Super Lasers", "Power Lasers"};
    const char* prices[] = {"$10", "$1", "$50", "$50", "$50", "$500", "$900"};
    for (size_t row = 0; row < 7; ++row) {
        const TextCall &label = calls()[row], &price = calls()[9 + row];
        const int32_t top = 130 + 30 * static_cast<int32_t>(row);
        EXPECT_EQ(std::tie(label.text, label.x, label.y, label.align, label.pixelHeight),
                  std::make_tuple(labels[row], 150, top, platform::TextAlign::Left, 20));
        EXPECT_EQ(std::tie(price.text, price.x, price.y, price.align, price.color),
                  std::make_tuple(prices[row], 500, top, platform::TextAlign::Right, label.color));
    }
    EXPECT_EQ(std::tie(calls()[7].text, calls()[7].x, calls()[7].y), std::make_tuple("Return", 320, 360));
    // Money is cut to the nine characters its buffer holds.
    EXPECT_EQ(std::tie(calls()[8].text, calls()[8].x, calls()[8].y, calls()[8].pixelHeight, calls()[8].color),
              std::make_tuple("$20000000", 320, 100, 15, 0x00FF00u));
}

struct ColourCase {
    const char* name;
    int32_t money, health;
    double shield;
    uint8_t laserType;
    int32_t selected;
    std::vector<platform::ColorRef> colours;
};
std::ostream& operator<<(std::ostream& os, const ColourCase& c) {
    return os << c.name;
}
class ShopColourTest : public ShopTest, public ::testing::WithParamInterface<ColourCase> {};

TEST_P(ShopColourTest, RowColours) {
    const ColourCase& c = GetParam();
    g_player->setMoney(c.money);
    g_player->setHealth(c.health);
    g_player->setShield(c.shield);
    g_player->setLaserType(c.laserType);
    select(c.selected);
    frame({});
    std::vector<platform::ColorRef> seen;
    for (size_t i = 0; i < 8; ++i) seen.push_back(calls().at(i).color);
    EXPECT_EQ(seen, c.colours);
}

constexpr platform::ColorRef B = 0x00FF00, D = 0x008000, SB = 0xFFFF00, SD = 0x808000;
INSTANTIATE_TEST_SUITE_P(
    States, ShopColourTest,
    ::testing::Values(ColourCase{"PoorAndFull", 40, 100, 3.0, 0, 0, {SD, D, D, D, D, D, D, B}},
                      ColourCase{"RichAndHurt", 1000, 50, 1.0, 0, 3, {B, B, B, SB, B, B, B, B}},
                      ColourCase{"PowerOwned", 1000, 50, 1.0, 2, 6, {B, B, B, B, B, D, SD, B}},
                      ColourCase{"FiveDollars", 5, 50, 1.0, 1, 7, {D, B, D, D, D, D, D, SB}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace glintwake
