#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "BmpWriter.h"
#include "Images.h"
#include "PngWriter.h"
#include "app/GameReset.h"
#include "app/ImageTable.h"
#include "platform/Bitmap.h"
#include "replay/Harness.h"
#include "support/GameFixture.h"
#include "world/GameState.h"

namespace glintwake {
namespace {

namespace fs = std::filesystem;
using test::ImageSize;

std::vector<uint8_t> fileBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The sizes the game's tests draw the images at, in load order.
const ImageSize Sizes[] = {
    test::PlayerShipSize, test::ChargingSize,  test::ChargingReadySize, test::TeleportSize,
    test::LaserSizes[0],  test::LaserSizes[1], test::LaserSizes[2],     test::LaserSizes[3],
    test::MissileSize,    test::LockOnSize,    test::ShieldSize,        test::EnemySize,
    test::EnemyLaserSize, test::IconSize,      test::IconSize,          test::IconSize,
    test::BarSize,        test::BarSize,       test::BarSize,           test::PowerUpSize,
    test::MoneySize,      test::InvincibleSize};
static_assert(std::size(Sizes) == ImageCount, "one size per committed image");
// Sprites and overlays are see-through at every frame's corners, so no rectangular
// block covers the stars; status pieces and the lock-on marker fill theirs.
const std::set<std::string> FilledCorners = {"lockOn.bmp",
                                             "arcShotDisp.bmp",
                                             "missileDisp.bmp",
                                             "eCannonDisp.bmp",
                                             "statusBarEmptyType2.bmp",
                                             "healthBarFullType2.bmp",
                                             "shieldBarFullType2.bmp"};

// A stale committed file means a drawing changed without regenerating Images/.
TEST(CommittedImages, AreWhatTheGeneratorDrawsAtTheirSizesWithClearCorners) {
    const std::vector<imagegen::ImageDef>& defs = imagegen::allImages();
    ASSERT_EQ(defs.size(), std::size(Sizes));
    for (size_t i = 0; i < defs.size(); ++i) {
        SCOPED_TRACE(defs[i].fileName);
        const fs::path file = play::repositoryRoot() / "Images" / defs[i].fileName;
        EXPECT_TRUE(fileBytes(file) == imagegen::encodeBmp(defs[i].draw())) << "run make images";
        const auto image = platform::loadBitmap(file.string());
        ASSERT_NE(image, nullptr);
        ASSERT_EQ(std::pair(image->width(), image->height()), std::pair(Sizes[i].width, Sizes[i].height));
        const int w = Sizes[i].width, h = Sizes[i].height / defs[i].frameCount;
        const bool clearCorners = !FilledCorners.contains(defs[i].fileName);
        for (int top = 0; clearCorners && top < h * defs[i].frameCount; top += h)
            for (const auto& [x, y] : {std::pair{0, 0}, {w - 1, 0}, {0, h - 1}, {w - 1, h - 1}})
                EXPECT_EQ(image->pixel(x, top + y), 0u)
                    << "frame at row " << top << ", corner " << x << "," << y;
    }
}

// Each image comes from the working directory's Images/ if it is there, else the installed data folder.
TEST(ImageLookup, WorkingDirectoryFirstThenTheInstalledDataFolder) {
    // A one-pixel ship in the working Images/; a full Images/ installed or none; the images loaded.
    using Case = std::tuple<const char*, bool, int>;
    const fs::path root = fs::temp_directory_path() / ("glintwake-lookup-" + std::to_string(getpid()));
    for (const auto& [name, installedImages, loaded] : {Case{"working ship over installed", true, ImageCount},
                                                        Case{"partial working, none installed", false, 1}}) {
        SCOPED_TRACE(name);
        fs::remove_all(root);
        fs::create_directories(root / "work" / "Images");
        fs::create_directories(root / "data");
        if (installedImages) fs::copy(play::repositoryRoot() / "Images", root / "data" / "Images");
        imagegen::writeBmp((root / "work/Images/playerShip.bmp").string(), imagegen::Canvas(1, 1));
        resetGameState();
        setInstalledDataFolder((root / "data").string());
        {
            const play::ScopedWorkingDirectory inWork(root / "work");
            EXPECT_EQ(loadImages(), loaded == ImageCount);
        }
        EXPECT_EQ(loadedImageCount(), loaded);
        EXPECT_EQ(g_imgPlayerShip ? g_imgPlayerShip->width() : 0, 1);
    }
    setInstalledDataFolder("");
    resetGameState();
    fs::remove_all(root);
}

// The committed icons are what the generator draws now: the ship on a see-through square.
TEST(CommittedImages, IconIsTheDrawnShip) {
    const imagegen::Canvas icon = imagegen::drawIcon();
    const fs::path data = play::repositoryRoot() / "data";
    EXPECT_EQ(fileBytes(data / "glintwake.png"), imagegen::encodePng(icon)) << "run make images";
    EXPECT_EQ(fileBytes(data / "glintwake.bmp"), imagegen::encodeBmp(icon)) << "run make images";
    ASSERT_EQ(std::pair(icon.width(), icon.height()), std::pair(imagegen::IconSize, imagegen::IconSize));
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
