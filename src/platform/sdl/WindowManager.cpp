#include "platform/sdl/WindowManager.h"

#include <SDL.h>
#include <SDL_syswm.h>
#if defined(SDL_VIDEO_DRIVER_X11)
#include <X11/Xutil.h>
#endif

#include <cstring>
#include <string>

namespace platform {

constexpr const char* SupportingWmCheck = "_NET_SUPPORTING_WM_CHECK";
// Plain 24-bit colour first; a 32-bit visual's alpha is written opaque by the present.
constexpr int EightBitDepths[] = {24, 32};
constexpr unsigned long EightBitRed = 0xFF0000;
constexpr unsigned long EightBitGreen = 0x00FF00;
constexpr unsigned long EightBitBlue = 0x0000FF;

bool windowManagerRuns(SDL_Window* window) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(window, &info)) return true;
#if defined(SDL_VIDEO_DRIVER_X11)
    if (info.subsystem == SDL_SYSWM_X11) {
        ::Display* x = info.info.x11.display;
        const Atom check = XInternAtom(x, SupportingWmCheck, True);
        if (check == None) return false;
        Atom type = None;
        int format = 0;
        unsigned long count = 0;
        unsigned long remaining = 0;
        unsigned char* value = nullptr;
        const int status = XGetWindowProperty(x, DefaultRootWindow(x), check, 0, 1, False, XA_WINDOW, &type,
                                              &format, &count, &remaining, &value);
        if (value != nullptr) XFree(value);
        return status == Success && type == XA_WINDOW && count == 1;
    }
#endif
    // Other systems always have a compositor or window manager to ask.
    return info.subsystem != SDL_SYSWM_UNKNOWN;
}

void preferEightBitVisual() {
#if defined(SDL_VIDEO_DRIVER_X11)
    const char* driver = SDL_GetCurrentVideoDriver();
    if (driver == nullptr || std::strcmp(driver, "x11") != 0) return;
    if (SDL_GetHint(SDL_HINT_VIDEO_X11_WINDOW_VISUALID) != nullptr) return;  // the user chose one
    // SDL keeps its connection to itself until a window exists: a short one of our own.
    ::Display* x = XOpenDisplay(nullptr);
    if (x == nullptr) return;
    const int screen = DefaultScreen(x);
    for (const int depth : EightBitDepths) {
        XVisualInfo visual{};
        if (XMatchVisualInfo(x, screen, depth, TrueColor, &visual) != 0 && visual.red_mask == EightBitRed &&
            visual.green_mask == EightBitGreen && visual.blue_mask == EightBitBlue) {
            SDL_SetHint(SDL_HINT_VIDEO_X11_WINDOW_VISUALID, std::to_string(visual.visualid).c_str());
            break;
        }
    }
    XCloseDisplay(x);
#endif
}

}  // namespace platform
