#pragma once
// What the X server shows in a window, read back: a hash of every pixel and how
// many are not black. Apart from its users because X11's names clash with ours.
#include <cstdint>

typedef struct SDL_Window SDL_Window;

struct WindowShown {
    uint64_t hash = 0;
    int64_t lit = 0;
};

// False where the window is not on X11 or cannot be read.
bool readWindowBack(SDL_Window* window, WindowShown& shown);
