#include "enemies/Enemy.h"

#include <cmath>

#include "core/Maths.h"
#include "core/Random.h"
#include "core/Timer.h"
#include "player/Factories.h"
#include "player/PowerUp.h"
#include "world/GameSound.h"
#include "world/GameState.h"

namespace glintwake {

namespace {

constexpr double EnemyStartY = 20.0;
constexpr int32_t EnemySpacing = 50;
constexpr int32_t EnemyFirstX = 50;
constexpr uint32_t EnemyFrameDelay = 10;

constexpr int32_t SpeedDraws = 4000;
constexpr double SpeedDivisor = 10.0;
constexpr double MinSpeed = 50.0;
constexpr int32_t BobDraws = 1000;
constexpr double MinBobPeriod = 3.0;
constexpr double BobPeriodDivisor = 250.0;
constexpr double BobTimeDivisor = 1000.0;

constexpr double FullTurn = 6.283185307;
constexpr double BobAmplitude = 150.0;
constexpr double BobCentre = 153.0;
constexpr int32_t TopLimit = 3;
constexpr int32_t BottomLimit = 353;

constexpr double GunOffsetX = 16.0;
constexpr double GunOffsetY = 40.0;
constexpr int32_t FireDraws = 1000;
constexpr double FireDivisor = 3000.0;
constexpr double MinFireInterval = 3.0;

constexpr double WreckOffset = 20.0;
constexpr int32_t ExplosionParticles = 100;
constexpr int32_t CoinChance = 10;
constexpr int32_t CoinAmount = 50;
constexpr int32_t LockOnMargin = 2;

// One row of the last enemy's loot table: the row covers draws up to lastDraw;
// amount = base + step * (r mod spread), or just base when spread is 0.
struct Loot {
    int32_t lastDraw;
    int32_t kind;
    int32_t base;
    int32_t spread;
    int32_t step;
};

constexpr int32_t LootDraws = 18;
constexpr Loot LootTable[] = {
    {2, MoneyKind, 50, 11, 10},            // $50 to $150
    {4, ArcShotAmmoKind, 4, 3, 1},         // 4 to 6 shots
    {6, MissileAmmoKind, 4, 3, 1},         // 4 to 6 missiles
    {8, EnergyCannonAmmoKind, 4, 3, 1},    // 4 to 6 beams
    {9, ArcShotLevelKind, 1, 0, 0},        // one level
    {10, MissileLevelKind, 1, 0, 0},       // one level
    {11, EnergyCannonLevelKind, 1, 0, 0},  // one level
    {12, HealthKind, 10, 10, 1},           // 10 to 19 hit points
    {15, ShieldKind, 3, 0, 0},             // a full shield
    {16, InvulnerabilityKind, 10, 0, 0},   // 10 seconds
    {17, LaserSpeedKind, 1, 0, 0},         // one step
};

}  // namespace

Enemy::Enemy(int32_t waveNumber, int32_t index) : enemyId(index), laserLevel(waveNumber) {
    slot.listIndex = index;
    setImageAndBounds(g_imgEnemy);
    setAnimation(1, EnemyFrameDelay);

    double speed = (nextRandom() % SpeedDraws) / SpeedDivisor + MinSpeed;
    if (nextRandom() % 2 != 0) speed = -speed;
    bobPeriod = MinBobPeriod + (nextRandom() % BobDraws) / BobPeriodDivisor;
    bobTime = (nextRandom() % BobDraws) / BobTimeDivisor * bobPeriod;

    position.setCartesian(index * EnemySpacing + EnemyFirstX, EnemyStartY);
    velocity.setCartesian(speed, 0.0);
}

void Enemy::update(double dt) {
    if (slot.dead) return;
    if (hitPoints < 0) {
        explode();
        dropLoot();
        slot.dead = true;
        return;
    }
    const int32_t width = image ? image->width() : 0;
    const int32_t height = frameHeight();

    position.addScaled(velocity, dt);
    bobTime += dt;
    position.setY(maths::sin(bobTime * (FullTurn / bobPeriod)) * BobAmplitude + BobCentre);

    const int32_t sx = clampToSides(screenCoord(position.getX()), width);
    int32_t sy = screenCoord(position.getY());
    if (sy < TopLimit) {
        sy = TopLimit;
    } else if (sy + height > BottomLimit) {
        sy = BottomLimit - height;
    }

    fire(dt);
    draw(sx, sy, width, height);
}

void Enemy::explode() {
    playSound(Sound::EnemyExplode);
    spawnEffect(position.getX() + WreckOffset, position.getY() + WreckOffset, ExplosionParticles,
                spawnPaleParticle);
}

void Enemy::dropLoot() {
    const double x = position.getX() + WreckOffset;
    const double y = position.getY() + WreckOffset;
    // Other enemies still flying (or dying in this same frame) only drop coins now and then.
    if (g_enemyCount > 1) {
        if (nextRandom() % CoinChance == 0) spawnPowerUp(x, y, CoinKind, CoinAmount);
        return;
    }
    const int32_t draw = nextRandom() % LootDraws;
    for (const Loot& loot : LootTable) {
        if (draw > loot.lastDraw) continue;
        const int32_t amount =
            loot.spread > 0 ? loot.base + loot.step * (nextRandom() % loot.spread) : loot.base;
        spawnPowerUp(x, y, loot.kind, amount);
        return;
    }
}

int32_t Enemy::clampToSides(int32_t sx, int32_t width) {
    // Only the drawn position is held on screen; the turned velocity brings the ship back,
    // and a ship already heading inward is not turned again.
    if (sx < 0) {
        if (velocity.getX() < 0) velocity.setX(-velocity.getX());
        return 0;
    }
    if (sx + width > ScreenWidth) {
        if (velocity.getX() > 0) velocity.setX(-velocity.getX());
        return ScreenWidth - width;
    }
    return sx;
}

void Enemy::fire(double dt) {
    if (fireCooldown > 0) {
        countDown(fireCooldown, dt);
        return;
    }
    if (fireEnemyLaser(position.getX() + GunOffsetX, position.getY() + GunOffsetY, laserLevel))
        playSound(Sound::EnemyLaser);
    // The timer restarts even when the shot list was full and nothing was fired.
    fireCooldown = (nextRandom() % FireDraws) / FireDivisor + MinFireInterval;
}

void Enemy::draw(int32_t sx, int32_t sy, int32_t width, int32_t height) const {
    drawImage(image, sx, sy, Rect{0, 0, width, height});
    if (!lockedOn || g_imgLockOn == nullptr) return;
    // The marker is 4 pixels larger than the ship; at a screen side it is cut, not dropped.
    Rect source{0, 0, width + 2 * LockOnMargin, height + 2 * LockOnMargin};
    if (source.right > g_imgLockOn->width()) source.right = g_imgLockOn->width();
    if (source.bottom > g_imgLockOn->height()) source.bottom = g_imgLockOn->height();
    drawClipped(g_imgLockOn, sx - LockOnMargin, sy - LockOnMargin, source);
}

}  // namespace glintwake
