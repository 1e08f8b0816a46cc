#include "platform/sdl/SdlPlatform.h"
#include "replay/RealFonts.h"

namespace glintwake::play {

std::unique_ptr<platform::TextRenderer> createRealFonts() {
    return platform::createSdlTextRenderer();
}

}  // namespace glintwake::play
