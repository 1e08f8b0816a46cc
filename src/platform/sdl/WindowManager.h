#pragma once
// Asks the windowing system about itself: whether a window manager runs, and which
// visual our pixels can be written into. Kept apart from the display because X11's
// headers define names (KeyPress, None, ...) that clash with ours.
typedef struct SDL_Window SDL_Window;

namespace platform {

// False only where it is known that nobody would answer a full-screen request,
// so that the display does not wait for an answer that never comes.
bool windowManagerRuns(SDL_Window* window);

// On an X screen whose own depth SDL cannot give window pixels for (30 bits), asks
// SDL to make the next window with an 8-bit-per-channel visual of the same screen,
// so the picture is still written straight into it instead of through OpenGL.
// Does nothing elsewhere, or where the screen has no such visual.
void preferEightBitVisual();

}  // namespace platform
