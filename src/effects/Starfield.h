#pragma once
// The background: 70 falling stars drawn as streaks into the cleared back buffer.

namespace glintwake {

// Fills the star table; draws random numbers, so it runs first at start-up.
void initStarfield();
// Clears the back buffer and draws the stars moved by dt.
void updateStarfield(double dt);

}  // namespace glintwake
