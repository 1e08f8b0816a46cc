// Pause, help, stalls, window switching and the new game, on the headless backend:
// the real start-up and frames, with key presses and focus changes fed as events
// at set times of the manual clock.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "app/Comforts.h"
#include "app/FrameSchedule.h"
#include "app/Game.h"
#include "core/Random.h"
#include "platform/Keys.h"
#include "player/Player.h"
#include "replay/Harness.h"
#include "shop/Shop.h"
#include "support/LoopDisplay.h"
#include "world/FrameUpdate.h"
#include "world/GameState.h"

namespace glintwake {
namespace {

namespace key = platform::key;
using platform::Event;
using platform::EventType;

constexpr int64_t Second = 1'000'000;  // microseconds of the manual clock
constexpr double Period = static_cast<double>(Second / 60) / Second;

uint64_t hashOf(const std::vector<platform::Pixel>& picture) {
    uint64_t h = 14695981039346656037ull;
    for (platform::Pixel p : picture) h = (h ^ p) * 1099511628211ull;
    return h;
}

std::vector<platform::Pixel> dimmed(std::vector<platform::Pixel> picture) {
    for (platform::Pixel& p : picture) p = (p >> 1) & 0x7F7F7F;
    return picture;
}

Event press(uint8_t code) {
    return Event{EventType::KeyPress, code};
}

// The summary without the harness's own frame count.
std::string withoutFrameCount(const std::string& summary) {
    return summary.substr(summary.find("wave"));
}

// The world's state without the picture: what must not move while paused.
std::string worldOf(const play::Harness& game) {
    const std::string s = withoutFrameCount(game.summary());
    return s.substr(0, s.rfind("hash"));
}

struct FrameRecord {
    int64_t at = 0;  // microseconds from the start of the run
    double dt = 0;
    int64_t presentsBefore = 0;
    uint32_t randomBefore = 0, randomAfter = 0;
    std::string worldBefore{}, worldAfter{};
    uint64_t dimmedPicture = 0;              // hash of the frame's own picture, dimmed
    std::vector<std::string> textsBefore{};  // texts of the picture presented before it
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
            shown_.push_back(hashOf(headless().lastFrame()));
        });
    }
    platform::ManualClock& clock() { return game_.platform().manualClock(); }
    platform::HeadlessDisplay& headless() { return game_.platform().headlessDisplay(); }

    std::vector<FrameRecord> run(std::vector<std::pair<int64_t, Event>> script, int64_t quitAt,
                                 const std::function<void(int frame)>& onFrame = {}) {
        // Times count from the start of the run.
        const int64_t start = clock().nowMicroseconds();
        script_ = std::move(script);
        script_.emplace_back(quitAt, Event{EventType::Quit});
        for (auto& [at, event] : script_) at += start;
        FrameSchedule schedule(clock());
        Comforts comforts(game_.platform());
        std::vector<FrameRecord> frames;
        runMessageLoop(
            *this, game_.platform().keyboard(), schedule,
            [&](double dt) {
                std::vector<std::string> texts;
                for (const platform::TextCall& c : game_.platform().recordingText().lastFrameCalls())
                    texts.push_back(c.text);
                FrameRecord r{.at = clock().nowMicroseconds() - start,
                              .dt = dt,
                              .presentsBefore = headless().presentCount(),
                              .randomBefore = randomState(),
                              .worldBefore = worldOf(game_),
                              .textsBefore = texts};
                updateFrame(dt);
                r.randomAfter = randomState();
                r.worldAfter = worldOf(game_);
                r.dimmedPicture = hashOf(dimmed(headless().lastFrame()));
                frames.push_back(r);
                if (onFrame) onFrame(static_cast<int>(frames.size()));
            },
            &comforts);
        return frames;
    }

    play::Harness game_{7};
    std::vector<uint64_t> shown_;  // hash of every presented picture

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

    std::vector<std::pair<int64_t, Event>> script_;
};

// The first frame at or after a time.
size_t firstFrameFrom(const std::vector<FrameRecord>& frames, int64_t at) {
    size_t i = 0;
    while (i < frames.size() && frames[i].at < at) ++i;
    return i;
}

bool hasText(const std::vector<std::string>& texts, const std::string& text) {
    return std::find(texts.begin(), texts.end(), text) != texts.end();
}

