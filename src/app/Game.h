#pragma once
// Start-up, the main loop with its frame schedule, and shut-down.
#include <cstdint>

#include "platform/Platform.h"

namespace glintwake {

// Runs the start-up steps in order on the given backend; false on the first failure.
bool initialize(platform::Platform& platform);
// Releases everything start-up created, in order, then shows a stored failure text.
void shutdown();
// The whole program after seeding: initialize, loop until quit, shut down. Returns
// the process status.
int runGame(platform::Platform& platform);

}  // namespace glintwake
