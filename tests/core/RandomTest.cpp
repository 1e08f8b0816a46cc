#include <gtest/gtest.h>

#include "core/Random.h"

namespace glintwake {
namespace {

TEST(Random, ClassicRuleAndItsSeedOneSequence) {
    EXPECT_EQ(RandomMultiplier, 214013u);
    EXPECT_EQ(RandomIncrement, 2531011u);
    EXPECT_EQ(RandomMax, 32767);
    seedRandom(1);
    // The first draws of any rand() built on this rule, seeded with 1.
    for (int32_t e : {41, 18467, 6334, 26500, 19169, 15724, 11478, 29358, 26962, 24464})
        EXPECT_EQ(nextRandom(), e);
}

TEST(Random, StateAfterManyStepsIsPinned) {
    seedRandom(12345);
    uint32_t state = 12345;
    for (int i = 0; i < 1'000'000; ++i) {
        state = state * 214013u + 2531011u;
        ASSERT_EQ(nextRandom(), int32_t((state >> 16) & 0x7FFF));
    }
    EXPECT_EQ(randomState(), state);
}

}  // namespace
}  // namespace glintwake
