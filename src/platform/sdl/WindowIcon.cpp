#include "platform/sdl/WindowIcon.h"

#include <SDL.h>

#include <cstddef>
#include <memory>

#include "platform/Bitmap.h"

namespace platform {

// Generated at build time from data/glintwake.bmp.
extern const unsigned char WindowIconBitmap[];
extern const std::size_t WindowIconBitmapSize;

namespace {

constexpr Pixel OpaqueAlpha = 0xFF000000u;
constexpr int IconDepth = 32;

struct SurfaceFreer {
    void operator()(SDL_Surface* surface) const { SDL_FreeSurface(surface); }
};

}  // namespace

bool applyWindowIcon(SDL_Window* window) {
    if (window == nullptr) return false;
    const std::unique_ptr<Surface> icon = decodeBitmap(WindowIconBitmap, WindowIconBitmapSize);
    if (!icon) return false;
    const std::unique_ptr<SDL_Surface, SurfaceFreer> argb(SDL_CreateRGBSurfaceWithFormat(
        0, icon->width(), icon->height(), IconDepth, SDL_PIXELFORMAT_ARGB8888));
    if (!argb) return false;
    // Black is transparent in every picture of the game, the icon included.
    for (int32_t y = 0; y < icon->height(); ++y) {
        auto* row = reinterpret_cast<Pixel*>(static_cast<uint8_t*>(argb->pixels) + y * argb->pitch);
        for (int32_t x = 0; x < icon->width(); ++x) {
            const Pixel p = icon->pixel(x, y);
            row[x] = p == 0 ? 0 : (p | OpaqueAlpha);
        }
    }
    SDL_SetWindowIcon(window, argb.get());
    return true;
}

}  // namespace platform
