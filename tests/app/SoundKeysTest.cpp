#include <gtest/gtest.h>

#include <vector>

#include "app/Comforts.h"
#include "platform/Keys.h"
#include "replay/Harness.h"

namespace glintwake {
namespace {

namespace key = platform::key;
using platform::Event;
using platform::EventType;

// M toggles the sound on each press, paused or not; every pause silences it.
TEST(SoundKeys, MMutesAndEveryPauseSilences) {
    struct Case {
        const char* name;
        std::vector<Event> events;
        bool muted, silencedByPause;
    };
    const auto press = [](uint8_t code) { return Event{EventType::KeyPress, code}; };
    const std::vector<Case> cases = {
        {"M mutes", {press(key::M)}, true, false},
        {"M again unmutes", {press(key::M), press(key::M)}, false, false},
        {"M while paused", {press(key::P), press(key::M)}, true, true},
        {"P pauses", {press(key::P)}, false, true},
        {"P again goes on", {press(key::P), press(key::P)}, false, false},
        {"key help pauses", {press(key::F1)}, false, true},
        {"focus lost pauses", {Event{EventType::FocusLost}}, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        play::Harness game;
        ASSERT_TRUE(game.started());
        Comforts comforts(game.platform());
        for (const Event& e : c.events) comforts.onEvent(e);
        EXPECT_EQ(game.platform().recordingAudio().isMuted(), c.muted);
        EXPECT_EQ(game.platform().recordingAudio().isPaused(), c.silencedByPause);
    }
}

}  // namespace
}  // namespace glintwake
