#pragma once
// Start-up, the main loop with its frame schedule, and shut-down.
#include <cstdint>

#include "platform/Platform.h"

namespace glintwake {

constexpr const char* MessageBoxCaption = "Glintwake";

// Runs the start-up steps in order on the given backend; false on the first failure.
bool initialize(platform::Platform& platform);
// Releases everything start-up created, in order, then shows a stored failure text.
void shutdown();
// The whole program: seed, initialize, loop until quit, shut down. Returns the
// process status.
int runGame(platform::Platform& platform);

// The objects start-up allocates, in the order it allocates them.
enum class StartupAllocation { Player, Shots, Enemies, Effects, PowerUps, Hud, Shop, None };
// Test seam: makes the given allocation of later start-ups come back empty, as an
// exhausted heap would. None restores normal behaviour.
void failStartupAllocation(StartupAllocation which);

}  // namespace glintwake
