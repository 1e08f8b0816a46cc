#pragma once
// An RGB drawing surface for the image generator. Pure black is the game's
// transparent colour, so every drawing call lifts black ink to (1, 1, 1).
#include <cstdint>
#include <functional>
#include <vector>

namespace imagegen {

struct Rgb {
    uint8_t r = 0;
    uint8_t g = 0;
    uint8_t b = 0;
    bool operator==(const Rgb&) const = default;
};

constexpr Rgb Transparent{0, 0, 0};

// Linear mix of two colours, t = 0 gives a, t = 1 gives b.
Rgb mix(Rgb a, Rgb b, double t);
// Each channel times f, clamped to 0..255.
Rgb scale(Rgb c, double f);

struct Point {
    double x;
    double y;
};

// Colour of a shape at a pixel centre; lets shapes carry their own shading.
using Shader = std::function<Rgb(double x, double y)>;

class Canvas {
public:
    Canvas(int width, int height);

    int width() const { return width_; }
    int height() const { return height_; }

    // Transparent outside the canvas.
    Rgb get(int x, int y) const;
    bool isOpaque(int x, int y) const { return !(get(x, y) == Transparent); }

    // Writes a visible pixel (black becomes near-black); ignored outside.
    void plot(int x, int y, Rgb c);
    void erase(int x, int y);
    // Adds light: c * strength on top of what is there.
    void addLight(int x, int y, Rgb c, double strength);
    // Paints c with coverage alpha over what is there (over nothing, over black).
    void blend(int x, int y, Rgb c, double alpha);

    void fillRect(int x, int y, int w, int h, Rgb c);
    void fillEllipse(double cx, double cy, double rx, double ry, const Shader& shade);
    void fillPolygon(const std::vector<Point>& points, const Shader& shade);
    void drawLine(double x0, double y0, double x1, double y1, Rgb c);
    // Soft round light that fades to nothing at radius; faint edges stay transparent.
    void glow(double cx, double cy, double radius, Rgb c, double strength);
    // Darkens every opaque pixel that touches transparency, giving shapes a rim.
    void outline(double darken);
    // Copies the opaque pixels of src with its top-left corner at (dx, dy).
    void paste(const Canvas& src, int dx, int dy);

    // Frames of equal size stacked top to bottom, as the game's sprite strips are.
    static Canvas stack(const std::vector<Canvas>& frames);

private:
    int width_;
    int height_;
    std::vector<Rgb> pixels_;
};

}  // namespace imagegen
