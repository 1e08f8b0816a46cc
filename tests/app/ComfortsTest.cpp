// Pause, help, stalls, window switching and the new game on the headless backend: the real
// start-up and frames, with key presses and focus changes fed at set times of the manual clock.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "app/Comforts.h"
#include "app/FrameSchedule.h"
#include "app/FrameUpdate.h"
#include "app/Game.h"
#include "core/Random.h"
#include "platform/Keys.h"
#include "player/Player.h"
#include "replay/Harness.h"
#include "shop/Shop.h"
#include "support/LoopDisplay.h"
#include "world/GameState.h"

namespace glintwake {
namespace {

namespace key = platform::key;
using platform::Event;
using platform::EventType;

constexpr int64_t Second = 1'000'000;  // microseconds of the manual clock
constexpr double Period = static_cast<double>(Second / 60) / Second;

// Hash of a picture, or of the picture dimmed as the pause shows it.
uint64_t hashOf(const platform::PixelVector<platform::Pixel>& picture, bool dimmed = false) {
    uint64_t h = 14695981039346656037ull;
    for (platform::Pixel p : picture) h = (h ^ (dimmed ? (p >> 1) & 0x7F7F7F : p)) * 1099511628211ull;
    return h;
}

Event press(uint8_t code) {
    return Event{EventType::KeyPress, code};
}

// The summary without the harness's own frame count.
std::string withoutFrameCount(const std::string& summary) {
    return summary.substr(summary.find("wave"));
}

// Whether the picture presented last carried the text.
bool lastPictureShows(play::Harness& game, const char* text) {
    return std::ranges::any_of(game.platform().recordingText().lastFrameCalls(),
                               [&](const platform::TextCall& c) { return c.text == text; });
}

// The world and the generator without the picture: what must not move while paused.
std::string worldOf(const play::Harness& game) {
    const std::string s = withoutFrameCount(game.summary());
    return s.substr(0, s.rfind("hash")) + std::to_string(randomState());
}

struct Picture {
    uint64_t hash = 0, dimmedHash = 0;
    bool saysPaused = false, silenced = false;
};

struct FrameRecord {
    int64_t at = 0;  // microseconds from the start of the run
    double dt = 0;
    std::string worldBefore{}, worldAfter{};
    size_t picture = 0;  // index of its own picture among those presented
};

// Runs the real loop with comforts on a started game until `quitAt`, delivering
// each scripted event once the clock has reached its time. `onFrame` may disturb
// the clock after a frame, as a stall would.
class ComfortsLoopTest : public ::testing::Test, private LoopDisplay {
protected:
    void SetUp() override {
        ASSERT_TRUE(game_.started()) << game_.startupError();
        clock().setAdvancePerRead(1);
        headless().setOnPresent([this] {
            game_.platform().recordingText().endFrame();
            const auto& frame = headless().lastFrame();
            shown_.push_back({hashOf(frame), hashOf(frame, true), lastPictureShows(game_, PausedText),
                              game_.platform().recordingAudio().isPaused()});
        });
    }
    platform::ManualClock& clock() { return game_.platform().manualClock(); }
    platform::HeadlessDisplay& headless() { return game_.platform().headlessDisplay(); }

    std::vector<FrameRecord> run(std::vector<std::pair<int64_t, Event>> script, int64_t quitAt,
                                 const std::function<void(size_t frames)>& onFrame) {
        const int64_t start = clock().nowMicroseconds();  // script times count from here
        script_ = std::move(script);
        script_.emplace_back(quitAt, Event{EventType::Quit});
        for (auto& [at, event] : script_) at += start;
        FrameSchedule schedule(clock());
        Comforts comforts(game_.platform());
        std::vector<FrameRecord> frames;
        const auto frame = [&](double dt) {
            FrameRecord r{.at = clock().nowMicroseconds() - start, .dt = dt, .worldBefore = worldOf(game_)};
            updateFrame(dt);
            r.worldAfter = worldOf(game_);
            r.picture = shown_.size() - 1;
            frames.push_back(r);
            onFrame(frames.size());
        };
        status_ = runMessageLoop(*this, game_.platform().keyboard(), schedule, frame, &comforts);
        return frames;
    }

    // The pause between frames[goOn - 1] and frames[goOn]: no dt covers it, neither the
    // world nor the generator moved, and the pictures meanwhile were the last one
    // dimmed under "Paused", redrawn only a few times a second, and silent.
    void expectPausedBefore(const std::vector<FrameRecord>& frames, size_t goOn) {
        ASSERT_TRUE(goOn > 0 && goOn < frames.size()) << goOn;
        const FrameRecord &before = frames[goOn - 1], &after = frames[goOn];
        EXPECT_EQ(after.dt, Period);
        EXPECT_EQ(after.worldBefore, before.worldAfter);
        const double pauseSeconds = static_cast<double>(after.at - before.at) / Second;
        EXPECT_GE(after.picture - before.picture, 2u);
        EXPECT_LE(after.picture - before.picture,
                  3 + static_cast<size_t>(pauseSeconds * 1000 / PausedRedrawMilliseconds));
        for (size_t i = before.picture + 1; i < after.picture; ++i) {
            EXPECT_EQ(shown_[i].hash, shown_[before.picture].dimmedHash) << "paused picture " << i;
            EXPECT_TRUE(shown_[i].saysPaused && shown_[i].silenced) << "paused picture " << i;
        }
    }

