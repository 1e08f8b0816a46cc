// Each failing start-up step, allocation or image folder stops the game with its own text
// and status 1, gives back exactly what was made, and only then shows the box.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "BmpWriter.h"
#include "app/Game.h"
#include "app/GameReset.h"
#include "app/ImageTable.h"
#include "core/Random.h"
#include "effects/Starfield.h"
#include "platform/headless/HeadlessPlatform.h"
#include "replay/Harness.h"
#include "support/BlankBitmap.h"
#include "world/GameState.h"

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
// A failed non-throwing allocation gives null, as it does without the sanitizer.
extern "C" const char* __asan_default_options() {
    return "allocator_may_return_null=1";
}
#endif

namespace glintwake {
namespace {

namespace fs = std::filesystem;
using platform::StartupStep;
using Texts = std::vector<std::string>;
using FolderMaker = std::function<void(const fs::path& images)>;

constexpr const char* ImageFailure = "Error Loading Images";
constexpr uintmax_t LargerThanAnyImage = uintmax_t{1} << 28;
constexpr uid_t Nobody = 65534;
constexpr size_t MiB = 1024 * 1024;
constexpr unsigned ChildSeconds = 60;
constexpr int32_t HalfSide = platform::MaxBitmapSide / 2;

// One start-up fault: a failing device step or allocation, or a copy of Images/ that `images` breaks.
struct StartupFailure {
    const char* text;  // null: fails without a text, and no box is shown
    std::optional<StartupStep> step;
    bool keyboardCreated = true;
    StartupAllocation allocation = StartupAllocation::None;
    std::string name = {};  // of a broken folder
    FolderMaker images = {};
    size_t memoryHeadroom = 0;  // address space the child may still take; 0: no limit
    friend std::ostream& operator<<(std::ostream& os, const StartupFailure& f) {
        if (f.images) return os << f.name;
        return f.text ? os << f.text : os << "silent allocation " << static_cast<int>(f.allocation);
    }
};

StartupFailure brokenFolder(std::string name, FolderMaker images, size_t memoryHeadroom = 0) {
    return {ImageFailure,  {}, false, StartupAllocation::None, std::move(name), std::move(images),
            memoryHeadroom};
}

void writeBlank(const fs::path& file, int32_t width, int32_t height) {
    ASSERT_TRUE(imagegen::writeFile(file.string(), test::blankRleBitmap(width, height)));
}

// Lets the process map only `headroom` more bytes than it holds now, as a
// memory limit (ulimit -v) does, whatever the sanitizer has reserved already.
void limitAddressSpace(size_t headroom) {
    std::ifstream status("/proc/self/status");
    size_t kib = 0;
    for (std::string field; status >> field;)
        if (field == "VmSize:" && status >> kib) break;
    const rlimit limit{kib * 1024 + headroom, kib * 1024 + headroom};
    if (kib == 0 || setrlimit(RLIMIT_AS, &limit) != 0) std::_Exit(3);
}

bool leaked() {
#if defined(__SANITIZE_ADDRESS__)
    return __lsan_do_recoverable_leak_check() != 0;
#else
    return false;
#endif
}

std::vector<StartupFailure> startupFailures() {
    return {
        {"Error Registering Window Class", StartupStep::Video, false},
        {"Error Creating Window", StartupStep::Window, false},
        {"DirectDrawCreate FAILED", StartupStep::Renderer, false},
        {"SetCooperativeLevel FAILED", StartupStep::FullScreen, false},
        {"SetDisplayMode FAILED", StartupStep::LogicalSize, false},
        {"CreateSurface FAILED", StartupStep::Texture, false},
        {"GetAttachedSurface FAILED", StartupStep::BackBuffer, false},
        {"DirectInputCreate FAILED", StartupStep::InputCreate, false},
        {"Input Device Create FAILED", StartupStep::KeyboardDevice},
        {"Input Device Format FAILED", StartupStep::KeyboardFormat},
        {"SetCooperativeLevel FAILED", StartupStep::KeyboardCooperative},
        {"Device Acquisition FAILED", StartupStep::KeyboardAcquire},
        {"Error creating Player", {}, true, StartupAllocation::Player},
        {"Error allocating weapon array", {}, true, StartupAllocation::Shots},
        {"Error allocating sprite array", {}, true, StartupAllocation::Enemies},
        {nullptr, {}, true, StartupAllocation::Effects},
        {nullptr, {}, true, StartupAllocation::PowerUps},
        {nullptr, {}, true, StartupAllocation::Hud},
        {nullptr, {}, true, StartupAllocation::Shop},
        brokenFolder("no Images folder", [](const fs::path& i) { fs::remove_all(i); }),
        // Sparse, so it costs no disk: the loader must refuse it before reading it. It
        // is the last image loaded, so every other one was made before.
        brokenFolder("image far too large",
                     [](const fs::path& i) { fs::resize_file(i / "invincible.bmp", LargerThanAnyImage); }),
        brokenFolder("unreadable image",
                     [](const fs::path& i) { fs::permissions(i / "charging.bmp", fs::perms::none); }),
        // Sixty bytes that claim 64 MiB, where less than that can be had: the
        // allocation fails and start-up reports it, without an abort.
        brokenFolder(
            "4096x4096 image under a memory limit",
            [](const fs::path& i) {
                writeBlank(i / "playerShip.bmp", platform::MaxBitmapSide, platform::MaxBitmapSide);
            },
            32 * MiB),
        // Memory enough for all three, but the images together would pass 64 MiB.
        brokenFolder(
            "three 32 MiB images",
            [](const fs::path& i) {
                for (const char* file : {"playerShip.bmp", "charging.bmp", "chargingReady.bmp"})
                    writeBlank(i / file, platform::MaxBitmapSide, HalfSide);
            },
            160 * MiB),
    };
}

// Start-ups run from the repository root (Images/) or a private folder removed at the end.
// The fixture is the game's platform: the headless backend, noting the log when the box shows.
class StartupTest : public ::testing::Test, protected platform::Platform, protected platform::MessageBox {
protected:
    void SetUp() override { resetGameState(); }
    void TearDown() override {
        resetGameState();
        fs::remove_all(folder_);
    }
    const Texts& log() { return platform_.headlessDisplay().log(); }
    const Texts& shown() { return platform_.recordingMessageBox().texts(); }

