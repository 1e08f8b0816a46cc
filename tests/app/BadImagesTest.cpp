// Start-up against broken image folders: every way a picture can fail to load ends
// start-up with the one image failure text, status 0 and nothing left behind.
#include <gtest/gtest.h>
#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <ostream>
#include <string>
#include <vector>

#include "BmpWriter.h"
#include "Canvas.h"
#include "Invariants.h"
#include "app/Game.h"
#include "core/Random.h"
#include "platform/headless/HeadlessPlatform.h"
#include "player/Player.h"
#include "support/Harness.h"
#include "world/FrameUpdate.h"
#include "world/GameState.h"

namespace glintwake {
namespace {

namespace fs = std::filesystem;
namespace key = platform::key;
using Texts = std::vector<std::string>;

constexpr const char* ImageFailure = "Error Loading Images";

// The files in the order start-up loads them.
const char* const LoadOrder[] = {"playerShip.bmp",
                                 "charging.bmp",
                                 "chargingReady.bmp",
                                 "teleport.bmp",
                                 "normalLaser.bmp",
                                 "superLaser.bmp",
                                 "powerLaser.bmp",
                                 "chargeLaser.bmp",
                                 "playerMissile.bmp",
                                 "lockOn.bmp",
                                 "playerShield.bmp",
                                 "enemy1.bmp",
                                 "enemyLaser.bmp",
                                 "arcShotDisp.bmp",
                                 "missileDisp.bmp",
                                 "eCannonDisp.bmp",
                                 "statusBarEmptyType2.bmp",
                                 "healthBarFullType2.bmp",
                                 "shieldBarFullType2.bmp",
                                 "powerup.bmp",
                                 "money.bmp",
                                 "invincible.bmp"};

int loadPosition(const std::string& file) {
    const auto* found = std::find(std::begin(LoadOrder), std::end(LoadOrder), file);
    return static_cast<int>(found - std::begin(LoadOrder));
}

int loadedImages() {
    const Surface* const slots[] = {
        g_imgPlayerShip,     g_imgCharging,       g_imgChargingReady,  g_imgTeleport,
        g_imgLasers[0],      g_imgLasers[1],      g_imgLasers[2],      g_imgLasers[3],
        g_imgPlayerMissile,  g_imgLockOn,         g_imgPlayerShield,   g_imgEnemy,
        g_imgEnemyLaser,     g_imgWeaponIcons[0], g_imgWeaponIcons[1], g_imgWeaponIcons[2],
        g_imgStatusBarEmpty, g_imgHealthBarFull,  g_imgShieldBarFull,  g_imgPowerUp,
        g_imgMoney,          g_imgInvincible};
    return static_cast<int>(std::count_if(std::begin(slots), std::end(slots), [](auto* s) { return s; }));
}

fs::path badBitmapFolder() {
    return test::repositoryRoot() / "tests/platform/bad-bitmaps";
}

std::vector<std::string> badBitmapNames() {
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(badBitmapFolder())) {
        if (entry.path().extension() == ".bmp") names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

// A private copy of the game's folder, removed again at the end of the test.
class TempGameFolder {
public:
    TempGameFolder() {
        static int made = 0;
        root_ = fs::temp_directory_path() /
                ("glintwake-badimages-" + std::to_string(getpid()) + "-" + std::to_string(made++));
        fs::remove_all(root_);
        fs::create_directories(root_);
    }
    ~TempGameFolder() {
        std::error_code ignored;
        fs::remove_all(root_, ignored);
    }
    TempGameFolder(const TempGameFolder&) = delete;
    TempGameFolder& operator=(const TempGameFolder&) = delete;

    void copyImages() const { fs::copy(test::repositoryRoot() / "Images", images()); }
    const fs::path& root() const { return root_; }
    fs::path images() const { return root_ / "Images"; }
    fs::path image(const std::string& file) const { return images() / file; }

private:
    fs::path root_;
};

// Lowers this thread's effective permission-override capabilities while alive, so
// that file modes apply even to root; they are raised again at the end.
class WithoutFileOverrides {
public:
    WithoutFileOverrides() {
        if (!read(saved_)) return;
        __user_cap_data_struct lowered[2] = {saved_[0], saved_[1]};
        lowered[0].effective &= ~(capBit(CAP_DAC_OVERRIDE) | capBit(CAP_DAC_READ_SEARCH));
        active_ = write(lowered);
    }
    ~WithoutFileOverrides() {
        if (active_) write(saved_);
    }
    WithoutFileOverrides(const WithoutFileOverrides&) = delete;
    WithoutFileOverrides& operator=(const WithoutFileOverrides&) = delete;

private:
    static uint32_t capBit(int cap) { return uint32_t{1} << cap; }
    static bool read(__user_cap_data_struct* data) {
        __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
        return syscall(SYS_capget, &header, data) == 0;
    }
    static bool write(__user_cap_data_struct* data) {
        __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
        return syscall(SYS_capset, &header, data) == 0;
    }

    __user_cap_data_struct saved_[2] = {};
    bool active_ = false;
};

bool canOpen(const fs::path& path) {
    return std::ifstream(path, std::ios::binary).is_open();
}

void writeImage(const fs::path& path, int width, int height) {
    imagegen::Canvas canvas(width, height);
    canvas.fillRect(0, 0, width, height, imagegen::Rgb{200, 200, 200});
    ASSERT_TRUE(imagegen::writeBmp(path.string(), canvas)) << path;
}

class BadImagesTest : public ::testing::Test {
protected:
    void SetUp() override { resetGameState(); }
    void TearDown() override { resetGameState(); }

    // Start-up from the folder must stop at the image step having filled exactly
    // the slots before the broken file; then shut-down reports it and releases all.
    void expectImageFailure(const fs::path& folder, int loadedBeforeFailure) {
        {
            platform::HeadlessPlatform platform;
            const test::ScopedWorkingDirectory inFolder(folder);
            EXPECT_FALSE(initialize(platform));
            EXPECT_STREQ(g_errorMessage, ImageFailure);
            EXPECT_EQ(loadedImages(), loadedBeforeFailure);
            const Texts& log = platform.headlessDisplay().log();
            EXPECT_EQ(std::ranges::find(log, "input"), log.end()) << "keyboard opened after the failure";
            shutdown();
            EXPECT_EQ(loadedImages(), 0);
            EXPECT_TRUE(platform.headlessDisplay().open().empty());
            EXPECT_EQ(platform.recordingMessageBox().texts(), Texts{ImageFailure});
        }
        // The whole program from the same folder: status 0, the box captioned, no frame.
        platform::HeadlessPlatform platform;
        const test::ScopedWorkingDirectory inFolder(folder);
        EXPECT_EQ(runGame(platform), 0);
        EXPECT_EQ(platform.recordingMessageBox().texts(), Texts{ImageFailure});
        EXPECT_EQ(platform.recordingMessageBox().lastCaption(), "Glintwake");
        EXPECT_EQ(platform.headlessDisplay().presentCount(), 0);
        EXPECT_TRUE(platform.headlessDisplay().open().empty());
        EXPECT_EQ(platform.recordingText().liveFonts(), 0);
        EXPECT_EQ(loadedImages(), 0);
        EXPECT_EQ(g_player, nullptr);
    }
};

struct BadFileCase {
    std::string badFile;
    std::string replaces;
    friend std::ostream& operator<<(std::ostream& os, const BadFileCase& c) {
        return os << c.badFile << " as " << c.replaces;
    }
};

std::vector<BadFileCase> badFileCases() {
    std::vector<BadFileCase> cases;
    for (const std::string& bad : badBitmapNames()) {
        for (const char* replaced : {"playerShip.bmp", "enemy1.bmp", "invincible.bmp"})
            cases.push_back({bad, replaced});
    }
    return cases;
}

class BadFileTest : public BadImagesTest, public ::testing::WithParamInterface<BadFileCase> {};

TEST_P(BadFileTest, StopsStartUpWithTheImageFailure) {
    const BadFileCase& c = GetParam();
    TempGameFolder folder;
    folder.copyImages();
    fs::copy_file(badBitmapFolder() / c.badFile, folder.image(c.replaces),
                  fs::copy_options::overwrite_existing);
    expectImageFailure(folder.root(), loadPosition(c.replaces));
}

INSTANTIATE_TEST_SUITE_P(EachBadBitmap, BadFileTest, ::testing::ValuesIn(badFileCases()));

TEST(BadBitmapFolder, HoldsTheHandMadeFiles) {
    // An empty folder would make the table above pass without testing anything.
    EXPECT_GE(badBitmapNames().size(), 20u);
}

// Ways the file system itself gets in the way.
struct FolderCase {
    const char* name;
    std::function<void(const TempGameFolder&)> prepare;
    int loadedBeforeFailure;
    friend std::ostream& operator<<(std::ostream& os, const FolderCase& c) { return os << c.name; }
};

class BrokenFolderTest : public BadImagesTest, public ::testing::WithParamInterface<FolderCase> {};

TEST_P(BrokenFolderTest, StopsStartUpWithTheImageFailure) {
    TempGameFolder folder;
    GetParam().prepare(folder);
    expectImageFailure(folder.root(), GetParam().loadedBeforeFailure);
}

constexpr uintmax_t LargerThanAnyImage = uintmax_t{1} << 28;

const FolderCase FolderCases[] = {
    {"no Images folder", [](const TempGameFolder&) {}, 0},
    {"Images is a file", [](const TempGameFolder& f) { std::ofstream(f.images()) << "not a folder"; }, 0},
    {"image is a folder",
     [](const TempGameFolder& f) {
         f.copyImages();
         fs::remove(f.image("playerShip.bmp"));
         fs::create_directory(f.image("playerShip.bmp"));
     },
     0},
    {"image is an empty file",
     [](const TempGameFolder& f) {
         f.copyImages();
         std::ofstream(f.image("invincible.bmp"), std::ios::trunc);
     },
     21},
    {"image is a dangling link",
     [](const TempGameFolder& f) {
         f.copyImages();
         fs::remove(f.image("teleport.bmp"));
         fs::create_symlink(f.root() / "nowhere.bmp", f.image("teleport.bmp"));
     },
     3},
    {"image cut in half",
     [](const TempGameFolder& f) {
         f.copyImages();
         fs::resize_file(f.image("charging.bmp"), fs::file_size(f.image("charging.bmp")) / 2);
     },
     1},
    {"image far too large",
     [](const TempGameFolder& f) {
         f.copyImages();
         // Sparse: costs no disk, and the loader must refuse it before reading it.
         fs::resize_file(f.image("money.bmp"), LargerThanAnyImage);
     },
     20},
};

INSTANTIATE_TEST_SUITE_P(EachWay, BrokenFolderTest, ::testing::ValuesIn(FolderCases));

TEST_F(BadImagesTest, UnreadableImageStopsStartUp) {
    TempGameFolder folder;
    folder.copyImages();
    const fs::path shield = folder.image("playerShield.bmp");
    fs::permissions(shield, fs::perms::none);
    // Root reads any file unless the override capabilities are lowered first.
    const WithoutFileOverrides asPlainUser;
    if (canOpen(shield)) GTEST_SKIP() << "cannot make a file unreadable for this user";
    expectImageFailure(folder.root(), loadPosition("playerShield.bmp"));
}

// Pictures that load but break the sizes the drawing expects must still play
// without touching memory outside any surface.
struct OddSizeCase {
    const char* name;
    int width;
    int height;
    friend std::ostream& operator<<(std::ostream& os, const OddSizeCase& c) { return os << c.name; }
};

class OddSizedImagesTest : public BadImagesTest, public ::testing::WithParamInterface<OddSizeCase> {};

TEST_P(OddSizedImagesTest, PlayWithoutFaults) {
    constexpr int Frames = 400;
    constexpr int PaddedPitch = ScreenWidth * 4 + 32;
    const OddSizeCase& c = GetParam();
    TempGameFolder folder;
    fs::create_directory(folder.images());
    for (const char* file : LoadOrder) writeImage(folder.image(file), c.width, c.height);

    platform::HeadlessPlatform platform;
    platform.headlessDisplay().setBackBufferPitch(PaddedPitch);
    seedRandom(5);
    {
        const test::ScopedWorkingDirectory inFolder(folder.root());
        ASSERT_TRUE(initialize(platform));
    }
    // Every weapon and the shield held, with the ship steered back and forth.
    const uint8_t held[] = {key::Space, key::LeftAlt, key::Z, key::X, key::LeftShift, key::RightControl};
    for (int frame = 0; frame < Frames && !HasFailure(); ++frame) {
        platform::HeadlessKeyboard& keyboard = platform.headlessKeyboard();
        keyboard.releaseAll();
        for (uint8_t code : held) keyboard.setKey(code, frame % 3 != 0);
        keyboard.setKey((frame / 40) % 2 ? key::Left : key::Right, true);
        keyboard.setKey(key::RightAlt, frame % 97 == 0);
        platform.keyboard().read(g_keys);
        updateFrame(test::StandardDt);
        if (g_player->getHealth() == 0) g_player->setHealth(MaxHealth);
        EXPECT_EQ(checkWorldInvariants(), "") << "frame " << frame;
        EXPECT_TRUE(backBufferPaddingClean()) << "frame " << frame;
    }
    EXPECT_EQ(platform.headlessDisplay().presentCount(), Frames);
    shutdown();
}

INSTANTIATE_TEST_SUITE_P(EachSize, OddSizedImagesTest,
                         ::testing::Values(OddSizeCase{"one pixel", 1, 1}, OddSizeCase{"one row", 50, 1},
                                           OddSizeCase{"one column", 1, 50},
                                           OddSizeCase{"larger than the screen", 700, 500}));

}  // namespace
}  // namespace glintwake
