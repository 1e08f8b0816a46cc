#include "core/Vector2D.h"

#include <cmath>

#include "core/Maths.h"

namespace glintwake {

Vector2D::Vector2D(double a, double b, bool polar) {
    if (polar) {
        angle = a;
        magnitude = b;
        syncCartesian();
    } else {
        x = a;
        y = b;
        syncPolar();
    }
}

void Vector2D::syncPolar() {
    magnitude = std::sqrt(x * x + y * y);
    angle = maths::atan2(y, x) * 180 / Pi;
}

void Vector2D::syncCartesian() {
    x = maths::cos(angle * Pi / 180) * magnitude;
    y = maths::sin(angle * Pi / 180) * magnitude;
}

void Vector2D::add(const Vector2D& o) {
    x = x + o.x;
    y = y + o.y;
    syncPolar();
}

void Vector2D::scale(double k) {
    magnitude = k * magnitude;
    syncCartesian();
}

void Vector2D::rotate(double degrees) {
    angle = degrees + angle;
    syncCartesian();
}

void Vector2D::setX(double v) {
    x = v;
    syncPolar();
}

void Vector2D::setY(double v) {
    y = v;
    syncPolar();
}

void Vector2D::setCartesian(double a, double b) {
    x = a;
    y = b;
    syncPolar();
}

void Vector2D::addScaled(const Vector2D& velocity, double dt) {
    Vector2D step(velocity);
    step.scale(dt);
    add(step);
}

std::ostream& operator<<(std::ostream& os, const Vector2D& v) {
    return os << "Vector2D{x=" << v.getX() << ", y=" << v.getY() << ", angle=" << v.getAngle()
              << ", magnitude=" << v.getMagnitude() << "}";
}

}  // namespace glintwake
