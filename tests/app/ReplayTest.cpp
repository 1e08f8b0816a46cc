#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/Keys.h"
#include "support/Harness.h"

namespace glintwake {
namespace {

namespace key = platform::key;

// Flying, firing every weapon, shielding and teleporting, with uneven frame times.
const std::vector<test::ScriptStep> Script = {
    {{}, 30},
    {{key::Space}, 90},
    {{key::Left, key::Space}, 40, 0.017},
    {{key::LeftControl}, 100},
    {{}, 2},
    {{key::Z}, 20, 0.021},
    {{key::Right, key::X}, 30},
    {{key::LeftShift, key::Up}, 30, 0.015},
    {{key::RightControl, key::Space}, 40},
    {{key::RightAlt}, 10},
    {{key::LeftAlt, key::Space, key::Down}, 120, 0.033},
};

std::string play(uint32_t seed) {
    test::Harness game(seed);
    EXPECT_TRUE(game.started()) << game.startupError();
    game.runScript(Script);
    return game.summary();
}

TEST(Replay, SameSeedAndKeysGiveTheSameGameAndAnotherSeedAnother) {
    const std::string first = play(2024);
    EXPECT_EQ(play(2024), first);
    EXPECT_NE(play(2025), first);
}

}  // namespace
}  // namespace glintwake
