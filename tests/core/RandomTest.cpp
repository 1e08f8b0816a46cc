#include <gtest/gtest.h>

#include "core/Random.h"
#include "world/GameState.h"

namespace glintwake {
namespace {

// The first draws of any rand() built on the classic rule, seeded with 1 - which is
// also where the generator starts and where resetGameState puts it back.
TEST(Random, SeedOneSequenceWhenSeededAndAfterReset) {
    const auto expectSeedOneDraws = [] {
        for (int32_t e : {41, 18467, 6334, 26500, 19169, 15724, 11478, 29358, 26962, 24464})
            EXPECT_EQ(nextRandom(), e);
    };
    seedRandom(1);
    expectSeedOneDraws();
    seedRandom(99);
    resetGameState();
    expectSeedOneDraws();
}

// The state wraps modulo 2^32 for a million steps without drifting.
TEST(Random, StateAfterAMillionStepsIsPinned) {
    seedRandom(12345);
    int32_t last = 0;
    for (int i = 0; i < 1'000'000; ++i) last = nextRandom();
    EXPECT_EQ(randomState(), 0xC5ABC179u);
    EXPECT_EQ(last, 17835);
}

}  // namespace
}  // namespace glintwake
