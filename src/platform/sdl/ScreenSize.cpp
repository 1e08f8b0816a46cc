#include "platform/sdl/ScreenSize.h"

#include <SDL.h>
#include <SDL_syswm.h>

namespace platform {

void watchScreenSize(SDL_Window* window) {
#if defined(SDL_VIDEO_DRIVER_X11)
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return;
    ::Display* x = info.info.x11.display;
    const Window root = DefaultRootWindow(x);
    XWindowAttributes attributes{};
    if (XGetWindowAttributes(x, root, &attributes) == 0) return;
    // The root's own configure events carry its new size; SDL's selections are kept.
    XSelectInput(x, root, attributes.your_event_mask | StructureNotifyMask);
    SDL_EventState(SDL_SYSWMEVENT, SDL_ENABLE);
#else
    (void)window;
#endif
}

bool screenSizeChange(const SDL_Event& event, int& width, int& height) {
#if defined(SDL_VIDEO_DRIVER_X11)
    if (event.type != SDL_SYSWMEVENT || event.syswm.msg == nullptr ||
        event.syswm.msg->subsystem != SDL_SYSWM_X11)
        return false;
    const XEvent& x = event.syswm.msg->msg.x11.event;
    if (x.type != ConfigureNotify || x.xconfigure.window != DefaultRootWindow(x.xconfigure.display))
        return false;
    width = x.xconfigure.width;
    height = x.xconfigure.height;
    return width > 0 && height > 0;
#else
    (void)event;
    (void)width;
    (void)height;
    return false;
#endif
}

}  // namespace platform
