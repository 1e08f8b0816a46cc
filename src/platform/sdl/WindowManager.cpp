#include "platform/sdl/WindowManager.h"

#include <SDL.h>
#include <SDL_syswm.h>

namespace platform {

constexpr const char* SupportingWmCheck = "_NET_SUPPORTING_WM_CHECK";

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

}  // namespace platform
