#include "display/window_read_back.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace {
constexpr uint64_t HashStart = 1469598103934665603ULL;
constexpr uint64_t HashPrime = 1099511628211ULL;
}  // namespace

// Read on SDL's own connection, so that the server has carried out every put first.
bool readWindowBack(SDL_Window* window, WindowShown& shown) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return false;
    XWindowAttributes attributes{};
    if (XGetWindowAttributes(info.info.x11.display, info.info.x11.window, &attributes) == 0) return false;
    XImage* image =
        XGetImage(info.info.x11.display, info.info.x11.window, 0, 0, static_cast<unsigned>(attributes.width),
                  static_cast<unsigned>(attributes.height), AllPlanes, ZPixmap);
    if (image == nullptr) return false;
    shown = WindowShown{HashStart, 0};
    for (int y = 0; y < image->height; ++y)
        for (int x = 0; x < image->width; ++x) {
            const unsigned long pixel = XGetPixel(image, x, y);
            shown.hash = (shown.hash ^ pixel) * HashPrime;
            shown.lit += pixel != 0 ? 1 : 0;
        }
    XDestroyImage(image);
    return true;
}
