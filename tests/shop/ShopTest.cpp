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
constexpr platform::ColorRef Lit = 0x00FF00, Dim = 0x008000, SelDim = 0x808000;

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

TEST_F(ShopTest, UpAndDownWrapAndHeldKeysRepeat) {
    press(key::Up);
    EXPECT_EQ(g_shop->getSelected(), ReturnRow);
    press(key::Down);
    EXPECT_EQ(g_shop->getSelected(), 0);
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
    select(3);
    for (int f = 0; f < 120; ++f) frame({key::Return});
    EXPECT_EQ(g_player->getMoney(), 150);
    frame({});
    press(key::Return);
    EXPECT_EQ(g_player->getMoney(), 100);
}

TEST_F(ShopTest, EachRowSellsOnlyWhenAffordableAndWanted) {
    struct Buy {
        int32_t row, money, health;
        double shield;
        uint8_t laserType;
        int32_t price;  // taken when bought, 0 when refused
    };
    const Buy buys[] = {{0, 100, 50, 3.0, 0, 10}, {0, 100, 100, 3.0, 0, 0},  {1, 5, 100, 2.9, 0, 1},
                        {1, 5, 100, 3.0, 0, 0},   {2, 50, 100, 3.0, 0, 50},  {2, 49, 100, 3.0, 0, 0},
                        {3, 60, 100, 3.0, 2, 50}, {4, 50, 100, 3.0, 0, 50},  {5, 600, 100, 3.0, 0, 500},
                        {5, 600, 100, 3.0, 1, 0}, {6, 1000, 100, 3.0, 0, 0}, {6, 900, 100, 3.0, 1, 900}};
    for (const Buy& c : buys) {
        SCOPED_TRACE(testing::Message() << "row " << c.row << " with $" << c.money);
        SetUp();  // a fresh shop and ship for each case
        g_player->setMoney(c.money);
        g_player->setHealth(c.health);
        g_player->setShield(c.shield);
        g_player->setLaserType(c.laserType);
        g_player->setAmmo(0, 0, 0);
        select(c.row);
        press(key::Return);
        // A purchase raises exactly its own row's stock; Super and Power Lasers each raise the laser type.
        auto gained = [&](int32_t row) { return int32_t(c.price > 0 && c.row == row); };
        const Player& p = *g_player;
        EXPECT_EQ(std::tuple(p.getMoney(), p.getHealth(), p.getShield() > c.shield, p.getArcShotAmmo(),
                             p.getMissileAmmo(), p.getEnergyCannonAmmo(), int32_t(p.getLaserType())),
                  std::tuple(c.money - c.price, c.health + gained(0), gained(1) == 1, gained(2), gained(3),
                             gained(4), c.laserType + gained(5) + gained(6)));
        EXPECT_LE(p.getShield(), 3.0);  // however much a purchase adds
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

TEST_F(ShopTest, SuperLasersMakePowerLasersCostFiveHundred) {
    g_player->setMoney(1000);
    select(5);
    press(key::Return);
    select(6);
    EXPECT_EQ(drawn(&TextCall::text).at(9 + 6), "$500");
    press(key::Return);
    EXPECT_EQ(g_player->getMoney(), 0);
    EXPECT_EQ(g_player->getLaserType(), 2);
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
