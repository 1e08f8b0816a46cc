#pragma once
// The status display's message line, which play writes to (what a pick-up gave).
// Declared here, below every actor; the status display (hud/Hud.cpp) provides it.
#include <cstdint>

namespace glintwake {

constexpr int32_t MessageCapacity = 30;  // 29 characters and the terminating NUL

// Shows the text (cut to 29 characters) on the message line, when there is a status display.
void postMessage(const char* text);

}  // namespace glintwake
