#include <gtest/gtest.h>

#include "core/Vector2D.h"

namespace glintwake {
namespace {

// The angles carry the residue of a pi cut short, so they are checked to the digits.
TEST(Vector2D, CartesianConstructionDerivesPolarWithTruncatedPi) {
    const Vector2D v(3, 4), up(0, -600);
    EXPECT_DOUBLE_EQ(v.getMagnitude(), 5.0);
    EXPECT_NEAR(v.getAngle(), 53.1301023557, 5e-11);
    EXPECT_DOUBLE_EQ(up.getMagnitude(), 600.0);
    EXPECT_NEAR(up.getAngle(), -90.0000000026, 5e-11);
}

TEST(Vector2D, PolarConstructionLeavesResidueAndRotateDoesNotWrap) {
    const Vector2D down(90, 1, true);
    EXPECT_DOUBLE_EQ(down.getY(), 1.0);
    EXPECT_NEAR(down.getX(), 4.49e-11, 0.01e-11);
    Vector2D v(291, 600, true);
    v.rotate(7);
    EXPECT_EQ(v.getAngle(), 298.0);
    EXPECT_EQ(v.getMagnitude(), 600.0);
}

TEST(Vector2D, ScaleByZeroKeepsAngleAndStaysZero) {
    Vector2D v(3, 4);
    const double angle = v.getAngle();
    v.scale(0);
    EXPECT_EQ(v.getAngle(), angle);
    EXPECT_EQ(v.getY(), 0.0);
    v.scale(5);
    EXPECT_EQ(v.getMagnitude(), 0.0);
}

}  // namespace
}  // namespace glintwake