// Checks the pause between frames[goOn - 1] and frames[goOn]: no dt covers it, the
// world and the generator did not move, and the shown picture was the last one,
// dimmed, with "Paused" over it.
void expectPausedBetween(const std::vector<FrameRecord>& frames, size_t goOn,
                         const std::vector<uint64_t>& shown) {
    ASSERT_GT(goOn, 0u);
    ASSERT_LT(goOn, frames.size());
    const FrameRecord &before = frames[goOn - 1], &after = frames[goOn];
    EXPECT_EQ(after.dt, Period);
    EXPECT_EQ(after.randomBefore, before.randomAfter);
    EXPECT_EQ(after.worldBefore, before.worldAfter);
    EXPECT_TRUE(hasText(after.textsBefore, PausedText));
    const int64_t lastGamePicture = before.presentsBefore;  // index of the frame's own present
    const int64_t pausedPictures = after.presentsBefore - lastGamePicture - 1;
    EXPECT_GE(pausedPictures, 1);
    // At most a few redraws a second, however long the pause.
    const double pauseSeconds = static_cast<double>(after.at - before.at) / Second;
    EXPECT_LE(pausedPictures, 2 + static_cast<int64_t>(pauseSeconds * 1000 / PausedRedrawMilliseconds));
    for (int64_t i = lastGamePicture + 1; i < after.presentsBefore; ++i)
        EXPECT_EQ(shown.at(i), before.dimmedPicture) << "paused picture " << i;
}

// Pausing by key, and a stopped process (the clock jumps while no frame runs): a pause
// or a gap over a second is covered by no dt and the world has not moved; a shorter gap
// keeps its measured dt. Every other frame is a plain period.
TEST_F(ComfortsLoopTest, PausesAndLongStallsCoverNoDtAndShortGapsKeepTheirs) {
    struct Case {
        const char* name;
        bool byKey;
        int64_t gap;
        bool pauses;
    };
    constexpr int GapAfterFrame = 20;
    constexpr int64_t PauseAt = Second / 2;
    for (const Case c :
         {Case{"P, then the Pause key", true, 0, true}, Case{"30 s stall", false, 30 * Second, true},
          Case{"0.5 s gap", false, Second / 2, false}}) {
        SCOPED_TRACE(c.name);
        const int64_t goOnAt = c.gap + 5 * Second / 2;
        std::vector<std::pair<int64_t, Event>> script;
        if (c.byKey) script = {{PauseAt, press(key::P)}, {goOnAt, press(key::Pause)}};
        if (!c.byKey && c.pauses) script = {{goOnAt, press(key::P)}};
        const std::vector<FrameRecord> frames = run(script, goOnAt + Second / 2, [&](int frame) {
            if (frame == GapAfterFrame && c.gap > 0) clock().advanceMicroseconds(c.gap);
        });
        const size_t next = c.byKey ? firstFrameFrom(frames, PauseAt) : GapAfterFrame;
        if (c.pauses) {
            EXPECT_GE(frames.at(next).at, goOnAt);
            expectPausedBetween(frames, next, shown_);
        } else {
            EXPECT_GE(frames.at(next).dt, 0.5);
            EXPECT_LT(frames.at(next).dt, 0.5 + 0.001);
        }
        for (size_t i = 0; i < frames.size(); ++i)
            EXPECT_TRUE(i == next || frames[i].dt < 2 * Period) << "frame " << i << " dt " << frames[i].dt;
    }
}

