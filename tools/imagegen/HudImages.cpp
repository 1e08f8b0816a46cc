// Status display pieces: the three weapon icons and the bars.
#include <algorithm>
#include <cmath>
#include <numbers>

#include "Images.h"

namespace imagegen {

namespace {

constexpr int IconWidth = 12;
constexpr int IconHeight = 19;
constexpr int BarWidth = 60;
constexpr int BarHeight = 26;
// Bars: a bright fill above and a tinted strip below where the value is written.
constexpr int FillTop = 2;
constexpr int FillBottom = 12;  // inclusive
constexpr int TextTop = 14;
constexpr int TextBottom = 23;  // inclusive
constexpr int SegmentWidth = 6;

constexpr Rgb White{255, 255, 255};

// A dark panel with a light border and clipped corners, shared by the icons.
Canvas iconPanel() {
    constexpr Rgb Panel{14, 16, 36};
    constexpr Rgb Border{80, 92, 140};
    Canvas c(IconWidth, IconHeight);
    c.fillRect(0, 0, IconWidth, IconHeight, Border);
    c.fillRect(1, 1, IconWidth - 2, IconHeight - 2, Panel);
    for (int x : {0, IconWidth - 1})
        for (int y : {0, IconHeight - 1}) c.erase(x, y);
    return c;
}

struct BarColours {
    Rgb fillTop;
    Rgb fillBottom;
    Rgb shine;
    Rgb textStrip;
};

Canvas bar(const BarColours& colours) {
    constexpr Rgb OuterBorder{170, 172, 185};
    constexpr Rgb InnerBorder{40, 40, 48};
    Canvas c(BarWidth, BarHeight);
    c.fillRect(0, 0, BarWidth, BarHeight, OuterBorder);
    c.fillRect(1, 1, BarWidth - 2, BarHeight - 2, InnerBorder);
    for (int y = FillTop; y <= FillBottom; ++y) {
        const double down = static_cast<double>(y - FillTop) / (FillBottom - FillTop);
        for (int x = 2; x < BarWidth - 2; ++x) {
            const double across = 0.8 + 0.2 * x / BarWidth;
            Rgb colour = scale(mix(colours.fillTop, colours.fillBottom, down), across);
            if (y == FillTop + 1) colour = mix(colour, colours.shine, 0.6);
            if ((x - 1) % SegmentWidth == 0) colour = scale(colour, 0.6);
            c.plot(x, y, colour);
        }
    }
    c.fillRect(2, TextTop, BarWidth - 4, TextBottom - TextTop + 1, colours.textStrip);
    for (int x : {0, BarWidth - 1})
        for (int y : {0, BarHeight - 1}) c.erase(x, y);
    return c;
}

}  // namespace

Canvas drawArcShotIcon() {
    static constexpr Rgb Beam{255, 110, 40};
    static constexpr Rgb Tip{255, 235, 140};
    constexpr double OriginX = IconWidth / 2.0;
    constexpr double OriginY = 16.0;
    constexpr double InnerRadius = 3.5;
    struct Ray {
        double angle;  // radians from straight up; mirrored to the left
        double length;
    };
    constexpr Ray Rays[] = {{0.2, 12.0}, {0.62, 8.0}};
    Canvas c = iconPanel();
    // Bolts fanning out from one gun, brighter at their heads; drawn on the right and mirrored.
    for (const Ray& ray : Rays) {
        const double dx = std::sin(ray.angle);
        const double dy = -std::cos(ray.angle);
        for (double r = InnerRadius; r <= ray.length; r += 0.25) {
            const int x = static_cast<int>(std::floor(OriginX + dx * r));
            const int y = static_cast<int>(std::floor(OriginY + dy * r));
            const double t = (r - InnerRadius) / (ray.length - InnerRadius);
            const Rgb colour = t > 0.7 ? Tip : mix(scale(Beam, 0.5), Beam, t / 0.7);
            c.plot(x, y, colour);
            c.plot(IconWidth - 1 - x, y, colour);
        }
    }
    c.fillRect(5, 14, 2, 3, Tip);
    return c;
}

Canvas drawMissileIcon() {
    constexpr Rgb Nose{230, 50, 40};
    constexpr Rgb Light{235, 235, 240};
    constexpr Rgb Dark{130, 134, 150};
    constexpr Rgb Fin{100, 104, 130};
    constexpr Rgb Flame{255, 170, 50};
    Canvas c = iconPanel();
    c.plot(5, 2, Nose);
    c.plot(6, 2, Nose);
    c.fillRect(4, 3, 4, 2, Nose);
    for (int y = 5; y <= 12; ++y) {
        c.plot(4, y, Light);
        c.plot(5, y, Light);
        c.plot(6, y, Dark);
        c.plot(7, y, Dark);
    }
    c.fillRect(4, 8, 4, 1, Nose);
    c.fillRect(2, 11, 2, 3, Fin);
    c.fillRect(8, 11, 2, 3, Fin);
    c.fillRect(4, 13, 4, 1, Fin);
    c.fillRect(4, 14, 4, 1, Flame);
    c.fillRect(5, 15, 2, 1, {255, 240, 190});
    c.plot(5, 16, {220, 80, 30});
    return c;
}

Canvas drawEnergyCannonIcon() {
    constexpr Rgb Glow{40, 170, 255};
    constexpr Rgb Core{220, 250, 255};
    constexpr Rgb Emitter{120, 126, 150};
    Canvas c = iconPanel();
    for (int y = 2; y <= 13; ++y) {
        const double fade = 0.75 + 0.25 * std::sin(y * 1.3);
        c.plot(4, y, scale(Glow, 0.55 * fade));
        c.plot(5, y, Core);
        c.plot(6, y, Core);
        c.plot(7, y, scale(Glow, 0.55 * fade));
    }
    c.fillRect(3, 13, 6, 4, Emitter);
    c.fillRect(4, 13, 4, 1, Glow);
    c.fillRect(3, 16, 6, 1, scale(Emitter, 0.6));
    c.plot(5, 1, White);
    c.plot(6, 1, White);
    return c;
}

Canvas drawStatusBarEmpty() {
    return bar({{60, 60, 66}, {30, 30, 34}, {95, 95, 100}, {18, 18, 22}});
}

Canvas drawHealthBarFull() {
    return bar({{245, 60, 55}, {120, 10, 12}, {255, 190, 180}, {48, 8, 10}});
}

Canvas drawShieldBarFull() {
    return bar({{70, 160, 255}, {15, 45, 150}, {200, 235, 255}, {10, 18, 60}});
}

}  // namespace imagegen
