// The portable sin, cos and atan2: the true result rounded to the nearest double
// wherever the game's angles fall and at the awkward places (next to multiples of
// pi/2, table half-steps, octant edges, tiny and huge ratios), the C standard's
// special values, and never more than a unit in the last place from this machine's
// C library.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>

#include "core/Maths.h"
#include "core/MathsCases.h"

namespace {

using glintwake::maths::atan2;
using glintwake::maths::cos;
using glintwake::maths::sin;

constexpr double Inf = std::numeric_limits<double>::infinity();
constexpr double Pi = 0x1.921fb54442d18p+1;

// Equal bits, so +0 and -0 differ and a NaN matches only a NaN.
void expectSameBits(double expected, double actual, const char* what, double a, double b = 0.0) {
    if (std::isnan(expected) && std::isnan(actual)) return;
    EXPECT_EQ(std::bit_cast<uint64_t>(expected), std::bit_cast<uint64_t>(actual))
        << what << "(" << std::hexfloat << a << ", " << b << "): expected " << expected << ", got " << actual;
}

int64_t unitsApart(double a, double b) {
    const auto ia = std::bit_cast<int64_t>(a);
    const auto ib = std::bit_cast<int64_t>(b);
    return ia > ib ? ia - ib : ib - ia;
}

TEST(MathsTest, SinAndCosAreTheTrueValueRounded) {
    for (const AngleCase& c : AngleCases) {
        expectSameBits(c.sin, sin(c.x), "sin", c.x);
        expectSameBits(c.cos, cos(c.x), "cos", c.x);
    }
}

TEST(MathsTest, Atan2IsTheTrueValueRoundedInEveryOctant) {
    for (const RatioCase& c : RatioCases) {
        expectSameBits(c.atan2, atan2(c.y, c.x), "atan2", c.y, c.x);
        // The mirror images land in the other octants.
        expectSameBits(-c.atan2, atan2(-c.y, c.x), "atan2", -c.y, c.x);
    }
}

TEST(MathsTest, SpecialValuesFollowTheCLibrary) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double specials[][3] = {
        {0.0, 0.0, 0.0},      {-0.0, 0.0, -0.0},
        {0.0, -0.0, Pi},      {-0.0, -0.0, -Pi},
        {0.0, -1.0, Pi},      {-0.0, -1.0, -Pi},
        {1.0, 0.0, Pi / 2},   {-1.0, -0.0, -Pi / 2},
        {Inf, Inf, Pi / 4},   {Inf, -Inf, 0x1.2d97c7f3321d2p+1},
        {-Inf, 1.0, -Pi / 2}, {1.0, Inf, 0.0},
        {-1.0, Inf, -0.0},    {1.0, -Inf, Pi},
        {nan, 1.0, nan},      {1.0, nan, nan},
    };
    for (const auto& s : specials) expectSameBits(s[2], atan2(s[0], s[1]), "atan2", s[0], s[1]);
    expectSameBits(-0.0, sin(-0.0), "sin", -0.0);
    expectSameBits(1.0, cos(-0.0), "cos", -0.0);
    for (double x : {Inf, -Inf, nan}) {
        EXPECT_TRUE(std::isnan(sin(x))) << x;
        EXPECT_TRUE(std::isnan(cos(x))) << x;
    }
}

// A build that fuses a * b + c into one rounding (allowed by default on machines
// with FMA) would round the game differently from one without.
TEST(MathsTest, ArithmeticIsRoundedStepByStep) {
    // volatile, so the compiler cannot work the sum out while building.
    volatile double a = 1.0 + 0x1p-30;
    volatile double c = -(1.0 + 0x1p-29);
    const double x = a;
    EXPECT_EQ(0.0, x * x + c);  // fused, it would be 2^-60
}

TEST(MathsTest, NeverMoreThanOneUnitFromTheCLibrary) {
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> angle(-50.0, 50.0);
    std::uniform_real_distribution<double> coordinate(-2000.0, 2000.0);
    for (int i = 0; i < 200000; ++i) {
        const double x = angle(random);
        ASSERT_LE(unitsApart(std::sin(x), sin(x)), 1) << std::hexfloat << x;
        ASSERT_LE(unitsApart(std::cos(x), cos(x)), 1) << std::hexfloat << x;
        const double a = coordinate(random);
        const double b = coordinate(random);
        ASSERT_LE(unitsApart(std::atan2(a, b), atan2(a, b)), 1) << std::hexfloat << a << " " << b;
    }
}

}  // namespace
