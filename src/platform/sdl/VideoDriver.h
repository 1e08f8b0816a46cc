#pragma once
// Which of SDL's video drivers the game may run on. "offscreen" and "dummy" show
// nothing and read no keys: a game on them runs unseen until it is killed.

namespace platform {

// Whether start-up may go on with SDL's chosen driver: any driver that shows a
// window, and the window-less ones only when `requested` (SDL_VIDEODRIVER,
// possibly a comma-separated list, or null) names them.
bool videoDriverAcceptable(const char* driver, const char* requested);

// The window systems SDL 2 can start on that the game treats apart.
enum class WindowSystem { X11, Wayland, Other };

// The one SDL's video start tries first: the first driver `requested` names, else
// X11 where `display` (DISPLAY) names a server, else Wayland.
WindowSystem firstWindowSystem(const char* requested, const char* display);

}  // namespace platform
