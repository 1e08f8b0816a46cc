#pragma once
// Asks the windowing system whether a window manager runs. Kept apart from the
// display because X11's headers define names (KeyPress, None, ...) that clash
// with ours.
typedef struct SDL_Window SDL_Window;

namespace platform {

// False only where it is known that nobody would answer a full-screen request,
// so that the display does not wait for an answer that never comes.
bool windowManagerRuns(SDL_Window* window);

}  // namespace platform
