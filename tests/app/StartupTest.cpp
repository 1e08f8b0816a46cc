#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "app/Game.h"
#include "core/Random.h"
#include "platform/headless/HeadlessPlatform.h"
#include "support/Harness.h"
#include "world/GameState.h"
#include "world/Starfield.h"

namespace glintwake {
namespace {

namespace fs = std::filesystem;
using platform::StartupStep;
using Texts = std::vector<std::string>;

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

// Every start-up runs from the repository root, where Images/ lies.
class StartupTest : public ::testing::Test {
protected:
    void SetUp() override { resetGameState(); }
    void TearDown() override {
        failStartupAllocation(StartupAllocation::None);
        resetGameState();
    }
    const Texts& log() { return platform_.headlessDisplay().log(); }
    bool logged(const std::string& entry) { return std::ranges::find(log(), entry) != log().end(); }
    const Texts& shown() { return platform_.recordingMessageBox().texts(); }

    test::ScopedWorkingDirectory atRoot_{test::repositoryRoot()};
    platform::HeadlessPlatform platform_;
};

TEST_F(StartupTest, ShutdownReleasesEverythingInOrderAndKeepsTheCounts) {
    ASSERT_TRUE(initialize(platform_));
    EXPECT_EQ(loadedImages(), 22);
    ASSERT_TRUE(g_player && g_hud && g_shop && g_shots && g_enemies && g_effects && g_powerUps);
    EXPECT_TRUE(std::all_of(g_shots, g_shots + MaxShots, [](auto* p) { return p == nullptr; }));
    g_waveNumber = 7;
    const size_t opened = log().size();
    shutdown();
    // The display's resources newest first, then the keyboard; no box without a failure.
    EXPECT_EQ(Texts(log().begin() + static_cast<long>(opened), log().end()),
              (Texts{"-back-buffer", "-texture", "-logical-size", "-fullscreen", "-renderer", "-window",
                     "-video", "-keyboard"}));
    EXPECT_TRUE(shown().empty());
    EXPECT_EQ(loadedImages(), 0);
    EXPECT_FALSE(g_player || g_hud || g_shop || g_shots || g_enemies || g_effects || g_powerUps ||
                 g_backBuffer);
    EXPECT_EQ(g_waveNumber, 7);
    EXPECT_EQ(platform_.recordingText().liveFonts(), 0);
}

// Passes everything to the headless backend, and records at the moment the box
// is shown what the display log held then.
class BoxTimingPlatform final : public platform::Platform, private platform::MessageBox {
public:
    explicit BoxTimingPlatform(platform::HeadlessPlatform& inner) : inner_(inner) {}

    platform::Display& display() override { return inner_.display(); }
    platform::Keyboard& keyboard() override { return inner_.keyboard(); }
    platform::Clock& clock() override { return inner_.clock(); }
    platform::TextRenderer& text() override { return inner_.text(); }
    platform::MessageBox& messageBox() override { return *this; }

