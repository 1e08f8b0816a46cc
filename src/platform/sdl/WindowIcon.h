#pragma once
// The game's icon (the ship, drawn by imagegen and built into the program),
// given to a window so that task bars and window lists show it.

// SDL's window type, declared as SDL declares it.
typedef struct SDL_Window SDL_Window;

namespace platform {

// False when the built-in icon cannot be decoded or SDL refuses it; the window
// then simply keeps the desktop's default icon.
bool applyWindowIcon(SDL_Window* window);

}  // namespace platform
