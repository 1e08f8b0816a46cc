#pragma once
// The game's one call per sound: asks the backend's audio service, when there is
// a backend. Sound never feeds back into play and never draws a random number.
#include <cstdint>

#include "platform/Audio.h"

namespace glintwake {

using platform::Sound;

void playSound(Sound sound);
void stopSound(Sound sound);

}  // namespace glintwake
