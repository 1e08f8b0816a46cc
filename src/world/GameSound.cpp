#include "world/GameSound.h"

#include "world/GameState.h"

namespace glintwake {

void playSound(Sound sound) {
    if (g_platform != nullptr) g_platform->audio().play(sound);
}

void stopSound(Sound sound) {
    if (g_platform != nullptr) g_platform->audio().stop(sound);
}

Sound laserSound(LaserType laserType) {
    switch (laserType) {
        case LaserType::Super:
            return Sound::LaserSuper;
        case LaserType::Power:
            return Sound::LaserPower;
        default:
            return Sound::LaserNormal;
    }
}

}  // namespace glintwake
