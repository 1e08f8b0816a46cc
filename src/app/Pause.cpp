#include "app/Pause.h"

namespace glintwake {

void Pause::resume() {
    help_ = false;
    setPaused(false);
}

void Pause::showHelp() {
    pause();
    help_ = true;
}

void Pause::setPaused(bool paused) {
    if (paused == paused_) return;
    paused_ = paused;
    if (listener_) listener_(paused_);
}

}  // namespace glintwake
