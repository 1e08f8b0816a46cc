#include "world/GameSound.h"

#include "world/GameState.h"

namespace glintwake {

void playSound(Sound sound) {
    if (g_platform != nullptr) g_platform->audio().play(sound);
}

void stopSound(Sound sound) {
    if (g_platform != nullptr) g_platform->audio().stop(sound);
}

}  // namespace glintwake
