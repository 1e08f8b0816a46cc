#pragma once
// Which of SDL's video drivers the game may run on. "offscreen" and "dummy" show
// nothing and read no keys: a game on them runs unseen until it is killed.

namespace platform {

// Whether start-up may go on with SDL's chosen driver: any driver that shows a
// window, and the window-less ones only when `requested` (SDL_VIDEODRIVER,
// possibly a comma-separated list, or null) names them.
bool videoDriverAcceptable(const char* driver, const char* requested);

}  // namespace platform
