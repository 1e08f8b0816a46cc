#include "platform/win32/Win32Platform.h"
#include "replay/RealFonts.h"

namespace glintwake::play {

std::unique_ptr<platform::TextRenderer> createRealFonts() {
    return platform::win32::createWin32TextRenderer();
}

}  // namespace glintwake::play
