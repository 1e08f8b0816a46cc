#pragma once
// Starts the next wave of five enemies; after every third cleared wave it also
// opens the shop.
#include <cstdint>

namespace glintwake {

constexpr int32_t WaveSize = 5;
constexpr int32_t ShopPeriod = 3;

void spawnWave();

}  // namespace glintwake
