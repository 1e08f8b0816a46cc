#include "support/GameFixture.h"

#include "core/Random.h"

namespace glintwake::test {

namespace {
Surface* makeImage(ImageSize size, platform::Pixel colour) {
    auto* s = new Surface(size.width, size.height);
    s->fill(colour);
    s->setColorKey(0);
    return s;
}

void installTestImages() {
    int n = 1;
    // Distinct, non-black colours so tests can tell which image was drawn.
    auto next = [&n] {
        const int i = n++;
        return platform::makePixel(uint8_t(0x10 * (i % 15) + 0x0F), uint8_t(i * 9), 0x40);
    };
    g_imgPlayerShip = makeImage(PlayerShipSize, next());
    g_imgCharging = makeImage(ChargingSize, next());
    g_imgChargingReady = makeImage(ChargingReadySize, next());
    g_imgTeleport = makeImage(TeleportSize, next());
    for (int i = 0; i < 4; ++i) g_imgLasers[i] = makeImage(LaserSizes[i], next());
    g_imgPlayerMissile = makeImage(MissileSize, next());
    g_imgLockOn = makeImage(LockOnSize, next());
    g_imgPlayerShield = makeImage(ShieldSize, next());
    g_imgEnemy = makeImage(EnemySize, next());
    g_imgEnemyLaser = makeImage(EnemyLaserSize, next());
    for (int i = 0; i < 3; ++i) g_imgWeaponIcons[i] = makeImage(IconSize, next());
    g_imgStatusBarEmpty = makeImage(BarSize, next());
    g_imgHealthBarFull = makeImage(BarSize, next());
    g_imgShieldBarFull = makeImage(BarSize, next());
    g_imgPowerUp = makeImage(PowerUpSize, next());
    g_imgMoney = makeImage(MoneySize, next());
    g_imgInvincible = makeImage(InvincibleSize, next());
}
}  // namespace

platform::Pixel colourOf(const Surface* image) {
    return image ? image->pixel(0, 0) : 0;
}

int countLitPixels(const Surface& surface) {
    int lit = 0;
    for (int32_t y = 0; y < surface.height(); ++y)
        for (int32_t x = 0; x < surface.width(); ++x)
            if ((surface.pixel(x, y) & platform::PixelMask) != 0) ++lit;
    return lit;
}

void GameFixture::SetUp() {
    resetGameState();
    g_platform = &platform_;
    g_backBuffer = platform_.display().createBackBuffer();
    installTestImages();
    // The four lists, empty, as start-up allocates them.
    g_shots = new Projectile*[MaxShots]();
    g_enemies = new Enemy*[MaxEnemies]();
    g_effects = new Effect*[MaxEffects]();
    g_powerUps = new PowerUp*[MaxPowerUps]();
    seedRandom(1);
}

}  // namespace glintwake::test
