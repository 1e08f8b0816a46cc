#pragma once
// A clean world for one test: the headless backend with a 640x480 back buffer,
// images of the game's sizes in plain colours, empty lists, the generator seeded.
#include <gtest/gtest.h>

#include <cstdint>

#include "platform/headless/HeadlessPlatform.h"
#include "world/GameState.h"

namespace glintwake::test {

// Sizes of the committed images (frames stacked vertically).
struct ImageSize {
    int32_t width;
    int32_t height;
};
constexpr ImageSize PlayerShipSize{33, 88};
constexpr ImageSize ChargingSize{33, 176};
constexpr ImageSize ChargingReadySize{33, 88};
constexpr ImageSize TeleportSize{40, 176};
constexpr ImageSize LaserSizes[4] = {{4, 24}, {4, 24}, {10, 30}, {11, 57}};
constexpr ImageSize MissileSize{5, 28};
constexpr ImageSize LockOnSize{44, 44};
constexpr ImageSize ShieldSize{45, 70};
constexpr ImageSize EnemySize{40, 40};
constexpr ImageSize EnemyLaserSize{4, 24};
constexpr ImageSize IconSize{12, 19};
constexpr ImageSize BarSize{60, 26};
constexpr ImageSize PowerUpSize{20, 20};
constexpr ImageSize MoneySize{20, 20};
constexpr ImageSize InvincibleSize{35, 320};

// Fills every image slot with a surface of the committed size, each in its own
// solid colour (see colourOf), black as colour key.
void installTestImages();
platform::Pixel colourOf(const Surface* image);

// Allocates the four lists empty, as start-up does.
void allocateLists();

class GameFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Backend with a recording text renderer (no real fonts).
    platform::HeadlessPlatform platform_;
};

// Counts pixels in the back buffer that are not black.
int countLitPixels(const Surface& surface);

}  // namespace glintwake::test
