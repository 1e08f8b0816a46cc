#include "core/Random.h"

namespace glintwake {

namespace {
uint32_t g_randomState = InitialRandomSeed;
}

void seedRandom(uint32_t seed) {
    g_randomState = seed;
}

int32_t nextRandom() {
    g_randomState = g_randomState * RandomMultiplier + RandomIncrement;  // wraps mod 2^32
    return static_cast<int32_t>((g_randomState >> 16) & 0x7FFF);
}

uint32_t randomState() {
    return g_randomState;
}

}  // namespace glintwake
