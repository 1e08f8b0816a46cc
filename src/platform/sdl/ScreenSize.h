#pragma once
// Tells the display when X's screen changes size (xrandr, a laptop docked): SDL
// keeps the desktop size it read at start. Kept apart from the display because
// X11's headers define names that clash with ours.
typedef struct SDL_Window SDL_Window;
union SDL_Event;

namespace platform {

// From now on X reports the screen's size changes to SDL's queue, as window-system
// events. Does nothing off X11.
void watchScreenSize(SDL_Window* window);

// True, with the screen's new size, when `event` is such a report.
bool screenSizeChange(const SDL_Event& event, int& width, int& height);

}  // namespace platform
