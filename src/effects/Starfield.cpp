#include "effects/Starfield.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "core/GameObject.h"
#include "core/Random.h"
#include "world/GameState.h"

namespace glintwake {

namespace {

constexpr int32_t StarColourBase = 64;
constexpr int32_t StarColourSpread = 64;
constexpr int32_t StarMinSpeed = 50;
constexpr int32_t StarSpeedRange = 175;
constexpr double ReentryRow = 0.0;
constexpr double LastRow = ScreenHeight - 1;
constexpr double MinStreak = 1.0;
constexpr double DotStreak = 0.1;
constexpr double HalfPixel = 0.5;
// The colour bytes land in bytes 1..3 of the pixel in memory; byte 0 stays black.
constexpr int FirstColourByte = 1;

struct Streak {
    double top;
    double bottom;
};

// Colour and speed: one shared base gives every star a muted tint.
void pickLook(Star& star) {
    const int32_t base = StarColourBase + nextRandom() % StarColourSpread;
    for (uint8_t& c : star.colour) c = static_cast<uint8_t>(base + nextRandom() % StarColourSpread);
    star.speed = static_cast<double>(StarMinSpeed + nextRandom() % StarSpeedRange);
}

uint8_t scaled(uint8_t colour, double weight) {
    // Only the low eight bits are kept, as a byte store does.
    return static_cast<uint8_t>(static_cast<int32_t>(std::floor(colour * weight)));
}

// The three colour bytes of a star's pixel at a weight.
struct Shade {
    uint8_t bytes[3];
};

Shade shadeOf(const Star& star, double weight) {
    Shade shade{};
    for (int i = 0; i < 3; ++i) shade.bytes[i] = scaled(star.colour[i], weight);
    return shade;
}

void writePixel(const platform::PixelView& view, const Star& star, int32_t row, const Shade& shade) {
    uint32_t* pixel = view.at(star.x, row);  // null for rows off the screen
    if (pixel == nullptr) return;
    std::memcpy(reinterpret_cast<uint8_t*>(pixel) + FirstColourByte, shade.bytes, sizeof shade.bytes);
}

// Moves the star by dt and returns the streak it covered; a star that falls off
// the bottom comes back at the top as a new one.
Streak moveStar(Star& star, double dt) {
    star.y += dt * star.speed;
    Streak streak{star.previousY, star.y};
    if (star.y >= ScreenHeight) {
        star.x = static_cast<uint16_t>(nextRandom() % ScreenWidth);
        star.y = ReentryRow;
        pickLook(star);
        streak.bottom = LastRow;
    }
    star.previousY = star.y;

    // Every streak is at least one pixel long.
    const double length = streak.bottom - streak.top;
    if (length < DotStreak) {
        streak.bottom = streak.top + HalfPixel;
        streak.top -= HalfPixel;
    } else if (length < MinStreak) {
        const double centre = (streak.top + streak.bottom) / 2;
        streak.top = centre - HalfPixel;
        streak.bottom = centre + HalfPixel;
    }
    return streak;
}

// std::fmod(v, 1.0) for every double, without the library call: the part after the
// point, exact, with v's sign.
double fractionOf(double v) {
    return std::copysign(v - std::trunc(v), v);
}

// Both ends are drawn with the part of their pixel the streak covers.
void drawStreak(const platform::PixelView& view, const Star& star, const Streak& streak) {
    const int32_t row0 = screenCoord(streak.top + HalfPixel);
    const int32_t row1 = screenCoord(streak.bottom + HalfPixel);
    writePixel(view, star, row0, shadeOf(star, 1.0 - fractionOf(streak.top)));
    writePixel(view, star, row1, shadeOf(star, fractionOf(streak.bottom)));
    // Only rows on the screen are visited, however far a stray dt threw the star.
    const int32_t firstMiddle = std::max(row0 + 1, 0);
    const int32_t endMiddle = std::min(row1, view.height);
    if (firstMiddle >= endMiddle) return;
    // A whole pixel is the colour itself: worked out once for the middle rows.
    const Shade full = shadeOf(star, 1.0);
    for (int32_t row = firstMiddle; row < endMiddle; ++row) writePixel(view, star, row, full);
}

}  // namespace

void initStarfield() {
    for (Star& star : g_stars) star = Star{};
    for (Star& star : g_stars) {
        star.x = static_cast<uint16_t>(nextRandom() % ScreenWidth);
        star.y = static_cast<double>(nextRandom() % ScreenHeight);
        pickLook(star);
        star.previousY = star.y;
    }
}

void updateStarfield(double dt) {
    platform::PixelView view;
    const bool locked = g_backBuffer != nullptr && g_backBuffer->lock(view);
    if (locked) std::memset(view.base, 0, view.sizeBytes());
    for (Star& star : g_stars) {
        const Streak streak = moveStar(star, dt);
        if (locked) drawStreak(view, star, streak);
    }
    if (locked) g_backBuffer->unlock();
}

}  // namespace glintwake
