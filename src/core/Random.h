#pragma once
// The program's one pseudo-random generator, with the classic rand()/srand() rule:
// state = state * 214013 + 2531011 (mod 2^32); a draw returns bits 16..30.
#include <cstdint>

namespace glintwake {

constexpr uint32_t RandomMultiplier = 214013u;
constexpr uint32_t RandomIncrement = 2531011u;
constexpr int32_t RandomMax = 32767;
constexpr uint32_t InitialRandomSeed = 1;  // the state before any seeding

void seedRandom(uint32_t seed);
int32_t nextRandom();  // 0 .. 32767
uint32_t randomState();

}  // namespace glintwake
