// Shots: the three main-gun lasers, the charge laser, the missile and the enemy laser.
#include <algorithm>
#include <cmath>
#include <numbers>

#include "Images.h"
#include "Noise.h"

namespace imagegen {

namespace {

constexpr int LaserFrames = 3;
constexpr int SmallBoltWidth = 4;
constexpr int SmallBoltHeight = 8;
constexpr int PowerSize = 10;
constexpr int ChargeWidth = 11;
constexpr int ChargeHeight = 19;
constexpr int MissileWidth = 5;
constexpr int MissileHeight = 14;

struct BoltColours {
    Rgb edge;
    Rgb body;
    Rgb core;
};

// A 4x8 bolt flying up: rounded head, a bright band that runs down it frame by frame.
Canvas smallBolt(const BoltColours& c, int frame) {
    Canvas bolt(SmallBoltWidth, SmallBoltHeight);
    const int pulse = 1 + frame;
    for (int x = 1; x <= 2; ++x) bolt.plot(x, 0, c.core);
    for (int y = 1; y <= 5; ++y) {
        const Rgb edge = y == 5 ? scale(c.edge, 0.7) : c.edge;
        bolt.plot(0, y, edge);
        bolt.plot(3, y, edge);
        const Rgb inner = (y == pulse || y == pulse + 1) ? c.core : c.body;
        bolt.plot(1, y, inner);
        bolt.plot(2, y, inner);
    }
    bolt.plot(1, 6, c.edge);
    bolt.plot(2, 6, c.edge);
    if (frame != 1) {
        bolt.plot(1, 7, scale(c.edge, 0.5));
        bolt.plot(2, 7, scale(c.edge, 0.5));
    } else {
        bolt.plot(0, 6, scale(c.edge, 0.4));
        bolt.plot(3, 6, scale(c.edge, 0.4));
        bolt.plot(1, 7, scale(c.edge, 0.35));
    }
    return bolt;
}

Canvas smallBoltStrip(const BoltColours& colours, bool downward) {
    std::vector<Canvas> frames;
    for (int f = 0; f < LaserFrames; ++f) {
        Canvas up = smallBolt(colours, f);
        if (!downward) {
            frames.push_back(up);
            continue;
        }
        Canvas down(SmallBoltWidth, SmallBoltHeight);
        for (int y = 0; y < SmallBoltHeight; ++y)
            for (int x = 0; x < SmallBoltWidth; ++x)
                if (up.isOpaque(x, y)) down.plot(x, SmallBoltHeight - 1 - y, up.get(x, y));
        frames.push_back(down);
    }
    return Canvas::stack(frames);
}

}  // namespace

Canvas drawNormalLaser() {
    return smallBoltStrip({{225, 60, 20}, {255, 160, 50}, {255, 245, 200}}, false);
}

Canvas drawSuperLaser() {
    return smallBoltStrip({{70, 160, 255}, {165, 220, 255}, {240, 250, 255}}, false);
}

Canvas drawEnemyLaser() {
    return smallBoltStrip({{30, 170, 40}, {120, 250, 100}, {225, 255, 205}}, true);
}

Canvas drawPowerLaser() {
    constexpr double Centre = PowerSize / 2.0;
    constexpr double Radius = PowerSize / 2.0;
    constexpr Rgb Rim{105, 30, 200};
    constexpr Rgb Violet{175, 90, 255};
    constexpr Rgb White{255, 255, 255};
    std::vector<Canvas> frames;
    for (int f = 0; f < LaserFrames; ++f) {
        Canvas c(PowerSize, PowerSize);
        // Four spokes that turn by a third of a quarter turn each frame, so the loop is seamless.
        const double turn = std::numbers::pi / 2 * f / LaserFrames;
        for (int y = 0; y < PowerSize; ++y) {
            for (int x = 0; x < PowerSize; ++x) {
                const double dx = x + 0.5 - Centre;
                const double dy = y + 0.5 - Centre;
                const double d = std::hypot(dx, dy) / Radius;
                const double spoke = std::pow(std::max(0.0, std::cos(4 * (std::atan2(dy, dx) - turn))), 4);
                const double heat = std::max(0.0, 1.0 - d / 0.45) + spoke * 1.4 * (1.1 - d);
                if (d > 1.05 && spoke < 0.5) continue;
                const Rgb base = d > 0.78 ? Rim : Violet;
                c.plot(x, y, mix(base, White, std::clamp(heat, 0.0, 1.0)));
            }
        }
        frames.push_back(c);
    }
    return Canvas::stack(frames);
}

Canvas drawChargeLaser() {
    constexpr double Axis = ChargeWidth / 2.0;
    constexpr int HeadRows = 4;
    constexpr int TailStart = 12;
    constexpr Rgb Edge{255, 150, 30};
    constexpr Rgb Yellow{255, 235, 90};
    constexpr Rgb White{255, 255, 240};
    std::vector<Canvas> frames;
    for (int f = 0; f < LaserFrames; ++f) {
        Canvas c(ChargeWidth, ChargeHeight);
        for (int y = 0; y < ChargeHeight; ++y) {
            double half = Axis;
            if (y < HeadRows) half = Axis * std::sqrt((y + 0.7) / (HeadRows + 0.7));
            if (y >= TailStart) {
                const double along = (y - TailStart + 1.0) / (ChargeHeight - TailStart + 1.0);
                half = Axis * (1.0 - along) + 1.2 * (hashNoise(y, f, 31) - 0.5);
            }
            for (int x = 0; x < ChargeWidth; ++x) {
                const double u = std::fabs(x + 0.5 - Axis) / half;
                const double flicker = 0.25 * (hashNoise(x, y, 17 + static_cast<uint32_t>(f)) - 0.5);
                if (u > 1.0 + flicker * 0.5) continue;
                const double heat = 1.0 - u + flicker;
                Rgb colour = heat > 0.6 ? mix(Yellow, White, std::min(1.0, (heat - 0.6) / 0.3))
                                        : mix(Edge, Yellow, std::max(0.0, heat / 0.6));
                if (y >= TailStart) colour = scale(colour, 1.0 - 0.08 * (y - TailStart));
                c.plot(x, y, colour);
            }
        }
        frames.push_back(c);
    }
    return Canvas::stack(frames);
}

Canvas drawPlayerMissile() {
    constexpr Rgb NoseRed{225, 45, 35};
    constexpr Rgb BodyLight{235, 235, 240};
    constexpr Rgb BodyMid{180, 184, 195};
    constexpr Rgb BodyDark{110, 114, 128};
    constexpr Rgb Fin{90, 92, 110};
    constexpr Rgb FlameCore{255, 250, 200};
    constexpr Rgb FlameMid{255, 170, 50};
    constexpr Rgb FlameTip{220, 70, 20};
    std::vector<Canvas> frames;
    for (int f = 0; f < 2; ++f) {
        Canvas c(MissileWidth, MissileHeight);
        c.plot(2, 0, NoseRed);
        for (int x = 1; x <= 3; ++x) c.plot(x, 1, x == 3 ? scale(NoseRed, 0.7) : NoseRed);
        for (int y = 2; y <= 10; ++y) {
            c.plot(1, y, BodyLight);
            c.plot(2, y, BodyMid);
            c.plot(3, y, BodyDark);
        }
        for (int x = 1; x <= 3; ++x) c.plot(x, 5, x == 3 ? scale(NoseRed, 0.7) : NoseRed);
        for (int y = 8; y <= 10; ++y) {
            c.plot(0, y, Fin);
            c.plot(4, y, scale(Fin, 0.75));
        }
        if (f == 0) {
            for (int x = 1; x <= 3; ++x) c.plot(x, 11, x == 2 ? FlameCore : FlameMid);
            for (int x = 1; x <= 3; ++x) c.plot(x, 12, x == 2 ? FlameMid : FlameTip);
            c.plot(2, 13, FlameTip);
        } else {
            c.plot(2, 11, FlameCore);
            c.plot(1, 11, FlameMid);
            c.plot(3, 11, FlameMid);
            c.plot(2, 12, FlameTip);
        }
        frames.push_back(c);
    }
    return Canvas::stack(frames);
}

}  // namespace imagegen
