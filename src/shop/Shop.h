#pragma once
// The between-wave menu where money buys health, shield, ammunition and laser
// upgrades. While it is open the wave behind it stands still.
#include <cstdint>

#include "platform/Geometry.h"
#include "player/Player.h"

namespace glintwake {

// The menu's rows, top to bottom: every item the ship can buy, then Return.
enum ShopRow : int32_t {
    HealthRow = HealthItem,
    ShieldRow = ShieldItem,
    ArcShotAmmoRow = ArcShotAmmoItem,
    MissileAmmoRow = MissileAmmoItem,
    EnergyCannonAmmoRow = EnergyCannonAmmoItem,
    SuperLaserRow = SuperLaserItem,
    PowerLaserRow = PowerLaserItem,
    ReturnRow = PowerLaserItem + 1,
};
constexpr int32_t ShopRows = ReturnRow + 1;

// Key-repeat timers, one for each key that repeats.
enum ShopTimer : int32_t { DownTimer = 0, UpTimer = 1, EnterTimer = 2, RepeatTimerCount = 3 };

class Shop {
public:
    Shop();
    ~Shop();
    Shop(const Shop&) = delete;
    Shop& operator=(const Shop&) = delete;

    void openShop() { active = true; }
    bool isActive() const { return active; }
    void update(double dt, Player* player, const uint8_t* keys);

    int32_t getSelected() const { return selected; }

private:
    // Enter buys the highlighted row once per press; returns false when it closed the shop.
    bool handleEnter(double dt, Player& player, bool held);
    bool canBuy(const Player& player, int32_t row) const;
    void buy(Player& player, int32_t row);
    platform::ColorRef rowColour(const Player& player, int32_t row) const;
    void drawMenu(const Player& player) const;

    bool active = false;
    int32_t selected = 0;
    double* repeatTimers = nullptr;  // by ShopTimer
    int32_t* prices = nullptr;
    bool refusalHeard = false;  // the refusal has sounded during this press of Enter
};

}  // namespace glintwake
