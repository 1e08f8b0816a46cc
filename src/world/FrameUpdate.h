#pragma once
// One step of the world: wave check, starfield, shop or play, effects, shots,
// removal passes, status display and the flip, in that fixed order.

namespace glintwake {

void updateFrame(double dt);

}  // namespace glintwake
