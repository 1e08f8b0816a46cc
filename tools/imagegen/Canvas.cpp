#include "Canvas.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace imagegen {

namespace {

constexpr Rgb NearBlack{1, 1, 1};
// Light fainter than this over an empty pixel is left out, so glows have no box around them.
constexpr int FaintestLight = 40;

uint8_t clampChannel(double v) {
    return static_cast<uint8_t>(std::clamp(std::lround(v), 0L, 255L));
}

int maxChannel(Rgb c) {
    return std::max({c.r, c.g, c.b});
}

}  // namespace

Rgb mix(Rgb a, Rgb b, double t) {
    return {clampChannel(a.r + (b.r - a.r) * t), clampChannel(a.g + (b.g - a.g) * t),
            clampChannel(a.b + (b.b - a.b) * t)};
}

Rgb scale(Rgb c, double f) {
    return {clampChannel(c.r * f), clampChannel(c.g * f), clampChannel(c.b * f)};
}

Canvas::Canvas(int width, int height) : width_(width), height_(height) {
    if (width <= 0 || height <= 0) throw std::invalid_argument("canvas size must be positive");
    pixels_.assign(static_cast<size_t>(width) * static_cast<size_t>(height), Transparent);
}

Rgb Canvas::get(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return Transparent;
    return pixels_[static_cast<size_t>(y) * width_ + x];
}

void Canvas::plot(int x, int y, Rgb c) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    pixels_[static_cast<size_t>(y) * width_ + x] = c == Transparent ? NearBlack : c;
}

void Canvas::erase(int x, int y) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    pixels_[static_cast<size_t>(y) * width_ + x] = Transparent;
}

void Canvas::addLight(int x, int y, Rgb c, double strength) {
    const Rgb old = get(x, y);
    const Rgb light = scale(c, strength);
    if (old == Transparent && maxChannel(light) < FaintestLight) return;
    plot(x, y, {clampChannel(old.r + light.r), clampChannel(old.g + light.g), clampChannel(old.b + light.b)});
}

void Canvas::blend(int x, int y, Rgb c, double alpha) {
    plot(x, y, mix(get(x, y), c, alpha));
}

void Canvas::fillRect(int x, int y, int w, int h, Rgb c) {
    for (int row = y; row < y + h; ++row)
        for (int col = x; col < x + w; ++col) plot(col, row, c);
}

void Canvas::fillEllipse(double cx, double cy, double rx, double ry, const Shader& shade) {
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            const double dx = (x + 0.5 - cx) / rx;
            const double dy = (y + 0.5 - cy) / ry;
            if (dx * dx + dy * dy <= 1.0) plot(x, y, shade(x + 0.5, y + 0.5));
        }
    }
}

void Canvas::fillPolygon(const std::vector<Point>& points, const Shader& shade) {
    // Even-odd rule, tested at each pixel centre.
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            const double px = x + 0.5;
            const double py = y + 0.5;
            bool inside = false;
            for (size_t i = 0, j = points.size() - 1; i < points.size(); j = i++) {
                const Point& a = points[i];
                const Point& b = points[j];
                if ((a.y > py) != (b.y > py) && px < (b.x - a.x) * (py - a.y) / (b.y - a.y) + a.x)
                    inside = !inside;
            }
            if (inside) plot(x, y, shade(px, py));
        }
    }
}

void Canvas::drawLine(double x0, double y0, double x1, double y1, Rgb c) {
    const int steps =
        std::max(1, static_cast<int>(std::ceil(std::max(std::fabs(x1 - x0), std::fabs(y1 - y0)))));
    for (int i = 0; i <= steps; ++i) {
        const double t = static_cast<double>(i) / steps;
        plot(static_cast<int>(std::floor(x0 + (x1 - x0) * t)),
             static_cast<int>(std::floor(y0 + (y1 - y0) * t)), c);
    }
}

void Canvas::glow(double cx, double cy, double radius, Rgb c, double strength) {
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            const double d = std::hypot(x + 0.5 - cx, y + 0.5 - cy) / radius;
            if (d < 1.0) addLight(x, y, c, strength * (1.0 - d) * (1.0 - d));
        }
    }
}

void Canvas::outline(double darken) {
    const Canvas before = *this;
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            if (!before.isOpaque(x, y)) continue;
            const bool edge = !before.isOpaque(x - 1, y) || !before.isOpaque(x + 1, y) ||
                              !before.isOpaque(x, y - 1) || !before.isOpaque(x, y + 1);
            if (edge) plot(x, y, scale(before.get(x, y), darken));
        }
    }
}

void Canvas::paste(const Canvas& src, int dx, int dy) {
    for (int y = 0; y < src.height(); ++y)
        for (int x = 0; x < src.width(); ++x)
            if (src.isOpaque(x, y)) plot(x + dx, y + dy, src.get(x, y));
}

Canvas Canvas::stack(const std::vector<Canvas>& frames) {
    if (frames.empty()) throw std::invalid_argument("no frames to stack");
    const int w = frames.front().width();
    const int h = frames.front().height();
    Canvas strip(w, h * static_cast<int>(frames.size()));
    for (size_t i = 0; i < frames.size(); ++i) {
        if (frames[i].width() != w || frames[i].height() != h)
            throw std::invalid_argument("frames differ in size");
        strip.paste(frames[i], 0, h * static_cast<int>(i));
    }
    return strip;
}

}  // namespace imagegen
