// The player's ship: plain, charging, charged, teleporting, and its two overlays.
#include <algorithm>
#include <cmath>
#include <numbers>

#include "Images.h"
#include "Noise.h"

namespace imagegen {

namespace {

constexpr int ShipWidth = 33;
constexpr int ShipHeight = 44;
constexpr double ShipAxis = 16.5;  // the ship is mirror-symmetric about this x
constexpr int TeleportWidth = 40;
constexpr int TeleportMargin = 3;  // the teleport frames are drawn 3 px left of the ship
constexpr int ShieldWidth = 45;
constexpr int ShieldHeight = 35;
constexpr int InvincibleWidth = 35;
constexpr int InvincibleHeight = 40;

constexpr Rgb HullLight{215, 222, 235};
constexpr Rgb HullDark{72, 80, 100};
constexpr Rgb WingLight{150, 160, 182};
constexpr Rgb WingDark{58, 64, 84};
constexpr Rgb GunMetal{120, 124, 136};
constexpr Rgb Accent{210, 40, 45};
constexpr Rgb CanopyTop{170, 240, 255};
constexpr Rgb CanopyBottom{20, 70, 150};
constexpr Rgb NozzleColour{55, 55, 66};
constexpr Rgb FlameCore{255, 255, 215};
constexpr Rgb FlameMid{255, 185, 60};
constexpr Rgb FlameEdge{215, 70, 20};
constexpr Rgb ChargeLight{255, 225, 120};
constexpr Rgb White{255, 255, 255};
constexpr Rgb TeleportTint{120, 225, 255};

// Mirrors polygon points across the ship's axis.
std::vector<Point> mirrored(const std::vector<Point>& points, double axis = ShipAxis) {
    std::vector<Point> out;
    for (const Point& p : points) out.push_back({2 * axis - p.x, p.y});
    return out;
}

// Light comes from the upper left: brighter on the left, darker to the right and down.
Shader metal(Rgb light, Rgb dark, double left, double right) {
    return [=](double x, double y) {
        const double across = (x - left) / (right - left);
        return mix(light, dark, std::clamp(0.15 + 0.7 * across + y / 160.0, 0.0, 1.0));
    };
}

void drawFlame(Canvas& c, double centreX, int top, int length, double halfWidth) {
    for (int row = 0; row < length; ++row) {
        const double along = static_cast<double>(row) / length;
        const double half = halfWidth * (1.0 - along * 0.8);
        for (int x = 0; x < c.width(); ++x) {
            const double off = std::fabs(x + 0.5 - centreX) / half;
            if (off > 1.0) continue;
            const double heat = (1.0 - off) * (1.0 - along * 0.7);
            c.plot(x, top + row,
                   heat > 0.55 ? mix(FlameMid, FlameCore, (heat - 0.55) / 0.45)
                               : mix(FlameEdge, FlameMid, heat / 0.55));
        }
    }
}

// The ship alone; the engine flames flicker between flame frames 0 and 1.
Canvas shipFrame(int flameFrame) {
    Canvas c(ShipWidth, ShipHeight);
    const std::vector<Point> leftWing = {{13, 15}, {13, 33}, {3, 34}, {3, 26}};
    const std::vector<Point> leftFin = {{13, 28}, {13, 38}, {9, 39}};
    const std::vector<Point> leftPod = {{2, 19}, {6, 19}, {6, 35}, {2, 35}};
    const std::vector<Point> leftBarrel = {{3, 9}, {5, 9}, {5, 19}, {3, 19}};
    const std::vector<Point> fuselage = {{16.5, 1}, {19, 7},    {20.5, 13}, {20.5, 34}, {19, 38},
                                         {14, 38},  {12.5, 34}, {12.5, 13}, {14, 7}};
    c.fillPolygon(leftWing, metal(WingLight, WingDark, 3, 30));
    c.fillPolygon(mirrored(leftWing), metal(WingLight, WingDark, 3, 30));
    c.fillPolygon(leftFin, metal(WingLight, WingDark, 3, 30));
    c.fillPolygon(mirrored(leftFin), metal(WingLight, WingDark, 3, 30));
    for (const auto& part : {leftPod, leftBarrel}) {
        c.fillPolygon(part, metal(HullLight, GunMetal, 0, 33));
        c.fillPolygon(mirrored(part), metal(HullLight, GunMetal, 0, 33));
    }
    c.fillPolygon(fuselage, metal(HullLight, HullDark, 12, 21));
    c.outline(0.55);

    // Red stripes along the wings' leading edges and on the pods.
    for (int i = 0; i < 8; ++i) {
        const int x = 12 - i;
        const int y = 19 + i;
        c.plot(x, y, Accent);
        c.plot(ShipWidth - 1 - x, y, Accent);
    }
    for (int y = 21; y < 23; ++y)
        for (int x = 3; x < 5; ++x) {
            c.plot(x, y, Accent);
            c.plot(ShipWidth - 1 - x, y, Accent);
        }
    // Hot gun muzzles.
    for (int x = 3; x < 5; ++x) {
        c.plot(x, 9, {255, 240, 190});
        c.plot(ShipWidth - 1 - x, 9, {255, 240, 190});
    }
    c.fillEllipse(ShipAxis, 15, 2.1, 4.6, [](double, double y) {
        return mix(CanopyTop, CanopyBottom, std::clamp((y - 11) / 8.0, 0.0, 1.0));
    });
    c.plot(15, 12, White);
    c.fillRect(14, 37, 5, 2, NozzleColour);
    c.fillRect(3, 34, 2, 2, NozzleColour);
    c.fillRect(28, 34, 2, 2, NozzleColour);

    const bool longFlame = flameFrame % 2 == 0;
    drawFlame(c, ShipAxis, 39, longFlame ? 5 : 4, longFlame ? 2.6 : 3.1);
    drawFlame(c, 4, 36, longFlame ? 3 : 2, 1.2);
    drawFlame(c, ShipWidth - 4, 36, longFlame ? 2 : 3, 1.2);
    return c;
}

// Energy gathering at the nose and the gun muzzles; strength 0..1.
void chargeGlow(Canvas& c, double strength) {
    c.glow(ShipAxis, 3.5, 3.0 + 7.0 * strength, ChargeLight, 0.6 + 0.9 * strength);
    c.glow(ShipAxis, 3.5, 1.5 + 3.0 * strength, White, 0.5 + 1.0 * strength);
    c.glow(4, 8.5, 1.5 + 2.5 * strength, ChargeLight, 0.5 + 0.8 * strength);
    c.glow(ShipWidth - 4, 8.5, 1.5 + 2.5 * strength, ChargeLight, 0.5 + 0.8 * strength);
}

// A thin glowing rim just outside the hull, above the engines.
void aura(Canvas& c, Rgb colour, double strength) {
    constexpr int AuraBottom = 34;
    const Canvas hull = c;
    for (int y = 0; y < AuraBottom; ++y)
        for (int x = 0; x < c.width(); ++x)
            if (!hull.isOpaque(x, y) && (hull.isOpaque(x - 1, y) || hull.isOpaque(x + 1, y) ||
                                         hull.isOpaque(x, y - 1) || hull.isOpaque(x, y + 1)))
                c.addLight(x, y, colour, strength);
}

}  // namespace

Canvas drawPlayerShip() {
    return Canvas::stack({shipFrame(0), shipFrame(1)});
}

// Each icon pixel averages a grid of samples of the ship; it is opaque where
// at least half of them hit the ship, so the outline stays crisp.
Canvas drawIcon() {
    constexpr int Samples = 4;
    constexpr double Scale = static_cast<double>(IconSize) / ShipHeight;
    const Canvas ship = shipFrame(0);
    const double left = (IconSize - ShipWidth * Scale) / 2.0;
    Canvas icon(IconSize, IconSize);
    for (int y = 0; y < IconSize; ++y) {
        for (int x = 0; x < IconSize; ++x) {
            int hits = 0, r = 0, g = 0, b = 0;
            for (int sy = 0; sy < Samples; ++sy) {
                for (int sx = 0; sx < Samples; ++sx) {
                    const double u = (x + (sx + 0.5) / Samples - left) / Scale;
                    const double v = (y + (sy + 0.5) / Samples) / Scale;
                    const Rgb c = ship.get(static_cast<int>(std::floor(u)), static_cast<int>(std::floor(v)));
                    if (c == Transparent) continue;
                    ++hits;
                    r += c.r;
                    g += c.g;
                    b += c.b;
                }
            }
            if (hits * 2 < Samples * Samples) continue;
            icon.plot(x, y, Rgb{uint8_t(r / hits), uint8_t(g / hits), uint8_t(b / hits)});
        }
    }
    return icon;
}

Canvas drawCharging() {
    constexpr int Frames = 4;
    std::vector<Canvas> frames;
    for (int f = 0; f < Frames; ++f) {
        Canvas c = shipFrame(f);
        chargeGlow(c, static_cast<double>(f) / (Frames - 1) * 0.75);
        frames.push_back(c);
    }
    return Canvas::stack(frames);
}

Canvas drawChargingReady() {
    std::vector<Canvas> frames;
    for (int f = 0; f < 2; ++f) {
        Canvas c = shipFrame(f);
        aura(c, ChargeLight, f == 0 ? 0.7 : 1.0);
        chargeGlow(c, f == 0 ? 0.9 : 1.1);
        frames.push_back(c);
    }
    return Canvas::stack(frames);
}

Canvas drawTeleport() {
    constexpr int Frames = 4;
    constexpr double Kept[Frames] = {0.9, 0.6, 0.3, 0.07};
    constexpr double Tint[Frames] = {0.15, 0.35, 0.55, 0.75};
    constexpr int Sparkles[Frames] = {5, 11, 18, 26};
    std::vector<Canvas> frames;
    for (int f = 0; f < Frames; ++f) {
        const Canvas ship = shipFrame(f);
        Canvas c(TeleportWidth, ShipHeight);
        for (int y = 0; y < ShipHeight; ++y)
            for (int x = 0; x < ShipWidth; ++x)
                if (ship.isOpaque(x, y) && hashNoise(x, y, 7) < Kept[f])
                    c.plot(x + TeleportMargin, y, mix(ship.get(x, y), TeleportTint, Tint[f]));
        Prng rng(101 + static_cast<uint32_t>(f));
        for (int i = 0; i < Sparkles[f]; ++i) {
            const int x = 1 + rng.below(TeleportWidth - 2);
            const int y = 1 + rng.below(ShipHeight - 2);
            const Rgb colour = rng.below(3) == 0 ? White : TeleportTint;
            c.plot(x, y, colour);
            if (rng.below(2) == 0) {
                const Rgb arm = scale(colour, 0.55);
                c.plot(x - 1, y, arm);
                c.plot(x + 1, y, arm);
                c.plot(x, y - 1, arm);
                c.plot(x, y + 1, arm);
            }
        }
        frames.push_back(c);
    }
    return Canvas::stack(frames);
}

Canvas drawPlayerShield() {
    constexpr double Cx = ShieldWidth / 2.0;
    constexpr double Cy = ShieldHeight / 2.0;
    constexpr double Rx = ShieldWidth / 2.0 - 0.6;
    constexpr double Ry = ShieldHeight / 2.0 - 0.6;
    constexpr double RimStart = 0.84;
    constexpr double DitherStart = 0.5;
    // 4x4 ordered-dither thresholds.
    constexpr int Bayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
    constexpr Rgb RimDark{40, 110, 230};
    constexpr Rgb RimBright{200, 240, 255};
    constexpr Rgb Inner{50, 120, 220};

    std::vector<Canvas> frames;
    for (int f = 0; f < 2; ++f) {
        Canvas c(ShieldWidth, ShieldHeight);
        const double highlight = -2.3 + 0.7 * f;  // where the light catches the bubble
        for (int y = 0; y < ShieldHeight; ++y) {
            for (int x = 0; x < ShieldWidth; ++x) {
                const double dx = (x + 0.5 - Cx) / Rx;
                const double dy = (y + 0.5 - Cy) / Ry;
                const double d = std::sqrt(dx * dx + dy * dy);
                if (d > 1.0) continue;
                const double shine = 0.6 + 0.4 * std::cos(std::atan2(dy, dx) - highlight);
                if (d >= RimStart) {
                    const double peak = 1.0 - std::fabs(d - 0.93) / 0.09;
                    c.plot(x, y, scale(mix(RimDark, RimBright, std::clamp(peak, 0.0, 1.0)), shine));
                } else if (d >= DitherStart) {
                    const double t = (d - DitherStart) / (RimStart - DitherStart);
                    const double density = 0.45 * t * t;
                    if (Bayer[(y + f) % 4][(x + 2 * f) % 4] / 16.0 < density)
                        c.plot(x, y, scale(Inner, 0.5 + 0.5 * shine));
                }
            }
        }
        // A short glint on the upper left of the bubble.
        for (int i = 0; i < 5; ++i) {
            const double a = highlight - 0.25 + 0.12 * i;
            c.plot(static_cast<int>(Cx + std::cos(a) * Rx * 0.74),
                   static_cast<int>(Cy + std::sin(a) * Ry * 0.74), White);
        }
        frames.push_back(c);
    }
    return Canvas::stack(frames);
}

Canvas drawInvincible() {
    constexpr int Frames = 8;
    constexpr int SparkleCount = 4;
    constexpr double Cx = InvincibleWidth / 2.0;
    constexpr double Cy = InvincibleHeight / 2.0;
    constexpr double Rx = 15.0;
    constexpr double Ry = 17.5;
    constexpr int RingDots = 48;
    constexpr double Tau = 2 * std::numbers::pi;
    constexpr Rgb RingColour{150, 120, 40};
    constexpr Rgb RingBright{255, 225, 120};
    constexpr Rgb SparkleColours[SparkleCount] = {
        {255, 220, 90}, {140, 230, 255}, {255, 220, 90}, {255, 150, 220}};

    std::vector<Canvas> frames;
    for (int f = 0; f < Frames; ++f) {
        Canvas c(InvincibleWidth, InvincibleHeight);
        auto at = [&](double angle, double grow = 0.0) {
            return Point{Cx + std::cos(angle) * (Rx + grow), Cy + std::sin(angle) * (Ry + grow)};
        };
        for (int i = 0; i < RingDots; ++i) {
            if ((i + f) % 2 != 0) continue;
            const Point p = at(Tau * i / RingDots);
            c.plot(static_cast<int>(p.x), static_cast<int>(p.y),
                   (i / 2 + f) % 3 == 0 ? RingBright : RingColour);
        }
        // Four sparkles a quarter turn apart: after eight frames the ring looks as it started.
        for (int k = 0; k < SparkleCount; ++k) {
            const double angle = Tau * (k / 4.0 + f / (4.0 * Frames));
            const Rgb colour = SparkleColours[k];
            for (int t = 1; t <= 3; ++t) {
                const Point tail = at(angle - 0.12 * t);
                c.plot(static_cast<int>(tail.x), static_cast<int>(tail.y), scale(colour, 0.95 - 0.2 * t));
            }
            const Point p = at(angle);
            const int x = static_cast<int>(p.x);
            const int y = static_cast<int>(p.y);
            const int arm = (f + k) % 2 == 0 ? 3 : 2;
            for (int a = 1; a <= arm; ++a) {
                const Rgb armColour = scale(colour, 1.0 - 0.25 * (a - 1));
                c.plot(x - a, y, armColour);
                c.plot(x + a, y, armColour);
                c.plot(x, y - a, armColour);
                c.plot(x, y + a, armColour);
            }
            for (int dx : {-1, 1})
                for (int dy : {-1, 1}) c.plot(x + dx, y + dy, scale(colour, 0.5));
            c.plot(x, y, White);
            // Small twinkles between the big sparkles, blinking on alternate frames.
            if ((f + k) % 2 == 1) {
                const Point q = at(angle + Tau / 8, -1.0);
                c.plot(static_cast<int>(q.x), static_cast<int>(q.y), White);
            }
        }
        frames.push_back(c);
    }
    return Canvas::stack(frames);
}

}  // namespace imagegen
