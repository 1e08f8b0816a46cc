#include <gtest/gtest.h>

#include "core/Random.h"
#include "world/GameState.h"

namespace glintwake {
namespace {

// The first draws of any rand() built on the classic rule, seeded with 1 - which is
// also where resetGameState puts the generator back; the state wraps modulo 2^32.
TEST(Random, SeedOneSequenceWhenSeededAndAfterReset) {
    for (bool reset : {false, true}) {
        SCOPED_TRACE(reset ? "after reset" : "seeded");
        seedRandom(reset ? 99 : 1);
        if (reset) resetGameState();
        for (int32_t e : {41, 18467, 6334, 26500, 19169, 15724, 11478, 29358, 26962, 24464})
            EXPECT_EQ(nextRandom(), e);
        EXPECT_EQ(randomState(), 0xDF90722Bu);
    }
}

}  // namespace
}  // namespace glintwake
