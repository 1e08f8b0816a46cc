#include "platform/win32/Win32Platform.h"
#include "replay/Harness.h"

namespace glintwake::play {

std::unique_ptr<platform::TextRenderer> makeRealFonts() {
    return platform::win32::createWin32TextRenderer();
}

}  // namespace glintwake::play
