#include "platform/sdl/ForeignClose.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xlib.h>

namespace platform {
namespace {

using ErrorHandler = int (*)(::Display*, XErrorEvent*);

// The handler is process-wide in Xlib, so its state is too.
ErrorHandler previousHandler = nullptr;
Uint32 watchedWindowId = 0;
bool destroyedFromOutside = false;

// SDL replaces the X window behind an SDL window when a renderer needs another
// visual, so the X window is looked up at the time of the error. This makes no
// X request, as an error handler must not.
XID currentXWindow() {
    SDL_Window* window = SDL_GetWindowFromID(watchedWindowId);
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (window == nullptr || !SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return 0;
    return info.info.x11.window;
}

bool aboutWatchedWindow(const XErrorEvent& error) {
    if (error.error_code != BadWindow && error.error_code != BadDrawable) return false;
    const XID window = currentXWindow();
    return window != 0 && error.resourceid == window;
}

int onXError(::Display* display, XErrorEvent* error) {
    if (!destroyedFromOutside && aboutWatchedWindow(*error)) {
        destroyedFromOutside = true;
        // The quit reaches the game's loop like a close of the window.
        SDL_Event quit{};
        quit.type = SDL_QUIT;
        SDL_PushEvent(&quit);
    }
    // Once the window is gone, what is still drawn to it or done with it fails too.
    if (destroyedFromOutside) return 0;
    return previousHandler != nullptr ? previousHandler(display, error) : 0;
}

}  // namespace

void installForeignCloseHandler() {
    const ErrorHandler current = XSetErrorHandler(onXError);
    if (current != onXError) previousHandler = current;
}

void watchForForeignClose(SDL_Window* window) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (window == nullptr || !SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return;
    watchedWindowId = SDL_GetWindowID(window);
    destroyedFromOutside = false;
}

}  // namespace platform