// What each key press and focus change does to the pause, the help, the window
// and the quit, with the keys held at the time and the shop open or not.
TEST(Comforts, KeyPressesAndFocusChanges) {
    struct Case {
        const char* name;
        std::vector<Event> events;
        std::vector<uint8_t> held;
        bool shopOpen;
        bool paused, help, windowed;
        int closeRequests;
    };
    const Event lost{EventType::FocusLost}, gained{EventType::FocusGained};
    const std::vector<Case> cases = {
        {"P pauses", {press(key::P)}, {}, false, true, false, false, 0},
        {"P again goes on", {press(key::P), press(key::P)}, {}, false, false, false, false, 0},
        {"Pause key", {press(key::Pause)}, {}, false, true, false, false, 0},
        {"F1 shows help over the pause", {press(key::F1)}, {}, false, true, true, false, 0},
        {"F1 closes it", {press(key::F1), press(key::F1)}, {}, false, true, false, false, 0},
        {"Escape closes it", {press(key::F1), press(key::Escape)}, {}, false, true, false, false, 0},
        {"P closes it and goes on", {press(key::F1), press(key::P)}, {}, false, false, false, false, 0},
        {"Escape while paused quits", {press(key::P), press(key::Escape)}, {}, false, true, false, false, 1},
        {"Escape in play is the game's", {press(key::Escape)}, {}, false, false, false, false, 0},
        {"focus lost pauses", {lost}, {}, false, true, false, false, 0},
        {"focus back stays paused", {lost, gained}, {}, false, true, false, false, 0},
        {"F11 windowed", {press(key::F11)}, {}, false, false, false, true, 0},
        {"F11 twice full screen", {press(key::F11), press(key::F11)}, {}, false, false, false, false, 0},
        {"left Alt+Enter", {press(key::Return)}, {key::LeftAlt}, false, false, false, true, 0},
        {"right Alt+Enter", {press(key::Return)}, {key::RightAlt}, false, false, false, true, 0},
        {"Enter alone", {press(key::Return)}, {}, false, false, false, false, 0},
        {"left Alt firing", {press(key::Return)}, {key::LeftAlt, key::Space}, false, false, false, false, 0},
        {"Alt+Enter in the shop", {press(key::Return)}, {key::LeftAlt}, true, false, false, false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        play::Harness game;
        ASSERT_TRUE(game.started());
        game.holdKeys(c.held);
        if (c.shopOpen) g_shop->openShop();
        Comforts comforts(game.platform());
        for (const Event& e : c.events) comforts.onEvent(e);
        EXPECT_EQ(comforts.isPaused(), c.paused);
        EXPECT_EQ(comforts.pause().showsHelp(), c.help);
        EXPECT_EQ(game.platform().display().isWindowed(), c.windowed);
        EXPECT_EQ(game.platform().headlessDisplay().closeRequests(), c.closeRequests);
    }
}

TEST(Comforts, PauseListenerHearsEachChangeOnce) {
    Pause pause;
    std::vector<bool> heard;
    pause.setListener([&](bool paused) { heard.push_back(paused); });
    pause.showHelp();
    pause.pause();
    pause.closeHelp();
    pause.toggle();
    pause.resume();
    EXPECT_EQ(heard, (std::vector<bool>{true, false}));
}

const std::vector<play::ScriptStep> Play = {{{}, 40},
                                            {{key::Space, key::Left}, 60},
                                            {{key::X, key::Right}, 40, 0.02},
                                            {{key::LeftAlt, key::Space}, 60}};

// Enter after destruction gives the game a fresh start would give with the seed the
// clock reads then.
TEST(Comforts, NewGameAfterDestructionIsAFreshStart) {
    constexpr uint32_t ClockSeed = 4242;
    std::string renewed;
    {
        play::Harness game(11);
        ASSERT_TRUE(game.started());
        Comforts comforts(game.platform());
        game.runScript(Play);
        g_player->setHealth(0);
        game.runFrame();
        game.platform().manualClock().advanceMicroseconds(int64_t{ClockSeed} * 1000);
        comforts.onEvent(press(key::Return));
        game.runScript(Play);
        renewed = withoutFrameCount(game.summary());
    }
    play::Harness fresh(ClockSeed);
    fresh.runScript(Play);
    EXPECT_EQ(renewed, withoutFrameCount(fresh.summary()));
}

// A new game the heap cannot hold ends the game with its text instead of playing on.
TEST(Comforts, NewGameThatCannotBeMadeClosesWithItsText) {
    play::Harness game(11);
    ASSERT_TRUE(game.started());
    Comforts comforts(game.platform());
    g_player->setHealth(0);
    failStartupAllocation(StartupAllocation::Player);
    comforts.onEvent(press(key::Return));
    failStartupAllocation(StartupAllocation::None);
    EXPECT_STREQ(g_errorMessage, "Error creating Player");
    EXPECT_EQ(game.platform().headlessDisplay().closeRequests(), 1);
}

// Enter leaves the game alone unless the ship is destroyed, the shop is closed and
// the game runs; the notice shows exactly when Enter would start a new game.
TEST(Comforts, EnterAndTheNoticeOnlyWhileTheShipIsDestroyed) {
    struct Case {
        const char* name;
        int32_t health;
        bool shopOpen, paused, startsNewGame;
    };
    for (const Case c : {Case{"destroyed", 0, false, false, true}, Case{"alive", 1, false, false, false},
                         Case{"shop open", 0, true, false, false}, Case{"paused", 0, false, true, false}}) {
        SCOPED_TRACE(c.name);
        play::Harness game(3);
        ASSERT_TRUE(game.started());
        Comforts comforts(game.platform());
        game.runScript(Play);
        g_player->setHealth(c.health);
        if (c.shopOpen) g_shop->openShop();
        game.runFrame();
        const auto& texts = game.platform().recordingText().lastFrameCalls();
        const bool notice = std::any_of(texts.begin(), texts.end(),
                                        [](const platform::TextCall& t) { return t.text == DestroyedText; });
        EXPECT_EQ(notice, c.startsNewGame || c.paused);
        if (c.paused) comforts.pause().pause();
        ASSERT_GT(g_waveNumber, 0);
        comforts.onEvent(press(key::Return));
        EXPECT_EQ(g_waveNumber == 0, c.startsNewGame);
        EXPECT_EQ(g_player->getHealth() > 0, c.startsNewGame || c.health > 0);
    }
}

}  // namespace
}  // namespace glintwake