    play::Harness game_{7};
    std::vector<Picture> shown_;  // every presented picture
    int status_ = -1;             // what the loop returned

private:
    bool pollEvent(Event& event) override {
        if (!script_.empty() && script_.front().first <= clock().nowMicroseconds()) {
            event = script_.front().second;
            script_.erase(script_.begin());
            return true;
        }
        return headless().pollEvent(event);
    }
    void requestClose() override { headless().requestClose(); }

    std::vector<std::pair<int64_t, Event>> script_;  // at clock times, in order
};

// One run: P and later the Pause key, a 30 s stop of the process (the clock jumps
// while no frame runs) with P after it, and a 0.5 s gap. A pause or a gap over a
// second is covered by no dt and the world has not moved; the shorter gap keeps its
// measured dt. Every other frame is a plain period.
TEST_F(ComfortsLoopTest, PausesAndLongStallsCoverNoDtAndShortGapsKeepTheirs) {
    constexpr int64_t PauseAt = Second / 2, GoOnAt = 5 * Second / 2, StallGoOnAt = 40 * Second;
    constexpr size_t StallAfter = 200, GapAfter = 300;
    const auto breaks = [&](size_t framesRun) {
        if (framesRun == StallAfter) clock().advanceMicroseconds(30 * Second);
        if (framesRun == GapAfter) clock().advanceMicroseconds(Second / 2);
    };
    const std::vector<FrameRecord> frames =
        run({{PauseAt, press(key::P)}, {GoOnAt, press(key::Pause)}, {StallGoOnAt, press(key::P)}},
            StallGoOnAt + 3 * Second, breaks);
    const size_t resumed =
        std::ranges::find_if(frames, [&](auto& f) { return f.at >= PauseAt; }) - frames.begin();
    expectPausedBefore(frames, resumed);
    EXPECT_GE(frames.at(resumed).at, GoOnAt);
    expectPausedBefore(frames, StallAfter);
    EXPECT_GE(frames.at(StallAfter).at, StallGoOnAt);
    EXPECT_NEAR(frames.at(GapAfter).dt, 0.5 + 0.0005, 0.0005);
    for (size_t i = 0; i < frames.size(); ++i)
        EXPECT_TRUE(i == resumed || i == StallAfter || i == GapAfter || frames[i].dt < 2 * Period)
            << "frame " << i << " dt " << frames[i].dt;
}

// Escape pressed and let go between two frames, never held when a frame reads the
// keys: the next due frame does not run and the game ends with status 0, as with a
// held Escape. A pause chosen before that frame keeps the game going instead.
TEST_F(ComfortsLoopTest, AnEscapeTapBetweenFramesEndsTheGameAtTheNextFrame) {
    constexpr int64_t TapAt = Second + Second / 120;  // half-way between two frames
    constexpr int64_t QuitAt = 4 * Second;
    const auto none = [](size_t) {};
    {
        SCOPED_TRACE("tap in play");
        const std::vector<FrameRecord> frames = run({{TapAt, press(key::Escape)}}, QuitAt, none);
        EXPECT_EQ(status_, 0);
        EXPECT_EQ(headless().closeRequests(), 1);
        ASSERT_FALSE(frames.empty());
        EXPECT_LT(frames.back().at, TapAt);
        EXPECT_GT(frames.back().at, TapAt - static_cast<int64_t>(Period * Second));
    }
    {
        SCOPED_TRACE("tap, then P before the next frame");
        constexpr int64_t GoOnAt = 2 * Second;
        const std::vector<FrameRecord> frames = run(
            {{TapAt, press(key::Escape)}, {TapAt + 1, press(key::P)}, {GoOnAt, press(key::P)}}, QuitAt, none);
        EXPECT_EQ(headless().closeRequests(), 1);  // only the first run's
        ASSERT_FALSE(frames.empty());
        EXPECT_GT(frames.back().at, QuitAt - Second / 10);
    }
}

// What the comforts show: paused, help, windowed, muted and close requests asked.
std::string stateOf(Comforts& comforts, play::Harness& game) {
    platform::HeadlessPlatform& p = game.platform();
    std::string state;
    for (const auto& [on, word] : {std::pair{comforts.isPaused(), "paused "},
                                   {comforts.pause().showsHelp(), "help "},
                                   {p.display().isWindowed(), "windowed "},
                                   {p.recordingAudio().isMuted(), "muted "}})
        if (on) state += word;
    return state + std::to_string(p.headlessDisplay().closeRequests()) + " quit";
}

// What each key press and focus change does to the pause, the help, the window,
// the sound and the quit, with the keys held at the time and the shop open or not;
// the sound is silenced exactly while paused. P alone is in the loop test; F1 then
// Escape, F11 twice and M twice are pressed for real in the Xvfb comfort and sound runs.
TEST(Comforts, KeyPressesAndFocusChanges) {
    // The events, the keys held, the shop open, the state after.
    using Case = std::tuple<const char*, std::vector<Event>, std::vector<uint8_t>, bool, const char*>;
    const Event lost{EventType::FocusLost}, gained{EventType::FocusGained};
    const std::vector<Case> cases = {
        {"Pause key", {press(key::Pause)}, {}, false, "paused 0 quit"},
        {"F1 shows help over the pause", {press(key::F1)}, {}, false, "paused help 0 quit"},
        {"F1 closes it", {press(key::F1), press(key::F1)}, {}, false, "paused 0 quit"},
        {"P closes it and goes on", {press(key::F1), press(key::P)}, {}, false, "0 quit"},
        {"Escape while paused quits", {press(key::P), press(key::Escape)}, {}, false, "paused 1 quit"},
        {"Escape in play is the game's", {press(key::Escape)}, {}, false, "0 quit"},
        {"focus back stays paused", {lost, gained}, {}, false, "paused 0 quit"},
        {"left Alt+Enter", {press(key::Return)}, {key::LeftAlt}, false, "windowed 0 quit"},
        {"right Alt+Enter", {press(key::Return)}, {key::RightAlt}, false, "windowed 0 quit"},
        {"Enter alone", {press(key::Return)}, {}, false, "0 quit"},
        {"left Alt firing", {press(key::Return)}, {key::LeftAlt, key::Space}, false, "0 quit"},
        {"Alt+Enter in the shop", {press(key::Return)}, {key::LeftAlt}, true, "0 quit"},
        {"M mutes", {press(key::M)}, {}, false, "muted 0 quit"},
        {"M while paused", {press(key::P), press(key::M)}, {}, false, "paused muted 0 quit"},
    };
    for (const auto& [name, events, held, shopOpen, state] : cases) {
        SCOPED_TRACE(name);
        play::Harness game;
        ASSERT_TRUE(game.started());
        game.holdKeys(held);
        if (shopOpen) g_shop->openShop();
        Comforts comforts(game.platform());
        for (const Event& e : events) comforts.onEvent(e);
        EXPECT_EQ(stateOf(comforts, game), state);
        EXPECT_EQ(game.platform().recordingAudio().isPaused(), comforts.isPaused());
    }
}

const std::vector<play::ScriptStep> Play = {{{}, 40},
                                            {{key::Space, key::Left}, 60},
                                            {{key::X, key::Right}, 40, 0.02},
                                            {{key::LeftAlt, key::Space}, 60}};

// Enter leaves the game alone unless the ship is destroyed, the shop is closed and
// the game runs; the notice shows whenever the ship is destroyed outside the shop.
// The new game is the one a fresh start would give with the seed the clock reads
// then; one the heap cannot hold ends the game with its text instead of playing on.
TEST(Comforts, EnterStartsANewGameOnlyWhileTheShipIsDestroyed) {
    constexpr uint32_t ClockSeed = 4242;
    std::string fresh;
    {
        play::Harness game(ClockSeed);
        game.runScript(Play);
        fresh = withoutFrameCount(game.summary());
    }
    // The ship's health, the shop open, the game paused, a new game started, the allocation failing.
    using Case = std::tuple<const char*, int32_t, bool, bool, bool, StartupAllocation>;
    constexpr StartupAllocation None = StartupAllocation::None;
    for (const auto& [name, health, shopOpen, paused, startsNewGame, failing] :
         {Case{"destroyed", 0, false, false, true, None}, Case{"alive", 1, false, false, false, None},
          Case{"shop open", 0, true, false, false, None}, Case{"paused", 0, false, true, false, None},
          Case{"no memory for it", 0, false, false, false, StartupAllocation::Player}}) {
        SCOPED_TRACE(name);
        play::Harness game(3);
        ASSERT_TRUE(game.started());
        Comforts comforts(game.platform());
        game.runScript(Play);
        g_player->setHealth(health);
        if (shopOpen) g_shop->openShop();
        game.runFrame();
        EXPECT_EQ(lastPictureShows(game, DestroyedText), health == 0 && !shopOpen);
        if (paused) comforts.pause().pause();
        ASSERT_GT(g_waveNumber, 0);
        game.platform().manualClock().advanceMicroseconds(int64_t{ClockSeed} * 1000);
        failStartupAllocation(failing);
        comforts.onEvent(press(key::Return));
        failStartupAllocation(None);
        const bool outOfMemory = failing != None;
        EXPECT_EQ(game.platform().headlessDisplay().closeRequests(), outOfMemory ? 1 : 0);
        EXPECT_STREQ(g_errorMessage, outOfMemory ? "Error creating Player" : nullptr);
        if (outOfMemory) continue;
        EXPECT_EQ(g_waveNumber == 0, startsNewGame);
        EXPECT_EQ(g_player->getHealth() > 0, startsNewGame || health > 0);
        if (!startsNewGame) continue;
        game.runScript(Play);
        EXPECT_EQ(withoutFrameCount(game.summary()), fresh);
    }
}

}  // namespace
}  // namespace glintwake
