#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "BmpWriter.h"
#include "Canvas.h"
#include "Images.h"
#include "platform/Bitmap.h"
#include "support/GameFixture.h"

namespace glintwake {
namespace {

namespace fs = std::filesystem;
using platform::Pixel;
using test::ImageSize;

// What must stay see-through in every frame of a picture.
enum class Clear {
    Nothing,      // status pieces: drawn as solid panels
    Corners,      // sprites: no rectangular block over the stars
    Middle,       // overlays: the ship underneath must show through
    MarkerCentre  // lock-on: the enemy inside the marker must stay visible
};

struct ImageCase {
    const char* file;
    ImageSize size;
    int frames;
    Clear clear;
};

std::ostream& operator<<(std::ostream& os, const ImageCase& c) {
    return os << c.file;
}

const ImageCase Cases[] = {
    {"playerShip.bmp", test::PlayerShipSize, 2, Clear::Corners},
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
    {"invincible.bmp", test::InvincibleSize, 8, Clear::Middle},
};

// Share of transparent pixels an overlay needs in the middle third of each frame.
constexpr double OverlayMiddleClearShare = 0.9;

struct Area {
    int left, top, right, bottom;  // right and bottom exclusive
};

int countTransparent(const platform::Surface& image, int frameTop, const Area& a) {
    int clear = 0;
    for (int y = a.top; y < a.bottom; ++y)
        for (int x = a.left; x < a.right; ++x) clear += image.pixel(x, frameTop + y) == 0 ? 1 : 0;
    return clear;
}

class CommittedImage : public ::testing::TestWithParam<ImageCase> {};

TEST_P(CommittedImage, LoadsAtTheSizeTheGameDrawsWith) {
    const ImageCase& c = GetParam();
    const fs::path path = fs::path(GLINTWAKE_SOURCE_DIR) / "Images" / c.file;
    ASSERT_TRUE(fs::exists(path)) << path;
    const auto image = platform::loadBitmap(path.string());
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->width(), c.size.width);
    EXPECT_EQ(image->height(), c.size.height);
    EXPECT_EQ(image->height() % c.frames, 0);
}

TEST_P(CommittedImage, EveryFrameShowsSomethingAndIsClearWhereItMustBe) {
    const ImageCase& c = GetParam();
    const auto image = platform::loadBitmap((fs::path(GLINTWAKE_SOURCE_DIR) / "Images" / c.file).string());
    ASSERT_NE(image, nullptr);
    const int w = image->width();
    const int h = image->height() / c.frames;
    for (int f = 0; f < c.frames; ++f) {
        SCOPED_TRACE("frame " + std::to_string(f));
        const int top = f * h;
        const Area whole{0, 0, w, h};
        EXPECT_LT(countTransparent(*image, top, whole), w * h) << "frame is entirely transparent";

        if (c.clear == Clear::Corners || c.clear == Clear::Middle) {
            for (const Area corner :
                 {Area{0, 0, 1, 1}, Area{w - 1, 0, w, 1}, Area{0, h - 1, 1, h}, Area{w - 1, h - 1, w, h}})
                EXPECT_EQ(countTransparent(*image, top, corner), 1)
                    << "corner " << corner.left << "," << corner.top;
        }
        if (c.clear == Clear::Middle) {
            const Area middle{w / 3, h / 3, w - w / 3, h - h / 3};
            const int area = (middle.right - middle.left) * (middle.bottom - middle.top);
            EXPECT_GE(countTransparent(*image, top, middle), OverlayMiddleClearShare * area);
        }
        if (c.clear == Clear::MarkerCentre) {
            const Area centre{w / 4, h / 4, w - w / 4, h - h / 4};
            EXPECT_EQ(countTransparent(*image, top, centre),
                      (centre.right - centre.left) * (centre.bottom - centre.top));
        }
    }
}

INSTANTIATE_TEST_SUITE_P(AllImages, CommittedImage, ::testing::ValuesIn(Cases),
                         [](const ::testing::TestParamInfo<ImageCase>& info) {
                             std::string name = info.param.file;
                             return name.substr(0, name.find('.'));
                         });

// The generator's writer against the game's loader; widths 1 to 4 need 3, 2, 1 and 0 bytes
// of row padding.
class GeneratedBitmap : public ::testing::TestWithParam<int> {};

TEST_P(GeneratedBitmap, RoundTripsThroughTheLoader) {
    const int width = GetParam();
    constexpr int Height = 3;
    imagegen::Canvas canvas(width, Height);
    auto colourAt = [](int x, int y) {
        return imagegen::Rgb{static_cast<uint8_t>(40 * x + 7), static_cast<uint8_t>(90 * y + 3),
                             static_cast<uint8_t>(200 - 30 * x)};
    };
    for (int y = 0; y < Height; ++y)
        for (int x = 0; x < width; ++x) canvas.plot(x, y, colourAt(x, y));
    canvas.erase(0, Height - 1);                       // stays transparent
    canvas.plot(width - 1, 0, imagegen::Transparent);  // black ink must still show

    const fs::path path = fs::path(::testing::TempDir()) / ("imagegen-" + std::to_string(width) + ".bmp");
    ASSERT_TRUE(imagegen::writeBmp(path.string(), canvas));
    EXPECT_EQ(fs::file_size(path), imagegen::BmpFileHeaderSize + imagegen::BmpInfoHeaderSize +
                                       static_cast<uintmax_t>((width * 3 + 3) / 4 * 4 * Height));
    const auto image = platform::loadBitmap(path.string());
    fs::remove(path);
    ASSERT_NE(image, nullptr);
    ASSERT_EQ(image->width(), width);
    ASSERT_EQ(image->height(), Height);

    for (int y = 0; y < Height; ++y) {
        for (int x = 0; x < width; ++x) {
            Pixel expected;
            if (x == 0 && y == Height - 1) {
                expected = 0;
            } else if (x == width - 1 && y == 0) {
                expected = platform::makePixel(1, 1, 1);
            } else {
                const imagegen::Rgb c = colourAt(x, y);
                expected = platform::makePixel(c.r, c.g, c.b);
            }
            EXPECT_EQ(image->pixel(x, y), expected) << "at " << x << "," << y;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Widths, GeneratedBitmap, ::testing::Values(1, 2, 3, 4, 5));

// The generator's own list must match the game's: same files, same order, same frame counts.
TEST(ImageGenerator, ListsEveryImageInLoadOrder) {
    const std::vector<imagegen::ImageDef>& images = imagegen::allImages();
    ASSERT_EQ(images.size(), std::size(Cases));
    for (size_t i = 0; i < images.size(); ++i) {
        EXPECT_STREQ(images[i].fileName, Cases[i].file);
        EXPECT_EQ(images[i].frameCount, Cases[i].frames) << Cases[i].file;
    }
}

// A stale committed file means someone changed a drawing without regenerating Images/.
TEST(ImageGenerator, CommittedFilesAreWhatItDrawsNow) {
    for (const imagegen::ImageDef& def : imagegen::allImages()) {
        std::ifstream file(fs::path(GLINTWAKE_SOURCE_DIR) / "Images" / def.fileName, std::ios::binary);
        ASSERT_TRUE(file) << def.fileName;
        const std::vector<uint8_t> committed{std::istreambuf_iterator<char>(file), {}};
        EXPECT_TRUE(committed == imagegen::encodeBmp(def.draw()))
            << def.fileName << " is out of date: run the image generator";
    }
}

using imagegen::Canvas;
using imagegen::Rgb;

constexpr Rgb Grey{100, 100, 100};

int countOpaque(const Canvas& c) {
    int n = 0;
    for (int y = 0; y < c.height(); ++y)
        for (int x = 0; x < c.width(); ++x) n += c.isOpaque(x, y) ? 1 : 0;
    return n;
}

TEST(ImageCanvas, BlackInkStaysVisibleAndOnlyEraseMakesTransparent) {
    Canvas c(3, 3);
    c.plot(1, 1, imagegen::Transparent);
    EXPECT_EQ(c.get(1, 1), (Rgb{1, 1, 1}));
    c.blend(0, 0, {0, 0, 0}, 1.0);
    EXPECT_TRUE(c.isOpaque(0, 0));
    c.erase(1, 1);
    EXPECT_FALSE(c.isOpaque(1, 1));
}

TEST(ImageCanvas, OutsideWritesAreIgnoredAndReadAsTransparent) {
    Canvas c(2, 2);
    for (const auto& [x, y] : {std::pair{-1, 0}, {0, -1}, {2, 0}, {0, 2}}) {
        c.plot(x, y, Grey);
        c.addLight(x, y, Grey, 1.0);
        EXPECT_EQ(c.get(x, y), imagegen::Transparent);
    }
    EXPECT_EQ(countOpaque(c), 0);
}

TEST(ImageCanvas, FaintLightLeavesEmptyPixelsClearButBrightensOpaqueOnes) {
    Canvas c(2, 1);
    c.plot(1, 0, {250, 20, 20});
    c.addLight(0, 0, {255, 255, 255}, 0.02);
    c.addLight(1, 0, {255, 255, 255}, 0.02);
    EXPECT_FALSE(c.isOpaque(0, 0));
    EXPECT_EQ(c.get(1, 0), (Rgb{255, 25, 25}));  // 250 + 5 clamps at 255
}

TEST(ImageCanvas, PolygonFillsPixelsWhoseCentresAreInside) {
    Canvas c(6, 5);
    c.fillPolygon({{1, 1}, {4, 1}, {4, 3}, {1, 3}}, [](double, double) { return Grey; });
    EXPECT_EQ(countOpaque(c), 6);
    for (int y = 1; y < 3; ++y)
        for (int x = 1; x < 4; ++x) EXPECT_TRUE(c.isOpaque(x, y)) << x << "," << y;
}

TEST(ImageCanvas, OutlineDarkensOnlyTheRim) {
    Canvas c(5, 5);
    c.fillRect(1, 1, 3, 3, Grey);
    c.outline(0.5);
    EXPECT_EQ(c.get(2, 2), Grey);
    EXPECT_EQ(c.get(1, 1), (Rgb{50, 50, 50}));
    EXPECT_EQ(c.get(2, 1), (Rgb{50, 50, 50}));
    EXPECT_EQ(countOpaque(c), 9);
}

TEST(ImageCanvas, StackPutsFramesTopToBottomAndRefusesMixedSizes) {
    Canvas first(2, 3);
    Canvas second(2, 3);
    first.plot(0, 0, {10, 0, 0});
    second.plot(1, 2, {0, 20, 0});
    const Canvas strip = Canvas::stack({first, second});
    ASSERT_EQ(strip.height(), 6);
    EXPECT_EQ(strip.get(0, 0), (Rgb{10, 0, 0}));
    EXPECT_EQ(strip.get(1, 5), (Rgb{0, 20, 0}));
    EXPECT_EQ(countOpaque(strip), 2);
    EXPECT_THROW(Canvas::stack({first, Canvas(2, 4)}), std::invalid_argument);
}

}  // namespace
}  // namespace glintwake