    std::optional<Texts> logWhenShown;

private:
    void show(const char* caption, const char* text) override {
        logWhenShown = inner_.headlessDisplay().log();
        inner_.messageBox().show(caption, text);
    }
    platform::HeadlessPlatform& inner_;
};

struct DeviceFailure {
    StartupStep step;
    const char* text;
    bool keyboardCreated;
    friend std::ostream& operator<<(std::ostream& os, const DeviceFailure& f) { return os << f.text; }
};

class DeviceFailureTest : public StartupTest, public ::testing::WithParamInterface<DeviceFailure> {};

TEST_P(DeviceFailureTest, StopsWithItsTextAndShutdownReleasesOnlyWhatWasMade) {
    const DeviceFailure f = GetParam();
    platform_.headlessDisplay().failAt(f.step);
    EXPECT_FALSE(initialize(platform_));
    EXPECT_STREQ(g_errorMessage, f.text);
    EXPECT_EQ(g_player, nullptr);
    EXPECT_EQ(logged("input"), f.keyboardCreated);
    shutdown();
    EXPECT_TRUE(platform_.headlessDisplay().open().empty());
    EXPECT_EQ(logged("-keyboard"), f.keyboardCreated);
    EXPECT_EQ(loadedImages(), 0);
    EXPECT_EQ(g_errorMessage, nullptr);
    EXPECT_EQ(shown(), Texts{f.text});
    EXPECT_EQ(platform_.recordingMessageBox().lastCaption(), "Glintwake");
}

INSTANTIATE_TEST_SUITE_P(
    EachStep, DeviceFailureTest,
    ::testing::Values(DeviceFailure{StartupStep::Video, "Error Registering Window Class", false},
                      DeviceFailure{StartupStep::Window, "Error Creating Window", false},
                      DeviceFailure{StartupStep::Renderer, "DirectDrawCreate FAILED", false},
                      DeviceFailure{StartupStep::FullScreen, "SetCooperativeLevel FAILED", false},
                      DeviceFailure{StartupStep::LogicalSize, "SetDisplayMode FAILED", false},
                      DeviceFailure{StartupStep::Texture, "CreateSurface FAILED", false},
                      DeviceFailure{StartupStep::BackBuffer, "GetAttachedSurface FAILED", false},
                      DeviceFailure{StartupStep::InputCreate, "DirectInputCreate FAILED", false},
                      DeviceFailure{StartupStep::KeyboardDevice, "Input Device Create FAILED", true},
                      DeviceFailure{StartupStep::KeyboardFormat, "Input Device Format FAILED", true},
                      DeviceFailure{StartupStep::KeyboardCooperative, "SetCooperativeLevel FAILED", true},
                      DeviceFailure{StartupStep::KeyboardAcquire, "Device Acquisition FAILED", true}));

TEST_P(DeviceFailureTest, RunGameShowsTheBoxAfterEverythingIsGivenBackAndReturnsZero) {
    const DeviceFailure f = GetParam();
    platform_.headlessDisplay().failAt(f.step);
    BoxTimingPlatform observed(platform_);
    EXPECT_EQ(runGame(observed), 0);
    EXPECT_EQ(shown(), Texts{f.text});
    ASSERT_TRUE(observed.logWhenShown.has_value());
    // Nothing was released after the box: it came last.
    EXPECT_EQ(*observed.logWhenShown, log());
    EXPECT_TRUE(platform_.headlessDisplay().open().empty());
    EXPECT_EQ(platform_.headlessDisplay().presentCount(), 0);
    EXPECT_EQ(platform_.headlessKeyboard().readCount(), 0);
}

TEST_F(StartupTest, MissingLastImageFailsAfterTheOtherTwentyOneBeforeTheKeyboard) {
    const fs::path folder = fs::temp_directory_path() / ("glintwake-startup-" + std::to_string(getpid()));
    fs::remove_all(folder);
    fs::create_directories(folder);
    fs::copy(test::repositoryRoot() / "Images", folder / "Images");
    fs::remove(folder / "Images" / "invincible.bmp");
    {
        const test::ScopedWorkingDirectory inFolder(folder);
        EXPECT_FALSE(initialize(platform_));
    }
    fs::remove_all(folder);
    EXPECT_EQ(loadedImages(), 21);
    EXPECT_FALSE(logged("input"));
    shutdown();
    EXPECT_EQ(loadedImages(), 0);
    EXPECT_EQ(shown(), Texts{"Error Loading Images"});
}

struct AllocationFailure {
    StartupAllocation which;
    const char* text;  // null: fails without a text, and no box is shown
    friend std::ostream& operator<<(std::ostream& os, const AllocationFailure& f) {
        return os << "allocation " << static_cast<int>(f.which);
    }
};

class AllocationFailureTest : public StartupTest, public ::testing::WithParamInterface<AllocationFailure> {};

TEST_P(AllocationFailureTest, StopsThereAndShutdownFreesWhatCameBefore) {
    const AllocationFailure f = GetParam();
    failStartupAllocation(f.which);
    EXPECT_FALSE(initialize(platform_));
    EXPECT_STREQ(g_errorMessage, f.text);
    const bool made[] = {g_player != nullptr,  g_shots != nullptr,    g_enemies != nullptr,
                         g_effects != nullptr, g_powerUps != nullptr, g_hud != nullptr,
                         g_shop != nullptr};
    for (int i = 0; i < 7; ++i) EXPECT_EQ(made[i], i < static_cast<int>(f.which)) << "allocation " << i;
    shutdown();  // the sanitizer's leak check sees anything left behind
    EXPECT_EQ(shown(), f.text ? Texts{f.text} : Texts{});
}

TEST_P(AllocationFailureTest, RunGameGivesTheKeyboardBackBeforeAnyBoxAndReturnsZero) {
    const AllocationFailure f = GetParam();
    failStartupAllocation(f.which);
    BoxTimingPlatform observed(platform_);
    EXPECT_EQ(runGame(observed), 0);
    EXPECT_EQ(shown(), f.text ? Texts{f.text} : Texts{});
    EXPECT_EQ(observed.logWhenShown.has_value(), f.text != nullptr);
    if (observed.logWhenShown) {
        EXPECT_EQ(*observed.logWhenShown, log());
        EXPECT_EQ(log().back(), "-keyboard");
    }
    EXPECT_TRUE(platform_.headlessDisplay().open().empty());
    EXPECT_EQ(platform_.headlessDisplay().presentCount(), 0);
    EXPECT_EQ(platform_.recordingText().liveFonts(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    EachAllocation, AllocationFailureTest,
    ::testing::Values(AllocationFailure{StartupAllocation::Player, "Error creating Player"},
                      AllocationFailure{StartupAllocation::Shots, "Error allocating weapon array"},
                      AllocationFailure{StartupAllocation::Enemies, "Error allocating sprite array"},
                      AllocationFailure{StartupAllocation::Effects, nullptr},
                      AllocationFailure{StartupAllocation::PowerUps, nullptr},
                      AllocationFailure{StartupAllocation::Hud, nullptr},
                      AllocationFailure{StartupAllocation::Shop, nullptr}));

TEST_F(StartupTest, RunGameSeedsFirstAndEscapeAtTheFirstFrameEndsWithZero) {
    platform::ManualClock& clock = platform_.manualClock();
    clock.setAdvancePerRead(1000);
    clock.advanceMicroseconds(1233 * 1000);  // the seeding read itself moves it on by 1 ms
    platform_.headlessKeyboard().setKey(platform::key::Escape, true);
    EXPECT_EQ(runGame(platform_), 0);
    EXPECT_EQ(platform_.headlessDisplay().presentCount(), 0);
    EXPECT_TRUE(platform_.headlessDisplay().open().empty());
    EXPECT_TRUE(logged("-keyboard"));

    const std::vector<Star> built(std::begin(g_stars), std::end(g_stars));
    seedRandom(1234);
    initStarfield();
    for (int i = 0; i < StarCount; ++i) EXPECT_EQ(built[i].x, g_stars[i].x) << "star " << i;
}

}  // namespace
}  // namespace glintwake
