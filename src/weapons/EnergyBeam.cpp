#include "weapons/EnergyBeam.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "core/FloorToInt.h"
#include "effects/Effect.h"
#include "enemies/Enemy.h"
#include "player/Factories.h"
#include "weapons/Contacts.h"
#include "world/GameState.h"

namespace glintwake {

namespace {

constexpr double BaseTailDelay = 0.2;
constexpr double TailDelayPerLevel = 0.05;
// The collision rectangle reaches this far either side of the centre column.
constexpr int32_t HalfWidth = 3;
constexpr int32_t ColumnCount = 7;
constexpr int32_t HitSparks = 10;

// Cross-section of the glow, left to right: how much of the background a column
// keeps, in hundredths, and how much light it adds to red and green.
constexpr uint32_t KeepHundredths[ColumnCount] = {80, 66, 25, 0, 25, 66, 80};
constexpr uint32_t Hundred = 100;
constexpr uint32_t AddedLight[ColumnCount] = {51, 85, 192, 255, 192, 85, 51};

constexpr uint32_t RedShift = 16;
constexpr uint32_t GreenShift = 8;
constexpr uint32_t ChannelMask = 0xFF;
constexpr uint32_t KeepRedGreenClear = 0xFF0000FF;

// What the beam makes of one channel value in one column: the kept part, rounded
// down, and the added light.
uint32_t glow(int32_t column, uint32_t channel) {
    return channel * KeepHundredths[column] / Hundred + AddedLight[column];
}

// Hit points taken per contact in one update, rounded down.
int32_t damageFor(double dt) {
    // A dt far below zero (or none at all) burns nothing rather than the most.
    const double amount = std::floor(BeamDamageRate * dt);
    return amount > -std::numeric_limits<int32_t>::max() ? floorToInt(amount) : 0;
}

}  // namespace

EnergyBeam::EnergyBeam(double x, double y, int32_t level, int32_t listIndex)
    : tail(x, y), tailDelay(level * TailDelayPerLevel + BaseTailDelay) {
    slot.listIndex = listIndex;
    position.setCartesian(x, y);
    velocity.setCartesian(0.0, -BeamSpeed);
    damage = BeamDamageRate;
    weaponType = WeaponId::EnergyBeam;
}

Rect EnergyBeam::getBounds() const {
    return Rect{screenCoord(position.getX() - HalfWidth), screenCoord(position.getY()),
                screenCoord(tail.getX() + HalfWidth), screenCoord(tail.getY())};
}

void EnergyBeam::update(double dt) {
    if (slot.isDead()) return;
    // The picture uses the rectangle from before the move: it lags one update.
    const Rect drawn = getBounds();

    if (position.getY() > 0.0) {
        position.addScaled(velocity, dt);
        if (position.getY() < 0.0) position.setY(0.0);
    }
    tailDelay -= dt;
    if (tailDelay < 0.0) tail.addScaled(velocity, dt);

    const int32_t tx = screenCoord(tail.getX());
    const int32_t ty = screenCoord(tail.getY());
    if (tx < HalfWidth || tx + HalfWidth > ScreenWidth || ty < 0) {
        slot.dead = true;
        return;
    }
    burnEnemies(dt);
    draw(drawn);
}

void EnergyBeam::burnEnemies(double dt) {
    const int32_t amount = damageFor(dt);
    hitEnemiesTouching(*this, [amount](Enemy& enemy) {
        spawnEffect(enemy.getPosition().getX(), enemy.getPosition().getY(), HitSparks, spawnYellowParticle);
        enemy.applyDamage(amount);
        return false;  // the beam burns every enemy it crosses
    });
}

void EnergyBeam::draw(const Rect& r) const {
    if (g_backBuffer == nullptr) return;
    platform::PixelView view;
    if (!g_backBuffer->lock(view)) return;
    // Only the rows inside the buffer are visited; `at` refuses any column outside it.
    const int32_t bottom = std::min(r.bottom, view.height - 1);
    const int32_t top = std::max(r.top, 0);
    for (int32_t y = bottom; y >= top; --y) {
        for (int32_t c = 0; c < ColumnCount; ++c) {
            uint32_t* p = view.at(r.left + c, y);
            if (p == nullptr) continue;
            const uint32_t red = glow(c, (*p >> RedShift) & ChannelMask);
            const uint32_t green = glow(c, (*p >> GreenShift) & ChannelMask);
            *p = (*p & KeepRedGreenClear) | (red << RedShift) | (green << GreenShift);
        }
    }
    g_backBuffer->unlock();
}

}  // namespace glintwake
