#include "shop/Shop.h"

#include <cstdio>

#include "hud/Hud.h"
#include "platform/Keys.h"
#include "player/Player.h"
#include "weapons/Laser.h"
#include "world/GameSound.h"
#include "world/GameState.h"

namespace glintwake {

namespace {

using platform::ColorRef;

constexpr int32_t StartPrices[ShopRows] = {10, 1, 50, 50, 50, 500, 900, -1};
constexpr int32_t UpgradedPowerLaserPrice = 500;
constexpr const char* RowLabels[ReturnRow] = {
    "Health",       "Shields",     "Arc Shot Ammo", "Missile Ammo", "Energy Cannon Ammo",
    "Super Lasers", "Power Lasers"};
constexpr const char* ReturnLabel = "Return";

// A held key acts at once, again after RepeatDelay, then every RepeatDelay - RepeatRestart.
constexpr double RepeatDelay = 0.5;
constexpr double RepeatRestart = 0.4;

constexpr ColorRef Bright = platform::makeColorRef(0, 0xFF, 0);
constexpr ColorRef Dark = platform::makeColorRef(0, 0x80, 0);

constexpr int32_t LabelLeft = 150;
constexpr int32_t FirstRowTop = 130;
constexpr int32_t RowSpacing = 30;
constexpr int32_t PriceRight = 500;
constexpr int32_t MenuCentre = 320;
constexpr int32_t ReturnTop = 360;
constexpr int32_t MoneyTop = 100;
constexpr ColorRef MoneyColour = Bright;
constexpr size_t NumberCapacity = 10;

bool ready(double timer) {
    return timer == 0.0 || timer > RepeatDelay;
}

// The held key's timer after it acted (or waited) this frame.
void advanceRepeat(double& timer, double dt) {
    if (timer > RepeatDelay) timer = RepeatRestart;
    timer += dt;
}

// Key repeat: returns whether the key acts in this frame and advances its timer.
bool repeatKey(bool held, double& timer, double dt) {
    if (!held) {
        timer = 0.0;
        return false;
    }
    const bool acts = ready(timer);
    advanceRepeat(timer, dt);
    return acts;
}

// True when the row's item is at its limit: full health or shield, or that laser
// grade (or a better one) already fitted.
bool soldOut(const Player& player, int32_t row) {
    switch (row) {
        case HealthRow:
            return !(player.getHealth() < MaxHealth);
        case ShieldRow:
            return !(player.getShield() < MaxShield);
        case SuperLaserRow:
            return player.getLaserType() >= LaserType::Super;
        case PowerLaserRow:
            return player.getLaserType() >= LaserType::Power;
        default:
            return false;
    }
}

int32_t rowTop(int32_t row) {
    return FirstRowTop + RowSpacing * row;
}

}  // namespace

Shop::Shop() : repeatTimers(new double[RepeatTimerCount]()), prices(new int32_t[ShopRows]) {
    for (int32_t i = 0; i < ShopRows; ++i) prices[i] = StartPrices[i];
}

Shop::~Shop() {
    delete[] repeatTimers;
    delete[] prices;
}

void Shop::update(double dt, Player* player, const uint8_t* keys) {
    if (player == nullptr || keys == nullptr) return;
    if (repeatKey(platform::isKeyDown(keys, platform::key::Up), repeatTimers[UpTimer], dt)) {
        selected = selected == 0 ? ShopRows - 1 : selected - 1;
        playSound(Sound::ShopMove);
    }
    if (repeatKey(platform::isKeyDown(keys, platform::key::Down), repeatTimers[DownTimer], dt)) {
        selected = selected == ShopRows - 1 ? 0 : selected + 1;
        playSound(Sound::ShopMove);
    }
    if (!handleEnter(dt, *player, platform::isKeyDown(keys, platform::key::Return))) return;
    if (platform::isKeyDown(keys, platform::key::Q)) {
        active = false;
        return;
    }
    drawMenu(*player);
}

bool Shop::handleEnter(double dt, Player& player, bool held) {
    double& timer = repeatTimers[EnterTimer];
    if (!held) {
        timer = 0.0;
        refusalHeard = false;
        return true;
    }
    if (!ready(timer)) return true;
    if (player.getMoney() < prices[selected]) {
        // The timer stands still while refused, so the sound keeps its own note of the press.
        if (!refusalHeard) playSound(Sound::ShopRefuse);
        refusalHeard = true;
        return true;
    }
    if (selected == ReturnRow) {
        active = false;
        return false;
    }
    buy(player, selected);
    // Only a purchase runs the timer, so a held Enter buys once per press.
    advanceRepeat(timer, dt);
    return true;
}

bool Shop::canBuy(const Player& player, int32_t row) const {
    // Power lasers are fitted over super lasers only.
    const bool needsSuper = row == PowerLaserRow && player.getLaserType() < LaserType::Super;
    return !soldOut(player, row) && !needsSuper;
}

void Shop::buy(Player& player, int32_t row) {
    if (!canBuy(player, row)) {
        playSound(Sound::ShopRefuse);
        return;
    }
    playSound(Sound::ShopBuy);
    player.spendMoney(prices[row]);
    player.buyItem(row);
    if (row == SuperLaserRow) prices[PowerLaserRow] = UpgradedPowerLaserPrice;
}

ColorRef Shop::rowColour(const Player& player, int32_t row) const {
    ColorRef c = player.getMoney() < prices[row] || soldOut(player, row) ? Dark : Bright;
    // The highlighted row turns cyan: its green is copied into blue.
    if (row == selected) c = platform::makeColorRef(0, platform::greenOf(c), platform::greenOf(c));
    return c;
}

void Shop::drawMenu(const Player& player) const {
    if (g_hud == nullptr) return;
    ColorRef colours[ShopRows];
    for (int32_t row = 0; row < ShopRows; ++row) colours[row] = rowColour(player, row);

    for (int32_t row = 0; row < ReturnRow; ++row) {
        g_hud->drawText(LabelLeft, rowTop(row), RowLabels[row], LargeFont, colours[row]);
    }
    g_hud->drawText(-MenuCentre, ReturnTop, ReturnLabel, LargeFont, colours[ReturnRow]);

    char number[NumberCapacity];
    std::snprintf(number, sizeof number, "$%d", player.getMoney());
    g_hud->drawText(-MenuCentre, MoneyTop, number, MediumFont, MoneyColour);
    for (int32_t row = 0; row < ReturnRow; ++row) {
        std::snprintf(number, sizeof number, "$%d", prices[row]);
        g_hud->drawText(PriceRight, -rowTop(row), number, LargeFont, colours[row]);
    }
}

}  // namespace glintwake
