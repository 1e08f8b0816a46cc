// The game started from broken image folders: every way a picture can fail to load
// ends the program with the one image failure text, status 0 and nothing left behind.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <ostream>
#include <string>
#include <vector>

#include "app/Game.h"
#include "app/ImageTable.h"
#include "platform/headless/HeadlessPlatform.h"
#include "support/Harness.h"
#include "world/GameState.h"

namespace glintwake {
namespace {

namespace fs = std::filesystem;
using Texts = std::vector<std::string>;

const fs::path BadBitmaps = test::repositoryRoot() / "tests/platform/bad-bitmaps";

// Copies the committed images into `images`, leaving out `file`; returns its path.
fs::path imagesWithout(const fs::path& images, const char* file) {
    fs::copy(test::repositoryRoot() / "Images", images);
    fs::remove(images / file);
    return images / file;
}

struct FolderCase {
    std::string name;
    std::function<void(const fs::path& images)> prepare;
    friend std::ostream& operator<<(std::ostream& os, const FolderCase& c) { return os << c.name; }
};

constexpr uintmax_t LargerThanAnyImage = uintmax_t{1} << 28;

std::vector<FolderCase> folderCases() {
    std::vector<FolderCase> cases = {
        {"no Images folder", [](const fs::path&) {}},
        {"image is a folder",
         [](const fs::path& i) { fs::create_directory(imagesWithout(i, "teleport.bmp")); }},
        {"image is an empty file", [](const fs::path& i) { std::ofstream{imagesWithout(i, "money.bmp")}; }},
        // Sparse, so it costs no disk: the loader must refuse it before reading it.
        {"image far too large",
         [](const fs::path& i) {
             fs::copy(test::repositoryRoot() / "Images", i);
             fs::resize_file(i / "enemy1.bmp", LargerThanAnyImage);
         }},
    };
    // Each hand-made broken bitmap in place of the first and of the last image loaded.
    for (const fs::directory_entry& entry : fs::directory_iterator(BadBitmaps)) {
        if (entry.path().extension() != ".bmp") continue;
        for (const char* replaced : {"playerShip.bmp", "invincible.bmp"}) {
            cases.push_back({entry.path().filename().string() + " as " + replaced, [=](const fs::path& i) {
                                 fs::copy_file(entry.path(), imagesWithout(i, replaced));
                             }});
        }
    }
    return cases;
}

// Each case runs in a private game folder, removed again at the end.
class BrokenFolderTest : public ::testing::TestWithParam<FolderCase> {
protected:
    void SetUp() override {
        resetGameState();
        fs::remove_all(folder_);
        fs::create_directories(folder_);
    }
    void TearDown() override {
        resetGameState();
        fs::remove_all(folder_);
    }
    const fs::path folder_ = fs::temp_directory_path() / ("glintwake-badimages-" + std::to_string(getpid()));
};

TEST_P(BrokenFolderTest, EndsTheGameWithTheImageFailure) {
    GetParam().prepare(folder_ / "Images");
    platform::HeadlessPlatform platform;
    const test::ScopedWorkingDirectory inFolder(folder_);
    EXPECT_EQ(runGame(platform), 0);
    EXPECT_EQ(platform.recordingMessageBox().texts(), Texts{"Error Loading Images"});
    EXPECT_EQ(platform.recordingMessageBox().lastCaption(), "Glintwake");
    const Texts& log = platform.headlessDisplay().log();
    EXPECT_EQ(std::ranges::find(log, "input"), log.end()) << "keyboard opened after the failure";
    EXPECT_TRUE(platform.headlessDisplay().open().empty());
    EXPECT_EQ(platform.headlessDisplay().presentCount(), 0);
    EXPECT_EQ(platform.recordingText().liveFonts(), 0);
    EXPECT_EQ(loadedImageCount(), 0);
    EXPECT_EQ(g_player, nullptr);
}

INSTANTIATE_TEST_SUITE_P(EachWay, BrokenFolderTest, ::testing::ValuesIn(folderCases()));

// Root reads any file whatever its mode, so the run that meets the unreadable
// image happens in a child that has given up root.
TEST_F(BrokenFolderTest, UnreadableImageEndsTheGameTheSameWay) {
    constexpr uid_t Nobody = 65534;
    const fs::path image = imagesWithout(folder_ / "Images", "charging.bmp");
    fs::copy_file(test::repositoryRoot() / "Images/charging.bmp", image);
    fs::permissions(image, fs::perms::none);
    EXPECT_EXIT(
        {
            if (geteuid() == 0 && setuid(Nobody) != 0) std::_Exit(2);
            platform::HeadlessPlatform platform;
            const test::ScopedWorkingDirectory inFolder(folder_);
            const bool sound = runGame(platform) == 0 &&
                               platform.recordingMessageBox().texts() == Texts{"Error Loading Images"} &&
                               loadedImageCount() == 0;
            std::_Exit(sound ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}

TEST(BadBitmapFolder, HoldsTheHandMadeFiles) {
    // An empty folder would make the table above pass without testing those files.
    EXPECT_GE(std::distance(fs::directory_iterator(BadBitmaps), fs::directory_iterator()), 20);
}

}  // namespace
}  // namespace glintwake
