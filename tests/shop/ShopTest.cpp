#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "hud/Hud.h"
#include "shop/Shop.h"
#include "support/GameFixture.h"

namespace glintwake {
namespace {

namespace key = platform::key;
using platform::TextCall;
using Colours = std::vector<platform::ColorRef>;
constexpr platform::ColorRef Lit{0x00FF00}, Dim{0x008000}, SelDim{0x808000};

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
    void frame(std::initializer_list<uint8_t> held) {
        platform_.recordingText().clearCalls();
        g_shop->update(test::Hz60, g_player, test::Keys(held).state);
    }
    void press(uint8_t k) {
        frame({k});
        frame({});
    }
    void select(int32_t row) {
        while (g_shop->getSelected() != row) press(key::Down);
    }
    // One field of every text the last frame drew.
    template <class T>
    std::vector<T> drawn(T TextCall::*field) {
        std::vector<T> out;
        for (const TextCall& c : platform_.recordingText().calls()) out.push_back(c.*field);
        return out;
    }
};

// Up from the top row wraps to Return and, six acts later, Down from Return wraps back.
TEST_F(ShopTest, UpAndDownWrapAndHeldKeysRepeat) {
    for (uint8_t k : {key::Up, key::Down}) {
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
    EXPECT_EQ(g_shop->getSelected(), 0);
}

// Held Enter buys once per press; buying Super Lasers cuts the Power Lasers to $500.
TEST_F(ShopTest, HeldEnterBuysOncePerPressAndSuperLasersCheapenPowerLasers) {
    g_player->setMoney(1100);
    select(MissileAmmoRow);
    for (int f = 0; f < 120; ++f) frame({key::Return});
    EXPECT_EQ(g_player->getMoney(), 1050);
    frame({});
    press(key::Return);
    EXPECT_EQ(g_player->getMoney(), 1000);
    select(SuperLaserRow);
    press(key::Return);
    select(PowerLaserRow);
    EXPECT_EQ(drawn(&TextCall::text).at(9 + 6), "$500");
    press(key::Return);
    EXPECT_EQ(g_player->getMoney(), 0);
}

TEST_F(ShopTest, EachRowSellsOnlyWhenAffordableAndWanted) {
    // The row; the money, health, shield and laser type before; the price taken (0: refused).
    using Buy = std::tuple<int32_t, int32_t, int32_t, double, LaserType, int32_t>;
    using L = LaserType;
    const Buy buys[] = {
        {HealthRow, 100, 50, 3.0, L::Normal, 10},       {HealthRow, 100, 100, 3.0, L::Normal, 0},
        {ShieldRow, 5, 100, 2.99, L::Normal, 1},        {ShieldRow, 5, 100, 3.0, L::Normal, 0},
        {ArcShotAmmoRow, 50, 100, 3.0, L::Normal, 50},  {ArcShotAmmoRow, 49, 100, 3.0, L::Normal, 0},
        {MissileAmmoRow, 60, 100, 3.0, L::Power, 50},   {EnergyCannonAmmoRow, 50, 100, 3.0, L::Normal, 50},
        {SuperLaserRow, 600, 100, 3.0, L::Normal, 500}, {SuperLaserRow, 600, 100, 3.0, L::Super, 0},
        {PowerLaserRow, 1000, 100, 3.0, L::Normal, 0},  {PowerLaserRow, 900, 100, 3.0, L::Super, 900}};
    for (auto [row, money, health, shield, laserType, price] : buys) {
        SCOPED_TRACE(testing::Message() << "row " << row << " with $" << money);
        SetUp();  // a fresh shop and ship for each case
        g_player->setMoney(money);
        g_player->setHealth(health);
        g_player->setShield(shield);
        g_player->setLaserType(laserType);
        g_player->setAmmo(0, 0, 0);
        select(row);
        press(key::Return);
        // A purchase raises exactly its own row's stock (the shield only up to full); Super and
        // Power Lasers each raise the laser type.
        int32_t gained[ShopRows] = {};
        gained[row] = price > 0;
        const Player& p = *g_player;
        EXPECT_EQ(std::tuple(p.getMoney(), p.getHealth(), p.getShield(), p.getArcShotAmmo(),
                             p.getMissileAmmo(), p.getEnergyCannonAmmo(), int32_t(p.getLaserType())),
                  std::tuple(money - price, health + gained[0], gained[1] ? 3.0 : shield, gained[2],
                             gained[3], gained[4], int32_t(laserType) + gained[5] + gained[6]));
    }
}

// Rows and their prices are dim when too dear or sold out, cyan when selected.
TEST_F(ShopTest, MenuTextsAndColoursWithMoneyCutToNineCharacters) {
    g_player->setMoney(2000000000);
    frame({});
    EXPECT_EQ(drawn(&TextCall::text),
              (std::vector<std::string>{"Health", "Shields", "Arc Shot Ammo", "Missile Ammo",
                                        "Energy Cannon Ammo", "Super Lasers", "Power Lasers", "Return",
                                        "$20000000", "$10", "$1", "$50", "$50", "$50", "$500", "$900"}));
    g_player->setMoney(50);
    frame({});
    EXPECT_EQ(drawn(&TextCall::color), (Colours{SelDim, Dim, Lit, Lit, Lit, Dim, Dim, Lit, Lit, SelDim, Dim,
                                                Lit, Lit, Lit, Dim, Dim}));
}

TEST_F(ShopTest, ReturnAndQCloseWithoutDrawingAndSelectionIsKept) {
    select(ReturnRow);
    frame({key::Return});
    EXPECT_FALSE(g_shop->isActive());
    EXPECT_TRUE(drawn(&TextCall::text).empty());
    g_shop->openShop();
    frame({key::Down, key::Q});  // the move still happens first
    EXPECT_FALSE(g_shop->isActive());
    EXPECT_TRUE(drawn(&TextCall::text).empty());
    g_shop->openShop();
    EXPECT_EQ(g_shop->getSelected(), 0);
}

}  // namespace
}  // namespace glintwake
