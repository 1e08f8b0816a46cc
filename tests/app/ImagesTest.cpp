#include <gtest/gtest.h>

#include <filesystem>
#include <iterator>
#include <ostream>
#include <string>
#include <utility>

#include "app/ImageTable.h"
#include "platform/Bitmap.h"
#include "support/GameFixture.h"

namespace glintwake {
namespace {

namespace fs = std::filesystem;
using test::ImageSize;

struct ImageCase {
    const char* file;
    ImageSize size;
    int frames;
    // Sprites and overlays are see-through at every frame's corners, so no rectangular
    // block covers the stars; status pieces and the lock-on marker fill theirs.
    bool clearCorners;
};

std::ostream& operator<<(std::ostream& os, const ImageCase& c) {
    return os << c.file;
}

const ImageCase Cases[] = {{"playerShip.bmp", test::PlayerShipSize, 2, true},
                           {"charging.bmp", test::ChargingSize, 4, true},
                           {"chargingReady.bmp", test::ChargingReadySize, 2, true},
                           {"teleport.bmp", test::TeleportSize, 4, true},
                           {"normalLaser.bmp", test::LaserSizes[0], 3, true},
                           {"superLaser.bmp", test::LaserSizes[1], 3, true},
                           {"powerLaser.bmp", test::LaserSizes[2], 3, true},
                           {"chargeLaser.bmp", test::LaserSizes[3], 3, true},
                           {"playerMissile.bmp", test::MissileSize, 2, true},
                           {"lockOn.bmp", test::LockOnSize, 1, false},
                           {"playerShield.bmp", test::ShieldSize, 2, true},
                           {"enemy1.bmp", test::EnemySize, 1, true},
                           {"enemyLaser.bmp", test::EnemyLaserSize, 3, true},
                           {"arcShotDisp.bmp", test::IconSize, 1, false},
                           {"missileDisp.bmp", test::IconSize, 1, false},
                           {"eCannonDisp.bmp", test::IconSize, 1, false},
                           {"statusBarEmptyType2.bmp", test::BarSize, 1, false},
                           {"healthBarFullType2.bmp", test::BarSize, 1, false},
                           {"shieldBarFullType2.bmp", test::BarSize, 1, false},
                           {"powerup.bmp", test::PowerUpSize, 1, true},
                           {"money.bmp", test::MoneySize, 1, true},
                           {"invincible.bmp", test::InvincibleSize, 8, true}};
static_assert(std::size(Cases) == ImageCount, "one case per committed image");

class CommittedImage : public ::testing::TestWithParam<ImageCase> {};

TEST_P(CommittedImage, HasTheSizeAndFramesTheGameDrawsWithClearCorners) {
    const ImageCase& c = GetParam();
    const auto image = platform::loadBitmap((fs::path(GLINTWAKE_SOURCE_DIR) / "Images" / c.file).string());
    ASSERT_NE(image, nullptr) << c.file << " is missing or unreadable";
    ASSERT_EQ(image->width(), c.size.width);
    ASSERT_EQ(image->height(), c.size.height);
    const int w = c.size.width, h = c.size.height / c.frames;
    for (int top = 0; c.clearCorners && top < c.size.height; top += h)
        for (const auto& [x, y] : {std::pair{0, 0}, {w - 1, 0}, {0, h - 1}, {w - 1, h - 1}})
            EXPECT_EQ(image->pixel(x, top + y), 0u) << "frame at row " << top << ", corner " << x << "," << y;
}

INSTANTIATE_TEST_SUITE_P(AllImages, CommittedImage, ::testing::ValuesIn(Cases),
                         [](const ::testing::TestParamInfo<ImageCase>& info) {
                             std::string name = info.param.file;
                             return name.substr(0, name.find('.'));
                         });

}  // namespace
}  // namespace glintwake
