// The enemy ship and the marker a homing missile puts over its target.
#include <algorithm>
#include <cmath>

#include "Images.h"

namespace imagegen {

namespace {

constexpr int EnemySize = 40;
constexpr double EnemyAxis = EnemySize / 2.0;
constexpr int LockOnSize = 44;

std::vector<Point> mirrored(const std::vector<Point>& points) {
    std::vector<Point> out;
    for (const Point& p : points) out.push_back({2 * EnemyAxis - p.x, p.y});
    return out;
}

// Lit from the upper left, like the player's ship.
Shader plating(Rgb light, Rgb dark) {
    return [=](double x, double y) {
        return mix(light, dark, std::clamp(0.05 + 0.45 * x / EnemySize + 0.3 * y / EnemySize, 0.0, 1.0));
    };
}

void mirrorPlot(Canvas& c, int x, int y, Rgb colour) {
    c.plot(x, y, colour);
    c.plot(EnemySize - 1 - x, y, colour);
}

}  // namespace

Canvas drawEnemy() {
    static constexpr Rgb HullLight{240, 80, 85};
    static constexpr Rgb HullDark{120, 18, 38};
    static constexpr Rgb WingLight{200, 80, 190};
    static constexpr Rgb WingDark{85, 22, 90};
    static constexpr Rgb Metal{150, 145, 160};
    static constexpr Rgb Stripe{255, 170, 40};
    static constexpr Rgb EyeBright{210, 255, 150};
    static constexpr Rgb EyeDark{20, 120, 30};
    static constexpr Rgb Engine{255, 180, 60};
    static constexpr Rgb Lamp{255, 240, 120};

    Canvas c(EnemySize, EnemySize);
    // Blades swept forward, down the screen, ending in points at the bottom corners.
    const std::vector<Point> leftWing = {{14, 7}, {4, 11}, {0, 18}, {1, 38}, {5, 31}, {10, 27}, {14, 28}};
    const std::vector<Point> leftEngine = {{11, 0}, {17, 0}, {17, 10}, {11, 10}};
    const std::vector<Point> body = {{14, 2},  {26, 2},  {28.5, 10}, {28, 24},  {24, 33},
                                     {20, 37}, {16, 33}, {12, 24},   {11.5, 10}};
    c.fillPolygon(leftWing, plating(WingLight, WingDark));
    c.fillPolygon(mirrored(leftWing), plating(WingLight, WingDark));
    c.fillPolygon(leftEngine, plating(Metal, scale(Metal, 0.45)));
    c.fillPolygon(mirrored(leftEngine), plating(Metal, scale(Metal, 0.45)));
    c.fillPolygon(body, plating(HullLight, HullDark));
    c.fillRect(18, 33, 4, 6, scale(Metal, 0.75));  // the cannon under the nose
    c.outline(0.5);

    // Hot stripes along the blades, vents on the hull, a ridge down the middle.
    for (int i = 0; i < 13; ++i) mirrorPlot(c, 3 + i / 4, 16 + i, i < 4 ? Stripe : scale(Stripe, 0.85));
    for (int y = 12; y < 18; y += 2) {
        mirrorPlot(c, 14, y, scale(HullDark, 0.6));
        mirrorPlot(c, 15, y, scale(HullDark, 0.6));
    }
    for (int y = 4; y < 16; ++y) c.plot(19, y, mix(HullLight, {255, 255, 255}, 0.3));
    c.fillEllipse(EnemyAxis, 22, 3.2, 4.4, [](double x, double y) {
        const double d = std::hypot(x - (EnemyAxis - 1), y - 20.5) / 5.5;
        return mix(EyeBright, EyeDark, std::clamp(d, 0.0, 1.0));
    });
    c.plot(19, 20, {255, 255, 255});
    // Engines face up because the ship flies down the screen.
    for (int x = 12; x < 16; ++x) mirrorPlot(c, x, 0, Engine);
    c.glow(14, 0.5, 2.6, Engine, 1.0);
    c.glow(EnemySize - 14, 0.5, 2.6, Engine, 1.0);
    mirrorPlot(c, 1, 36, Lamp);
    mirrorPlot(c, 1, 37, Lamp);
    for (int x = 18; x < 22; ++x) c.plot(x, 39, {150, 255, 120});
    return c;
}

Canvas drawLockOn() {
    static constexpr Rgb Outer{190, 20, 25};
    static constexpr Rgb Inner{255, 110, 90};
    constexpr int Arm = 11;
    constexpr int Tick = 5;
    constexpr int Last = LockOnSize - 1;
    Canvas c(LockOnSize, LockOnSize);
    // Corner brackets two pixels thick: a dark outer line and a bright inner one.
    auto corner = [&](int sx, int sy) {
        const int x0 = sx < 0 ? Last : 0;
        const int y0 = sy < 0 ? Last : 0;
        for (int i = 0; i < Arm; ++i) {
            c.plot(x0 + sx * i, y0, Outer);
            c.plot(x0, y0 + sy * i, Outer);
            if (i >= 1) {
                c.plot(x0 + sx * i, y0 + sy, Inner);
                c.plot(x0 + sx, y0 + sy * i, Inner);
            }
        }
    };
    corner(1, 1);
    corner(-1, 1);
    corner(1, -1);
    corner(-1, -1);
    // Crosshair ticks pointing in from the middle of each side.
    const int mid = LockOnSize / 2 - 1;
    for (int i = 2; i < 2 + Tick; ++i) {
        const Rgb colour = i == 2 + Tick - 1 ? Inner : Outer;
        for (int w = 0; w < 2; ++w) {
            c.plot(mid + w, i, colour);
            c.plot(mid + w, Last - i, colour);
            c.plot(i, mid + w, colour);
            c.plot(Last - i, mid + w, colour);
        }
    }
    return c;
}

}  // namespace imagegen
