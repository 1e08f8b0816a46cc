#pragma once
// A headless game for play tests, replays and benchmarks: the real start-up with
// the repository's Images/, frames stepped by the caller with its own keys and dt,
// and a compact printable summary of the world for replay comparisons.
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "platform/headless/HeadlessPlatform.h"

namespace glintwake::play {

constexpr double StandardDt = 1.0 / 60.0;

// Changes the working directory for its lifetime (the game reads Images/ from it).
class ScopedWorkingDirectory {
public:
    explicit ScopedWorkingDirectory(const std::filesystem::path& path);
    ~ScopedWorkingDirectory();
    ScopedWorkingDirectory(const ScopedWorkingDirectory&) = delete;
    ScopedWorkingDirectory& operator=(const ScopedWorkingDirectory&) = delete;

private:
    std::filesystem::path previous_;
};

// The folder that holds the committed Images/.
std::filesystem::path repositoryRoot();

// A run of frames with the same keys held and the same dt.
struct ScriptStep {
    std::vector<uint8_t> keys;
    int frames = 1;
    double dt = StandardDt;
};

// How the harness builds its headless backend.
struct HarnessSetup {
    bool realFonts = false;       // texts also drawn with the real fonts
    bool recordText = true;       // off: texts go straight to the fonts, as in the game
    bool copyOnPresent = true;    // off: the flip does nothing at all
    int32_t backBufferPitch = 0;  // bytes; wider than a row pads the back buffer
    bool withAudio = true;        // off: the backend has no sound service at all
};

// The desktop's fonts for harnesses that draw real text; null where the build has
// none (the browser build's harness runs without them).
std::unique_ptr<platform::TextRenderer> makeRealFonts();

// Only one at a time: the game's state is global. Not copyable (it owns the platform).
class Harness {
public:
    // Seeds the generator, then starts the game on the headless backend.
    explicit Harness(uint32_t seed = 1, const HarnessSetup& setup = {});
    ~Harness();

    bool started() const { return started_; }
    const std::string& startupError() const { return startupError_; }
    platform::HeadlessPlatform& platform() { return *platform_; }

    // The keys held from now on (all others up).
    void holdKeys(const std::vector<uint8_t>& keys);
    // One frame as the main loop runs it (see glintwake::runFrame).
    void runFrame(double dt = StandardDt);
    void runScript(const std::vector<ScriptStep>& script);
    // Wave, counts, player, enemies and a hash of the last presented frame.
    std::string summary() const;

private:
    std::unique_ptr<platform::TextRenderer> fonts_;  // must outlive the platform
    std::unique_ptr<platform::HeadlessPlatform> platform_;
    bool started_ = false;
    std::string startupError_;
    int64_t framesRun_ = 0;
};

}  // namespace glintwake::play
