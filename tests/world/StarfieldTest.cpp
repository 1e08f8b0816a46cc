#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "core/Random.h"
#include "world/GameState.h"
#include "world/Starfield.h"

namespace glintwake {
namespace {

using Bytes = std::vector<uint8_t>;

// Colour bytes whose products with every weight below lie well away from whole
// numbers, so the expected bytes do not hinge on the last bit of a weight.
constexpr uint8_t Colour[3] = {101, 153, 187};
constexpr uint16_t Column = 100;

// Every test draws into a buffer whose rows are padded past the 640 pixels.
class StarfieldTest : public ::testing::Test {
protected:
    void SetUp() override {
        resetGameState();
        g_backBuffer = &surface_;
        // The other stars stand still, out of the way, at column 600.
        for (Star& s : g_stars) s = Star{600, 20.0, 0.0, {200, 200, 200}, 20.0};
    }
    void TearDown() override { resetGameState(); }
    void placeStar(double previousY, double speed) {
        g_stars[0] = Star{Column, previousY, speed, {Colour[0], Colour[1], Colour[2]}, previousY};
    }
    // The four bytes of a pixel in memory order.
    Bytes bytesAt(int x, int y) {
        const uint8_t* p = surface_.view().base + static_cast<ptrdiff_t>(y) * surface_.view().pitch + 4 * x;
        return {p[0], p[1], p[2], p[3]};
    }
    // Replays the draws of a fresh star (x, y when drawn, base, three colours, speed).
    static void expectFreshStar(const Star& s, bool drawsY) {
        EXPECT_EQ(s.x, nextRandom() % 640);
        if (drawsY) {
            EXPECT_EQ(s.y, nextRandom() % 480);
        }
        const int base = 64 + nextRandom() % 64;
        for (uint8_t c : s.colour) EXPECT_EQ(c, base + nextRandom() % 64);
        EXPECT_EQ(s.speed, 50 + nextRandom() % 175);
    }

    Surface surface_{ScreenWidth, ScreenHeight, ScreenWidth * 4 + 48};
};

struct StreakCase {
    const char* name;
    double previousY, speed, dt;
    std::vector<std::pair<int, double>> rows;  // every lit row of the column, with its hand-worked weight
    friend std::ostream& operator<<(std::ostream& os, const StreakCase& c) { return os << c.name; }
};
class StreakTest : public StarfieldTest, public ::testing::WithParamInterface<StreakCase> {};

TEST_P(StreakTest, DrawsTheRowsWithTheirWeights) {
    const StreakCase c = GetParam();
    placeStar(c.previousY, c.speed);
    updateStarfield(c.dt);
    for (int y = 0; y < ScreenHeight; ++y) {
        double weight = 0.0;
        for (const auto& [row, w] : c.rows) weight = row == y ? w : weight;
        Bytes expected{0};
        for (uint8_t b : Colour) expected.push_back(static_cast<uint8_t>(std::floor(b * weight)));
        EXPECT_EQ(bytesAt(Column, y), expected) << "row " << y;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Streaks, StreakTest,
    ::testing::Values(
        // 200.3 + 120/60 = 202.3: partial ends, full middle.
        StreakCase{"TwoPixelsOfTravel", 200.3, 120.0, 1.0 / 60.0, {{200, 0.7}, {201, 1.0}, {202, 0.3}}},
        // No travel: a one-pixel streak centred on 200.3, spread over two rows.
        StreakCase{"Standing", 200.3, 120.0, 0.0, {{200, 0.2}, {201, 0.8}}},
        // Half a pixel of travel, widened to one pixel centred on 200.45.
        StreakCase{"ShortStreak", 200.2, 30.0, 1.0 / 60.0, {{200, 0.05}, {201, 0.95}}},
        // A top on a row boundary draws that row whole; the far end at 202.0 gets weight 0.
        StreakCase{"OnARowBoundary", 200.0, 120.0, 1.0 / 60.0, {{200, 1.0}, {201, 1.0}}},
        // The lower end rounds to row 480, which is not on the screen.
        StreakCase{"LowerEndOffScreen", 479.6, 0.0, 0.0, {{479, 0.9}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(StarfieldTest, StarReachingExactlyTheBottomReentersWithSixFreshDraws) {
    placeStar(478.0, 120.0);  // 478 + 120/60 is exactly 480
    seedRandom(99);
    updateStarfield(1.0 / 60.0);
    const Star s = g_stars[0];
    const uint32_t stateAfter = randomState();
    seedRandom(99);
    expectFreshStar(s, false);
    EXPECT_EQ(randomState(), stateAfter);
    EXPECT_EQ(std::pair(s.y, s.previousY), std::pair(0.0, 0.0));
    // Drawn this frame already as the new star, from where it was to row 479 (weight 0).
    EXPECT_EQ(bytesAt(s.x, 478), (Bytes{0, s.colour[0], s.colour[1], s.colour[2]}));
    EXPECT_EQ(bytesAt(s.x, 479), Bytes(4, 0));
    EXPECT_EQ(bytesAt(s.x, 0), Bytes(4, 0));
}

TEST_F(StarfieldTest, ClearCoversThePaddingOfEveryRow) {
    const platform::PixelView v = surface_.view();
    std::fill(v.base, v.base + v.sizeBytes(), 0xAB);
    updateStarfield(1.0 / 60.0);
    EXPECT_EQ(std::count(v.base, v.base + v.sizeBytes(), 0xAB), 0);
    EXPECT_FALSE(surface_.isLocked());
}

TEST_F(StarfieldTest, TableIsFilledWithSevenDrawsPerStarInOrder) {
    seedRandom(11);
    initStarfield();
    const uint32_t stateAfter = randomState();
    seedRandom(11);
    for (const Star& s : g_stars) {
        expectFreshStar(s, true);
        EXPECT_EQ(s.previousY, s.y);
    }
    EXPECT_EQ(randomState(), stateAfter);
}

}  // namespace
}  // namespace glintwake
