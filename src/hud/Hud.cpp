// PLACEHOLDER: replaced by the real implementation.
#include "hud/Hud.h"
namespace glintwake {
Hud::Hud() {}
Hud::~Hud() {}
void Hud::createFont(const char*, int32_t) {}
void Hud::drawText(int32_t, int32_t, const char*, int32_t, platform::ColorRef) {}
void Hud::setMessage(const char*) {}
void Hud::draw(double, const Player*) {}
platform::FontHandle Hud::fontFor(int32_t) const { return platform::NoFont; }
}  // namespace glintwake
