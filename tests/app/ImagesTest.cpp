#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "BmpWriter.h"
#include "Images.h"
#include "PngWriter.h"
#include "app/ImageTable.h"
#include "platform/Bitmap.h"
#include "replay/Harness.h"
#include "support/GameFixture.h"
#include "world/GameState.h"

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

// Which folder each image comes from: the working directory's Images/ first,
// image by image, then the installed data folder.
struct LookupCase {
    const char* name;
    bool workingImages;      // a full Images/ in the working directory
    bool installedImages;    // a full Images/ in the installed data folder
    bool shipOnlyInWorking;  // the working directory holds just a one-pixel ship
    bool loads;
    int shipWidth;
};

TEST(ImageLookup, WorkingDirectoryFirstThenTheInstalledDataFolder) {
    const fs::path root = fs::temp_directory_path() / ("glintwake-lookup-" + std::to_string(getpid()));
    const fs::path source = play::repositoryRoot() / "Images";
    const LookupCase cases[] = {
        {"working directory only", true, false, false, true, test::PlayerShipSize.width},
        {"installed only", false, true, false, true, test::PlayerShipSize.width},
        {"working ship over installed", false, true, true, true, 1},
        {"partial working, none installed", false, false, true, false, 0},
        {"neither", false, false, false, false, 0},
    };
    for (const LookupCase& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove_all(root);
        fs::create_directories(root / "work" / "Images");
        if (c.workingImages) fs::copy(source, root / "work" / "Images");
        fs::create_directories(root / "data");
        if (c.installedImages) fs::copy(source, root / "data" / "Images", fs::copy_options::recursive);
        if (c.shipOnlyInWorking)
            imagegen::writeBmp((root / "work/Images/playerShip.bmp").string(), imagegen::Canvas(1, 1));
        resetGameState();
        setInstalledDataFolder((root / "data").string());
        {
            const play::ScopedWorkingDirectory inWork(root / "work");
            EXPECT_EQ(loadImages(), c.loads);
        }
        EXPECT_EQ(loadedImageCount(), c.loads ? ImageCount : (c.shipOnlyInWorking ? 1 : 0));
        if (c.loads) {
            EXPECT_EQ(g_imgPlayerShip->width(), c.shipWidth);
        }
    }
    setInstalledDataFolder("");
    resetGameState();
    fs::remove_all(root);
}

std::vector<uint8_t> fileBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The committed icons are what the generator draws now, and the icon is the ship
// on a see-through square.
TEST(Icon, CommittedFilesMatchTheDrawnShip) {
    const imagegen::Canvas icon = imagegen::drawIcon();
    ASSERT_EQ(icon.width(), imagegen::IconSize);
    ASSERT_EQ(icon.height(), imagegen::IconSize);
    const fs::path data = play::repositoryRoot() / "data";
    EXPECT_EQ(fileBytes(data / "glintwake.png"), imagegen::encodePng(icon)) << "run make images";
    EXPECT_EQ(fileBytes(data / "glintwake.bmp"), imagegen::encodeBmp(icon)) << "run make images";
    int opaque = 0;
    for (int y = 0; y < icon.height(); ++y)
        for (int x = 0; x < icon.width(); ++x) opaque += icon.isOpaque(x, y) ? 1 : 0;
    EXPECT_FALSE(icon.isOpaque(0, 0) || icon.isOpaque(imagegen::IconSize - 1, imagegen::IconSize - 1));
    EXPECT_GT(opaque, imagegen::IconSize * imagegen::IconSize / 5);  // a ship, not a speck
}

// Published check values of both sums, and a stored pixel row read back.
TEST(Png, ChecksumsAndStoredPixels) {
    const std::string iend = "IEND", wiki = "Wikipedia";
    EXPECT_EQ(imagegen::pngCrc32(reinterpret_cast<const uint8_t*>(iend.data()), iend.size()), 0xAE426082u);
    EXPECT_EQ(imagegen::adler32(std::vector<uint8_t>(wiki.begin(), wiki.end())), 0x11E60398u);
    imagegen::Canvas canvas(3, 2);
    canvas.plot(2, 1, imagegen::Rgb{10, 20, 30});
    const std::vector<uint8_t> png = imagegen::encodePng(canvas);
    // Signature, IHDR and IDAT's length, type, zlib and block headers come first;
    // row 0 is all transparent, row 1 ends in the one opaque pixel.
    constexpr long SecondRow = 8 + 25 + 8 + 2 + 5 + 13;
    EXPECT_EQ(std::vector<uint8_t>(png.begin() + SecondRow, png.begin() + SecondRow + 13),
              (std::vector<uint8_t>{0, 0, 0, 0, 0, 0, 0, 0, 0, 10, 20, 30, 255}));
}

}  // namespace
}  // namespace glintwake
