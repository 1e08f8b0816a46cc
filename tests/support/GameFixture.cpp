#include "support/GameFixture.h"

namespace glintwake::test {

namespace {
void installTestImages() {
    int n = 0;
    // Each image one distinct, non-black colour so tests can tell which was drawn.
    const auto makeImage = [&n](ImageSize size) {
        auto* s = new Surface(size.width, size.height);
        ++n;
        s->fill(platform::makePixel(uint8_t(0x10 * (n % 15) + 0x0F), uint8_t(n * 9), 0x40));
        s->setColorKey(0);
        return s;
    };
    g_imgPlayerShip = makeImage(PlayerShipSize);
    g_imgCharging = makeImage(ChargingSize);
    g_imgChargingReady = makeImage(ChargingReadySize);
    g_imgTeleport = makeImage(TeleportSize);
    for (int i = 0; i < 4; ++i) g_imgLasers[i] = makeImage(LaserSizes[i]);
    g_imgPlayerMissile = makeImage(MissileSize);
    g_imgLockOn = makeImage(LockOnSize);
    g_imgPlayerShield = makeImage(ShieldSize);
    g_imgEnemy = makeImage(EnemySize);
    g_imgEnemyLaser = makeImage(EnemyLaserSize);
    for (int i = 0; i < 3; ++i) g_imgWeaponIcons[i] = makeImage(IconSize);
    g_imgStatusBarEmpty = makeImage(BarSize);
    g_imgHealthBarFull = makeImage(BarSize);
    g_imgShieldBarFull = makeImage(BarSize);
    g_imgPowerUp = makeImage(PowerUpSize);
    g_imgMoney = makeImage(MoneySize);
    g_imgInvincible = makeImage(InvincibleSize);
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
    // The four lists, empty, from start-up's own allocator.
    g_shots = makeObjectList<Projectile>(StartupAllocation::Shots, MaxShots);
    g_enemies = makeObjectList<Enemy>(StartupAllocation::Enemies, MaxEnemies);
    g_effects = makeObjectList<Effect>(StartupAllocation::Effects, MaxEffects);
    g_powerUps = makeObjectList<PowerUp>(StartupAllocation::PowerUps, MaxPowerUps);
}

}  // namespace glintwake::test
