#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "support/GameFixture.h"
#include "world/Starfield.h"

namespace glintwake {
namespace {

using Bytes = std::vector<uint8_t>;

// Colour bytes whose products with every weight below lie well away from whole
// numbers, so the expected bytes do not hinge on the last bit of a weight.
constexpr uint8_t Colour[3] = {101, 153, 187};
constexpr uint16_t Column = 100;

// Every test draws into a back buffer whose rows are padded past the 640 pixels.
class StarfieldTest : public test::GameFixture {
protected:
    void SetUp() override {
        GameFixture::SetUp();
        platform_.headlessDisplay().setBackBufferPitch(ScreenWidth * 4 + 48);
        g_backBuffer = platform_.display().createBackBuffer();
        // The other stars stand still, out of the way, at column 600.
        for (Star& s : g_stars) s = Star{600, 20.0, 0.0, {200, 200, 200}, 20.0};
    }
    static void placeStar(double previousY, double speed) {
        g_stars[0] = Star{Column, previousY, speed, {Colour[0], Colour[1], Colour[2]}, previousY};
    }
    // The four bytes of a pixel in memory order.
    static Bytes bytesAt(int x, int y) {
        const platform::PixelView v = g_backBuffer->view();
        const uint8_t* p = v.base + static_cast<ptrdiff_t>(y) * v.pitch + 4 * x;
        return {p[0], p[1], p[2], p[3]};
    }
};

TEST_F(StarfieldTest, StreakRowsGetTheirHandWorkedWeights) {
    struct Streak {
        double previousY, speed, dt;
        std::vector<std::pair<int, double>> rows;  // every lit row of the column
    };
    const Streak streaks[] = {
        {200.3, 120.0, 1.0 / 60.0, {{200, 0.7}, {201, 1.0}, {202, 0.3}}},  // ends partial, middle full
        {200.3, 120.0, 0.0, {{200, 0.2}, {201, 0.8}}},  // no travel: one pixel centred on 200.3
        {479.6, 0.0, 0.0, {{479, 0.9}}},                // the lower end, row 480, is off screen
    };
    for (const Streak& c : streaks) {
        SCOPED_TRACE(testing::Message() << c.previousY << " dt " << c.dt);
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
}

TEST_F(StarfieldTest, StarReachingExactlyTheBottomReentersAtTheTop) {
    placeStar(478.0, 120.0);  // 478 + 120/60 is exactly 480
    updateStarfield(1.0 / 60.0);
    const Star s = g_stars[0];
    EXPECT_EQ(std::pair(s.y, s.previousY), std::pair(0.0, 0.0));
    // Drawn this frame already as the new star, from where it was to row 479 (weight 0).
    EXPECT_EQ(bytesAt(s.x, 478), (Bytes{0, s.colour[0], s.colour[1], s.colour[2]}));
    EXPECT_EQ(bytesAt(s.x, 479), Bytes(4, 0));
}

TEST_F(StarfieldTest, ClearCoversThePaddingOfEveryRow) {
    const platform::PixelView v = g_backBuffer->view();
    std::fill(v.base, v.base + v.sizeBytes(), 0xAB);
    updateStarfield(1.0 / 60.0);
    EXPECT_EQ(std::count(v.base, v.base + v.sizeBytes(), 0xAB), 0);
    EXPECT_FALSE(g_backBuffer->isLocked());
}

}  // namespace
}  // namespace glintwake
