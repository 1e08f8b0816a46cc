#pragma once
// The system's own text drawing for the harness's real-fonts setup: SDL_ttf with
// fontconfig on Linux, GDI on Windows. One source file per system defines it.
#include <memory>

#include "platform/Platform.h"

namespace glintwake::play {

std::unique_ptr<platform::TextRenderer> createRealFonts();

}  // namespace glintwake::play