    void expectNothingLeft() {
        EXPECT_TRUE(platform_.headlessDisplay().open().empty());
        EXPECT_EQ(platform_.headlessDisplay().presentCount(), 0);
        EXPECT_EQ(platform_.recordingText().liveFonts(), 0);
        EXPECT_EQ(loadedImageCount(), 0);
        EXPECT_FALSE(g_player || g_hud || g_shop || g_shots || g_enemies || g_effects || g_powerUps ||
                     g_backBuffer);
    }

    // The whole program returns 1 and gives back exactly what was made before it shows the box.
    void expectEndsWith(const StartupFailure& f) {
        EXPECT_EQ(runGame(*this), 1);
        EXPECT_EQ(shown(), f.text ? Texts{f.text} : Texts{});
        EXPECT_EQ(logWhenShown_, f.text ? std::optional(log()) : std::nullopt);
        EXPECT_EQ(platform_.recordingMessageBox().lastCaption(), f.text ? "Glintwake" : "");
        for (const char* keyboard : {"input", "-keyboard"})
            EXPECT_EQ(std::ranges::count(log(), keyboard), f.keyboardCreated ? 1 : 0) << keyboard;
        EXPECT_EQ(platform_.headlessKeyboard().readCount(), 0);
        expectNothingLeft();
    }

    play::ScopedWorkingDirectory atRoot_{play::repositoryRoot()};
    const fs::path folder_ = fs::temp_directory_path() / ("glintwake-startup-" + std::to_string(getpid()));
    platform::HeadlessPlatform platform_;
    std::optional<Texts> logWhenShown_;

private:
    platform::Display& display() override { return platform_.display(); }
    platform::Keyboard& keyboard() override { return platform_.keyboard(); }
    platform::Clock& clock() override { return platform_.clock(); }
    platform::TextRenderer& text() override { return platform_.text(); }
    platform::MessageBox& messageBox() override { return *this; }
    void show(const char* caption, const char* text) override {
        logWhenShown_ = log();
        platform_.messageBox().show(caption, text);
    }
};

class StartupFailureTest : public StartupTest, public ::testing::WithParamInterface<StartupFailure> {};

TEST_P(StartupFailureTest, EndsTheGameWithItsTextReleasingOnlyWhatWasMade) {
    const StartupFailure& f = GetParam();
    if (f.step) platform_.headlessDisplay().failAt(*f.step);
    failStartupAllocation(f.allocation);
    if (!f.images) return expectEndsWith(f);
    // Root reads any file whatever its mode, so broken folders are tried in a child
    // that has given up root.
    fs::create_directories(folder_);
    fs::copy(play::repositoryRoot() / "Images", folder_ / "Images");
    f.images(folder_ / "Images");
    EXPECT_EXIT(
        {
            if (geteuid() == 0 && setuid(Nobody) != 0) std::_Exit(2);
            alarm(ChildSeconds);  // a folder that wrongly starts the game would loop for ever
            const play::ScopedWorkingDirectory inFolder(folder_);
            if (f.memoryHeadroom > 0) limitAddressSpace(f.memoryHeadroom);
            expectEndsWith(f);
            EXPECT_FALSE(leaked());
            // A child's failures reach no listener: they go to stderr, which the parent shows.
            const ::testing::TestResult& result =
                *::testing::UnitTest::GetInstance()->current_test_info()->result();
            for (int i = 0; i < result.total_part_count(); ++i)
                std::fputs(result.GetTestPartResult(i).message(), stderr);
            std::_Exit(result.Failed() ? 1 : 0);
        },
        ::testing::ExitedWithCode(0), "");
}

INSTANTIATE_TEST_SUITE_P(EachFault, StartupFailureTest, ::testing::ValuesIn(startupFailures()));

// Escape at the first frame: the generator seeded from the timer, no frame shown, all released in order.
TEST_F(StartupTest, EscapeAtTheFirstFrameEndsACleanRunWithZero) {
    platform_.manualClock().setAdvancePerRead(1000);
    platform_.manualClock().advanceMicroseconds(1233 * 1000);  // the seeding read itself moves it on by 1 ms
    platform_.headlessKeyboard().setKey(platform::key::Escape, true);
    EXPECT_EQ(runGame(*this), 0);
    // The display is given back first, then the keyboard; no box without a failure.
    EXPECT_EQ(log().back(), "-keyboard");
    EXPECT_TRUE(shown().empty());
    expectNothingLeft();

    const std::vector<Star> built(std::begin(g_stars), std::end(g_stars));
    seedRandom(1234);
    initStarfield();
    for (int i = 0; i < StarCount; ++i) EXPECT_EQ(built[i].x, g_stars[i].x) << "star " << i;
}

}  // namespace
}  // namespace glintwake
