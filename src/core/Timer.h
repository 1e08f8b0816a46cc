#pragma once
// The game's countdown rule for its cooldowns: a timer goes down by dt and stops at 0.

namespace glintwake {

inline void countDown(double& timer, double dt) {
    timer -= dt;
    if (timer < 0) timer = 0;
}

}  // namespace glintwake
