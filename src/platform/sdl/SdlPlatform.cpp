// PLACEHOLDER: replaced by the real implementation.
#include "platform/sdl/SdlPlatform.h"
namespace platform {
std::unique_ptr<Platform> createSdlPlatform() { return nullptr; }
std::unique_ptr<TextRenderer> createSdlTextRenderer() { return nullptr; }
}  // namespace platform
