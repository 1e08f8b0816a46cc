#include <gtest/gtest.h>

#include <utility>

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

// Rotation adds to the angle without wrapping; scaling to zero keeps the angle.
TEST(Vector2D, PolarConstructionLeavesResidueRotateAndScaleKeepTheAngle) {
    const Vector2D down(90, 1, true);
    EXPECT_DOUBLE_EQ(down.getY(), 1.0);
    EXPECT_NEAR(down.getX(), 4.49e-11, 0.01e-11);
    Vector2D v(291, 600, true);
    v.rotate(7);
    EXPECT_EQ(std::pair(v.getAngle(), v.getMagnitude()), std::pair(298.0, 600.0));
    v.scale(0);
    EXPECT_EQ(std::pair(v.getAngle(), v.getY()), std::pair(298.0, 0.0));
    v.scale(5);
    EXPECT_EQ(v.getMagnitude(), 0.0);
}

}  // namespace
}  // namespace glintwake
