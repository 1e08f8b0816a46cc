#pragma once
// Checks the rules the world must keep after every frame; used by the soak run.
#include <string>

namespace glintwake {

// Empty when all hold, otherwise a description of the first broken rule.
std::string checkWorldInvariants();

// The padding bytes of every back-buffer row beyond its visible pixels: the
// starfield clears them, so anything found there was written outside a row.
bool backBufferPaddingClean();

}  // namespace glintwake
