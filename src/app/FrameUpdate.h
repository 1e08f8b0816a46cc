#pragma once
// One step of the world: wave check, starfield, shop or play, effects, shots,
// removal passes, status display and the flip, in that fixed order.
#include <functional>

#include "platform/Platform.h"

namespace glintwake {

using FrameFunction = std::function<void(double dt)>;

void updateFrame(double dt);

// One frame as every driver of the game runs it: the keyboard into g_keys, then,
// unless Escape is held, `update`. False when Escape held it back: the caller quits.
bool runFrame(platform::Keyboard& keyboard, double dt, const FrameFunction& update = updateFrame);

}  // namespace glintwake
