#pragma once
// Deleting what the game holds: at shut-down, for a new game, and between tests.
// Here, on the floor that knows every kind of object the globals point at.

namespace glintwake {

// Deletes every listed object and frees the lists, then the player, status display,
// shop and images, in shut-down order. Counts keep their values.
void deleteWorldObjects();
// The same without the images: what a new game replaces.
void deletePlayObjects();

// Deletes every object, list and image still held and sets every global back to
// its value at program start, the generator's state and the failing allocation
// included. Tests call it between cases.
void resetGameState();

}  // namespace glintwake
