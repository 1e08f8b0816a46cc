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

// What must stay see-through in every frame of a picture: nothing for status pieces
// (solid panels), the corners of sprites (no rectangular block over the stars), the
// middle of overlays (the ship underneath shows) and the lock-on marker's centre (the
// enemy inside stays visible).
enum class Clear { Nothing, Corners, Middle, MarkerCentre };

struct ImageCase {
    const char* file;
    ImageSize size;
    int frames;
    Clear clear;
};

std::ostream& operator<<(std::ostream& os, const ImageCase& c) {
    return os << c.file;
}

const ImageCase Cases[] = {{"playerShip.bmp", test::PlayerShipSize, 2, Clear::Corners},
                           {"charging.bmp", test::ChargingSize, 4, Clear::Corners},
                           {"chargingReady.bmp", test::ChargingReadySize, 2, Clear::Corners},
                           {"teleport.bmp", test::TeleportSize, 4, Clear::Corners},
                           {"normalLaser.bmp", test::LaserSizes[0], 3, Clear::Corners},
                           {"superLaser.bmp", test::LaserSizes[1], 3, Clear::Corners},
                           {"powerLaser.bmp", test::LaserSizes[2], 3, Clear::Corners},
                           {"chargeLaser.bmp", test::LaserSizes[3], 3, Clear::Corners},
                           {"playerMissile.bmp", test::MissileSize, 2, Clear::Corners},
                           {"lockOn.bmp", test::LockOnSize, 1, Clear::MarkerCentre},
                           {"playerShield.bmp", test::ShieldSize, 2, Clear::Middle},
                           {"enemy1.bmp", test::EnemySize, 1, Clear::Corners},
                           {"enemyLaser.bmp", test::EnemyLaserSize, 3, Clear::Corners},
                           {"arcShotDisp.bmp", test::IconSize, 1, Clear::Nothing},
                           {"missileDisp.bmp", test::IconSize, 1, Clear::Nothing},
                           {"eCannonDisp.bmp", test::IconSize, 1, Clear::Nothing},
                           {"statusBarEmptyType2.bmp", test::BarSize, 1, Clear::Nothing},
                           {"healthBarFullType2.bmp", test::BarSize, 1, Clear::Nothing},
                           {"shieldBarFullType2.bmp", test::BarSize, 1, Clear::Nothing},
                           {"powerup.bmp", test::PowerUpSize, 1, Clear::Corners},
                           {"money.bmp", test::MoneySize, 1, Clear::Corners},
                           {"invincible.bmp", test::InvincibleSize, 8, Clear::Middle}};
static_assert(std::size(Cases) == ImageCount, "one case per committed image");

// Share of transparent pixels an overlay needs in the middle third of each frame.
constexpr double OverlayMiddleClearShare = 0.9;

// Share of transparent pixels in a rectangle of the frame starting at row `top`.
double clearShare(const platform::Surface& image, int top, const platform::Rect& r) {
    int clear = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) clear += image.pixel(x, top + y) == 0;
    return double(clear) / (r.width() * r.height());
}

class CommittedImage : public ::testing::TestWithParam<ImageCase> {};

TEST_P(CommittedImage, HasTheFramesTheGameDrawsAndIsClearWhereItMustBe) {
    const ImageCase& c = GetParam();
    const fs::path path = fs::path(GLINTWAKE_SOURCE_DIR) / "Images" / c.file;
    const auto image = platform::loadBitmap(path.string());
    ASSERT_NE(image, nullptr) << path << " is missing or unreadable";
    ASSERT_EQ(image->width(), c.size.width);
    ASSERT_EQ(image->height(), c.size.height);
    ASSERT_EQ(image->height() % c.frames, 0);
    const int w = image->width();
    const int h = image->height() / c.frames;
    for (int top = 0; top < image->height(); top += h) {
        SCOPED_TRACE("frame at row " + std::to_string(top));
        EXPECT_LT(clearShare(*image, top, {0, 0, w, h}), 1.0) << "frame is entirely transparent";
        if (c.clear == Clear::Corners || c.clear == Clear::Middle) {
            for (const auto& [x, y] : {std::pair{0, 0}, {w - 1, 0}, {0, h - 1}, {w - 1, h - 1}})
                EXPECT_EQ(image->pixel(x, top + y), 0u) << "corner " << x << "," << y;
        }
        if (c.clear == Clear::Middle) {
            EXPECT_GE(clearShare(*image, top, {w / 3, h / 3, w - w / 3, h - h / 3}), OverlayMiddleClearShare);
        }
        if (c.clear == Clear::MarkerCentre) {
            EXPECT_EQ(clearShare(*image, top, {w / 4, h / 4, w - w / 4, h - h / 4}), 1.0);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(AllImages, CommittedImage, ::testing::ValuesIn(Cases),
                         [](const ::testing::TestParamInfo<ImageCase>& info) {
                             std::string name = info.param.file;
                             return name.substr(0, name.find('.'));
                         });

}  // namespace
}  // namespace glintwake
