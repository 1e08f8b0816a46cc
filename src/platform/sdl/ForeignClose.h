#pragma once
// A window destroyed by another program (a task manager, `xdotool windowclose`)
// makes every later X request on it fail, and Xlib's default answer to that is
// to end the process at once. This turns the first such error into a quit
// request instead, so the game shuts down as after a close.

// SDL's window type, declared as SDL declares it.
typedef struct SDL_Window SDL_Window;

namespace platform {

// Puts our X error handler in place. Called before SDL's video starts, so that
// SDL's own handler passes errors on to it and puts it back when video stops:
// the errors of destroying the lost window arrive as late as that. Errors about
// anything else keep their previous handling.
void installForeignCloseHandler();

// Watches X errors about this window from now on; does nothing off X11.
void watchForForeignClose(SDL_Window* window);

}  // namespace platform
