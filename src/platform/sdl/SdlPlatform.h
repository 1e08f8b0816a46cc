#pragma once
// The SDL2 backend: the real full-screen window, keyboard, clocks and message box,
// with fonts from fontconfig drawn by SDL_ttf.
#include <memory>

#include "platform/Platform.h"
#include "platform/sdl/SdlDisplay.h"

namespace platform {

// `path` forces the texture path for tests that compare it with the direct one.
std::unique_ptr<Platform> createSdlPlatform(PresentPath path = PresentPath::Automatic);

// Fonts by face name through fontconfig, drawn with SDL_ttf, rendered texts
// cached. Needs no window, so the headless backend can draw real text with it.
std::unique_ptr<TextRenderer> createSdlTextRenderer();

}  // namespace platform
