#pragma once
// Start-up, the main loop with its frame schedule, and shut-down.
#include <cstdint>

#include "platform/Platform.h"
#include "world/GameState.h"

namespace glintwake {

constexpr const char* MessageBoxCaption = "Glintwake";

// Runs the start-up steps in order on the given backend; false on the first failure.
bool initialize(platform::Platform& platform);
// Releases everything start-up created, in order, then shows a stored failure text.
void shutdown();
// Starts a new game in memory as start-up does (generator seeded from the clock,
// star table, counters, empty lists, new player, status display and shop), keeping
// the window, keyboard and images. False, with g_errorMessage set where there is a
// text, when the heap cannot hold the new objects.
bool startNewGame(platform::Platform& platform);
// The whole program: seed, initialize, loop until quit, shut down. Returns the
// process status.
int runGame(platform::Platform& platform);

// Test seam: makes the given allocation of later start-ups come back empty, as an
// exhausted heap would. None (also set by resetGameState) restores normal behaviour.
void failStartupAllocation(StartupAllocation which);

}  // namespace glintwake
