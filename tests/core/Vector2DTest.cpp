#include <gtest/gtest.h>

#include "core/Vector2D.h"

namespace glintwake {
namespace {

TEST(Vector2D, CartesianConstructionDerivesPolarWithTruncatedPi) {
    const Vector2D v(3, 4);
    EXPECT_DOUBLE_EQ(v.getMagnitude(), 5.0);
    EXPECT_NEAR(v.getAngle(), 53.1301023557, 5e-11);

    const Vector2D up(0, -600);
    EXPECT_DOUBLE_EQ(up.getMagnitude(), 600.0);
    EXPECT_NEAR(up.getAngle(), -90.0000000026, 5e-11);

    const Vector2D zero(0, 0);
    EXPECT_EQ(zero.getMagnitude(), 0.0);
    EXPECT_EQ(zero.getAngle(), 0.0);
}

TEST(Vector2D, PolarConstructionLeavesResidues) {
    const Vector2D down(90, 1, true);
    EXPECT_DOUBLE_EQ(down.getY(), 1.0);
    EXPECT_NEAR(down.getX(), 4.49e-11, 0.01e-11);

    const Vector2D up(270, 600, true);
    EXPECT_NEAR(up.getX(), -8.1e-8, 0.1e-8);
    EXPECT_EQ(up.getAngle(), 270.0);  // set directly: not wrapped
}

TEST(Vector2D, ScaleByZeroKeepsAngleAndStaysZero) {
    Vector2D v(3, 4);
    const double angle = v.getAngle();
    v.scale(0);
    EXPECT_EQ(v.getAngle(), angle);
    EXPECT_EQ(v.getX(), 0.0);
    EXPECT_EQ(v.getY(), 0.0);
    EXPECT_EQ(v.getMagnitude(), 0.0);
    v.scale(5);
    EXPECT_EQ(v.getMagnitude(), 0.0);
}

TEST(Vector2D, RotateDoesNotWrap) {
    Vector2D v(291, 600, true);
    v.rotate(7);
    EXPECT_EQ(v.getAngle(), 298.0);
    EXPECT_EQ(v.getMagnitude(), 600.0);
}

TEST(Vector2D, MovementStepLeavesVelocityUnchanged) {
    Vector2D position(10, 10);
    const Vector2D velocity(0, -600);
    position.addScaled(velocity, 0.5);
    EXPECT_NEAR(position.getX(), 10.0, 1e-6);
    EXPECT_NEAR(position.getY(), -290.0, 1e-9);
    EXPECT_EQ(velocity.getY(), -600.0);
    EXPECT_EQ(velocity.getX(), 0.0);
}

TEST(Vector2D, MirroringWithSetX) {
    Vector2D v(120, 50, true);
    const double magnitude = v.getMagnitude();
    v.setX(-v.getX());
    EXPECT_NEAR(v.getMagnitude(), magnitude, 1e-9);
    EXPECT_NEAR(v.getAngle(), 60.0, 1e-6);
}

}  // namespace
}  // namespace glintwake
