// The six spark styles: each draws a colour, a direction, a speed and a lifetime.
#include <new>

#include "core/Random.h"
#include "effects/Effect.h"
#include "world/NewOrNull.h"

namespace glintwake {

namespace {

// A random value base + (r mod spread).
struct Range {
    int32_t base;
    int32_t spread;

    int32_t draw() const { return base + nextRandom() % spread; }
};

// Lifetime base + (r mod 100) / divisor seconds.
struct LifeRange {
    double base;
    double divisor;

    double draw() const { return base + (nextRandom() % LifeDraws) / divisor; }
    static constexpr int32_t LifeDraws = 100;
};

struct SparkStyle {
    Range red;
    Range green;
    Range blue;
    Range speed;
    LifeRange life;
};

constexpr int32_t DirectionDraws = 3600;
constexpr double DirectionDivisor = 10.0;
constexpr int32_t OrangeVariants = 3;

constexpr SparkStyle RedSpark{{192, 64}, {0, 96}, {0, 32}, {50, 150}, {0.5, 200.0}};
constexpr SparkStyle BlueSpark{{64, 64}, {128, 96}, {192, 64}, {50, 150}, {0.5, 200.0}};
constexpr SparkStyle YellowSpark{{192, 64}, {192, 64}, {0, 64}, {100, 200}, {0.35, 400.0}};
constexpr SparkStyle OrangeSlowSpark{{192, 64}, {64, 96}, {0, 32}, {25, 100}, {0.5, 200.0}};
constexpr SparkStyle OrangeFastSpark{{192, 64}, {32, 96}, {0, 32}, {150, 150}, {0.25, 400.0}};
constexpr SparkStyle GreenSpark{{0, 96}, {192, 64}, {0, 32}, {50, 150}, {0.5, 200.0}};
constexpr SparkStyle PaleSpark{{96, 128}, {128, 128}, {96, 128}, {25, 175}, {1.0, 100.0}};

uint32_t drawColor(const SparkStyle& style) {
    const uint32_t red = static_cast<uint32_t>(style.red.draw());
    const uint32_t green = static_cast<uint32_t>(style.green.draw());
    const uint32_t blue = static_cast<uint32_t>(style.blue.draw());
    return (red << 16) + (green << 8) + blue;
}

double drawDirection() {
    return (nextRandom() % DirectionDraws) / DirectionDivisor;
}

Particle* makeParticle(const Vector2D& origin, double direction, double speed, uint32_t color,
                       double lifetime, Effect* owner, int32_t index) {
    const Vector2D velocity(direction, speed, true);
    return newOrNull<Particle>(origin, velocity, color, lifetime, owner, index);
}

// The common draw order: colour, direction, speed, lifetime.
Particle* spawnSpark(const SparkStyle& style, const Vector2D& origin, Effect* owner, int32_t index) {
    const uint32_t color = drawColor(style);
    const double direction = drawDirection();
    const double speed = style.speed.draw();
    const double lifetime = style.life.draw();
    return makeParticle(origin, direction, speed, color, lifetime, owner, index);
}

}  // namespace

Particle* spawnRedParticle(const Vector2D& origin, Effect* owner, int32_t index) {
    return spawnSpark(RedSpark, origin, owner, index);
}

Particle* spawnBlueParticle(const Vector2D& origin, Effect* owner, int32_t index) {
    return spawnSpark(BlueSpark, origin, owner, index);
}

Particle* spawnYellowParticle(const Vector2D& origin, Effect* owner, int32_t index) {
    return spawnSpark(YellowSpark, origin, owner, index);
}

Particle* spawnGreenParticle(const Vector2D& origin, Effect* owner, int32_t index) {
    return spawnSpark(GreenSpark, origin, owner, index);
}

Particle* spawnPaleParticle(const Vector2D& origin, Effect* owner, int32_t index) {
    return spawnSpark(PaleSpark, origin, owner, index);
}

// Orange picks its variant first and draws its direction last.
Particle* spawnOrangeParticle(const Vector2D& origin, Effect* owner, int32_t index) {
    const SparkStyle& style = nextRandom() % OrangeVariants != 0 ? OrangeSlowSpark : OrangeFastSpark;
    const uint32_t color = drawColor(style);
    const double speed = style.speed.draw();
    const double lifetime = style.life.draw();
    const double direction = drawDirection();
    return makeParticle(origin, direction, speed, color, lifetime, owner, index);
}

}  // namespace glintwake
