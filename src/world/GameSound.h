#pragma once
// The game's one call per sound: asks the backend's audio service, when there is
// a backend. Sound never feeds back into play and never draws a random number.
#include <cstdint>

#include "platform/Audio.h"
#include "weapons/Laser.h"

namespace glintwake {

using platform::Sound;

void playSound(Sound sound);
void stopSound(Sound sound);
// The shot sound of a gun's laser grade.
Sound laserSound(LaserType laserType);

}  // namespace glintwake
