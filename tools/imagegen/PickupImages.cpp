// Things that fall from destroyed enemies: the power-up and the coin.
#include <algorithm>
#include <cmath>
#include <cstring>

#include "Images.h"

namespace imagegen {

namespace {

constexpr int PickupSize = 20;
constexpr double PickupCentre = PickupSize / 2.0;

// A letter drawn from rows of '#' with a one-pixel rim round it, so it reads on any ground.
void drawGlyph(Canvas& c, const std::vector<const char*>& rows, int left, int top, Rgb ink, Rgb rim) {
    auto inked = [&](int x, int y) {
        return y >= 0 && y < static_cast<int>(rows.size()) && x >= 0 &&
               x < static_cast<int>(std::strlen(rows[y])) && rows[y][x] == '#';
    };
    for (int y = -1; y <= static_cast<int>(rows.size()); ++y)
        for (int x = -1; x <= 6; ++x)
            if (!inked(x, y) && (inked(x - 1, y) || inked(x + 1, y) || inked(x, y - 1) || inked(x, y + 1)))
                c.plot(left + x, top + y, rim);
    for (int y = 0; y < static_cast<int>(rows.size()); ++y)
        for (int x = 0; rows[y][x] != '\0'; ++x)
            if (rows[y][x] == '#') c.plot(left + x, top + y, ink);
}

}  // namespace

Canvas drawPowerUp() {
    static constexpr Rgb Shine{245, 255, 250};
    static constexpr Rgb Body{60, 225, 170};
    static constexpr Rgb Edge{10, 90, 80};
    static constexpr Rgb Halo{90, 255, 200};
    constexpr double Radius = 8.0;
    Canvas c(PickupSize, PickupSize);
    c.glow(PickupCentre, PickupCentre, PickupCentre, Halo, 0.8);
    c.fillEllipse(PickupCentre, PickupCentre, Radius, Radius, [](double x, double y) {
        const double d = std::hypot(x - 7.0, y - 6.5) / 12.0;
        return d < 0.35 ? mix(Shine, Body, d / 0.35) : mix(Body, Edge, std::min(1.0, (d - 0.35) / 0.65));
    });
    drawGlyph(c, {"####", "##.##", "##.##", "####", "##", "##", "##"}, 8, 7, {255, 255, 255}, {8, 70, 55});
    return c;
}

Canvas drawMoney() {
    static constexpr Rgb Face{255, 215, 70};
    static constexpr Rgb FaceDark{215, 150, 25};
    static constexpr Rgb Rim{170, 105, 15};
    static constexpr Rgb RimLight{255, 235, 140};
    static constexpr Rgb Ink{105, 55, 5};
    constexpr double Radius = 9.5;
    Canvas c(PickupSize, PickupSize);
    c.fillEllipse(PickupCentre, PickupCentre, Radius, Radius, [](double x, double y) {
        const double dx = x - PickupCentre;
        const double dy = y - PickupCentre;
        const double d = std::hypot(dx, dy) / Radius;
        if (d > 0.78) return (dx + dy < 0) ? RimLight : Rim;  // a bevelled edge, lit top-left
        return mix(Face, FaceDark, std::clamp((dx + dy) / 14.0 + 0.4, 0.0, 1.0));
    });
    c.outline(0.7);
    drawGlyph(c, {"..#", ".####", "#.#", "#.#", ".###", "..#.#", "..#.#", "####", "..#"}, 8, 5, Ink,
              {255, 240, 170});
    c.plot(6, 5, {255, 255, 230});
    return c;
}

}  // namespace imagegen
