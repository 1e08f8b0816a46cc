// Start-up and shut-down: each failing step stops the game with its own text, gives
// back exactly what was made, and only then shows the box.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "app/Game.h"
#include "app/ImageTable.h"
#include "core/Random.h"
#include "platform/headless/HeadlessPlatform.h"
#include "support/Harness.h"
#include "world/GameState.h"
#include "world/Starfield.h"

namespace glintwake {
namespace {

using platform::StartupStep;
using Texts = std::vector<std::string>;

bool anyObjectLeft() {
    return g_player || g_hud || g_shop || g_shots || g_enemies || g_effects || g_powerUps || g_backBuffer;
}

// Passes everything to the headless backend, and records what the display log
// held at the moment the box was shown.
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

// Every start-up runs from the repository root, where Images/ lies.
class StartupTest : public ::testing::Test {
protected:
    void SetUp() override { resetGameState(); }
    void TearDown() override {
        failStartupAllocation(StartupAllocation::None);
        resetGameState();
    }
    const Texts& log() { return platform_.headlessDisplay().log(); }
    const Texts& shown() { return platform_.recordingMessageBox().texts(); }

    test::ScopedWorkingDirectory atRoot_{test::repositoryRoot()};
    platform::HeadlessPlatform platform_;
};

// One start-up fault: a device step failing, or an allocation coming back empty.
struct StartupFailure {
    const char* text;  // null: fails without a text, and no box is shown
    std::optional<StartupStep> step;
    bool keyboardCreated = true;
    StartupAllocation allocation = StartupAllocation::None;
    friend std::ostream& operator<<(std::ostream& os, const StartupFailure& f) {
        return f.text ? os << f.text : os << "silent allocation " << static_cast<int>(f.allocation);
    }
};

class StartupFailureTest : public StartupTest, public ::testing::WithParamInterface<StartupFailure> {};

// The whole program returns 0 and gives back exactly what was made before it shows the box.
TEST_P(StartupFailureTest, EndsTheGameWithItsTextReleasingOnlyWhatWasMade) {
    const StartupFailure& f = GetParam();
    if (f.step) platform_.headlessDisplay().failAt(*f.step);
    failStartupAllocation(f.allocation);
    BoxTimingPlatform observed(platform_);
    EXPECT_EQ(runGame(observed), 0);
    EXPECT_EQ(shown(), f.text ? Texts{f.text} : Texts{});
    EXPECT_EQ(observed.logWhenShown, f.text ? std::optional(log()) : std::nullopt);
    EXPECT_EQ(platform_.recordingMessageBox().lastCaption(), f.text ? "Glintwake" : "");
    EXPECT_EQ(std::ranges::count(log(), "-keyboard"), f.keyboardCreated ? 1 : 0);
    EXPECT_TRUE(platform_.headlessDisplay().open().empty());
    EXPECT_EQ(platform_.headlessDisplay().presentCount(), 0);
    EXPECT_EQ(platform_.headlessKeyboard().readCount(), 0);
    EXPECT_EQ(platform_.recordingText().liveFonts(), 0);
    EXPECT_EQ(loadedImageCount(), 0);
    EXPECT_FALSE(anyObjectLeft());
}

INSTANTIATE_TEST_SUITE_P(
    EachFault, StartupFailureTest,
    ::testing::Values(StartupFailure{"Error Registering Window Class", StartupStep::Video, false},
                      StartupFailure{"Error Creating Window", StartupStep::Window, false},
                      StartupFailure{"DirectDrawCreate FAILED", StartupStep::Renderer, false},
                      StartupFailure{"SetCooperativeLevel FAILED", StartupStep::FullScreen, false},
                      StartupFailure{"SetDisplayMode FAILED", StartupStep::LogicalSize, false},
                      StartupFailure{"CreateSurface FAILED", StartupStep::Texture, false},
                      StartupFailure{"GetAttachedSurface FAILED", StartupStep::BackBuffer, false},
                      StartupFailure{"DirectInputCreate FAILED", StartupStep::InputCreate, false},
                      StartupFailure{"Input Device Create FAILED", StartupStep::KeyboardDevice},
                      StartupFailure{"Input Device Format FAILED", StartupStep::KeyboardFormat},
                      StartupFailure{"SetCooperativeLevel FAILED", StartupStep::KeyboardCooperative},
                      StartupFailure{"Device Acquisition FAILED", StartupStep::KeyboardAcquire},
                      StartupFailure{"Error creating Player", {}, true, StartupAllocation::Player},
                      StartupFailure{"Error allocating weapon array", {}, true, StartupAllocation::Shots},
                      StartupFailure{"Error allocating sprite array", {}, true, StartupAllocation::Enemies},
                      StartupFailure{nullptr, {}, true, StartupAllocation::Effects},
                      StartupFailure{nullptr, {}, true, StartupAllocation::PowerUps},
                      StartupFailure{nullptr, {}, true, StartupAllocation::Hud},
                      StartupFailure{nullptr, {}, true, StartupAllocation::Shop}));

// A whole run quit by Escape at its first frame: the generator seeded from the
// timer before start-up, no frame shown, and everything released in order.
TEST_F(StartupTest, EscapeAtTheFirstFrameEndsACleanRunWithZero) {
    platform::ManualClock& clock = platform_.manualClock();
    clock.setAdvancePerRead(1000);
    clock.advanceMicroseconds(1233 * 1000);  // the seeding read itself moves it on by 1 ms
    platform_.headlessKeyboard().setKey(platform::key::Escape, true);
    EXPECT_EQ(runGame(platform_), 0);
    EXPECT_EQ(platform_.headlessDisplay().presentCount(), 0);
    // The display's resources newest first, then the keyboard; no box without a failure.
    const Texts released = {"-back-buffer", "-texture", "-logical-size", "-fullscreen",
                            "-renderer",    "-window",  "-video",        "-keyboard"};
    ASSERT_GE(log().size(), released.size());
    EXPECT_EQ(Texts(log().end() - static_cast<long>(released.size()), log().end()), released);
    EXPECT_TRUE(shown().empty());
    EXPECT_EQ(platform_.recordingText().liveFonts(), 0);
    EXPECT_EQ(loadedImageCount(), 0);
    EXPECT_FALSE(anyObjectLeft());

    const std::vector<Star> built(std::begin(g_stars), std::end(g_stars));
    seedRandom(1234);
    initStarfield();
    for (int i = 0; i < StarCount; ++i) EXPECT_EQ(built[i].x, g_stars[i].x) << "star " << i;
}

}  // namespace
}  // namespace glintwake
