#include "app/ImageTable.h"

#include <filesystem>
#include <system_error>

#include "world/GameState.h"

namespace glintwake {

namespace {

struct ImageEntry {
    const char* path;
    Surface** slot;
};

// Load order, which is also the order of the failure check.
const ImageEntry LoadOrder[ImageCount] = {
    {"Images/playerShip.bmp", &g_imgPlayerShip},
    {"Images/charging.bmp", &g_imgCharging},
    {"Images/chargingReady.bmp", &g_imgChargingReady},
    {"Images/teleport.bmp", &g_imgTeleport},
    {"Images/normalLaser.bmp", &g_imgLasers[0]},
    {"Images/superLaser.bmp", &g_imgLasers[1]},
    {"Images/powerLaser.bmp", &g_imgLasers[2]},
    {"Images/chargeLaser.bmp", &g_imgLasers[3]},
    {"Images/playerMissile.bmp", &g_imgPlayerMissile},
    {"Images/lockOn.bmp", &g_imgLockOn},
    {"Images/playerShield.bmp", &g_imgPlayerShield},
    {"Images/enemy1.bmp", &g_imgEnemy},
    {"Images/enemyLaser.bmp", &g_imgEnemyLaser},
    {"Images/arcShotDisp.bmp", &g_imgWeaponIcons[0]},
    {"Images/missileDisp.bmp", &g_imgWeaponIcons[1]},
    {"Images/eCannonDisp.bmp", &g_imgWeaponIcons[2]},
    {"Images/statusBarEmptyType2.bmp", &g_imgStatusBarEmpty},
    {"Images/healthBarFullType2.bmp", &g_imgHealthBarFull},
    {"Images/shieldBarFullType2.bmp", &g_imgShieldBarFull},
    {"Images/powerup.bmp", &g_imgPowerUp},
    {"Images/money.bmp", &g_imgMoney},
    {"Images/invincible.bmp", &g_imgInvincible},
};

// Release order at shut-down.
Surface** const ReleaseOrder[ImageCount] = {
    &g_imgPlayerShip,   &g_imgCharging,       &g_imgChargingReady,  &g_imgTeleport,       &g_imgLasers[0],
    &g_imgLasers[1],    &g_imgLasers[2],      &g_imgLasers[3],      &g_imgEnemy,          &g_imgEnemyLaser,
    &g_imgPlayerShield, &g_imgWeaponIcons[0], &g_imgWeaponIcons[1], &g_imgWeaponIcons[2], &g_imgPlayerMissile,
    &g_imgLockOn,       &g_imgStatusBarEmpty, &g_imgHealthBarFull,  &g_imgShieldBarFull,  &g_imgPowerUp,
    &g_imgMoney,        &g_imgInvincible,
};

constexpr platform::Pixel TransparentBlack = 0;

std::string installedDataFolder;

// The working directory's file when it has one, else the installed copy.
std::string locate(const char* relativePath) {
    std::error_code error;
    if (installedDataFolder.empty() || std::filesystem::exists(relativePath, error)) return relativePath;
    return (std::filesystem::path(installedDataFolder) / relativePath).string();
}

bool failLoading() {
    g_errorMessage = "Error Loading Images";
    return false;
}

}  // namespace

platform::Surface* loadImage(const char* path, size_t maxPixelBytes) {
    return platform::loadBitmap(path, maxPixelBytes).release();
}

void setInstalledDataFolder(const std::string& folder) {
    installedDataFolder = folder;
}

bool loadImages() {
    size_t used = 0;
    for (const ImageEntry& entry : LoadOrder) {
        Surface* image = loadImage(locate(entry.path).c_str(), ImageMemoryBudget - used);
        if (image == nullptr) return failLoading();
        used += platform::bitmapPixelBytes(image->width(), image->height());
        image->setColorKey(TransparentBlack);
        *entry.slot = image;
    }
    return true;
}

int loadedImageCount() {
    int loaded = 0;
    for (Surface** slot : ReleaseOrder) loaded += *slot != nullptr ? 1 : 0;
    return loaded;
}

void releaseImages() {
    for (Surface** slot : ReleaseOrder) {
        delete *slot;
        *slot = nullptr;
    }
}

}  // namespace glintwake
