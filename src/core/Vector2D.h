#pragma once
// A 2-D vector kept in Cartesian (x, y) and polar (angle in degrees, magnitude)
// form at once; every change re-derives the other form.
#include <ostream>

namespace glintwake {

// Kept at ten decimals on purpose: the game's directions and residues depend on it.
constexpr double Pi = 3.1415926535;

class Vector2D {
public:
    Vector2D() : Vector2D(0.0, 0.0, false) {}
    Vector2D(double a, double b, bool polar = false);

    double getX() const { return x; }
    double getY() const { return y; }
    double getAngle() const { return angle; }
    double getMagnitude() const { return magnitude; }

    void add(const Vector2D& o);
    void scale(double k);
    void rotate(double degrees);
    void setX(double v);
    void setY(double v);
    void setCartesian(double a, double b);

    // The standard movement step: position += velocity * dt, velocity unchanged.
    void addScaled(const Vector2D& velocity, double dt);

private:
    void syncPolar();
    void syncCartesian();

    double x = 0.0;
    double y = 0.0;
    double angle = 0.0;
    double magnitude = 0.0;
};

std::ostream& operator<<(std::ostream& os, const Vector2D& v);

}  // namespace glintwake
