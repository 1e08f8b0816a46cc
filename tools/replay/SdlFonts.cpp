#include "platform/sdl/SdlPlatform.h"
#include "replay/Harness.h"

namespace glintwake::play {

std::unique_ptr<platform::TextRenderer> makeRealFonts() {
    return platform::createSdlTextRenderer();
}

}  // namespace glintwake::play
