// PLACEHOLDER: replaced by the real implementation.
#include "world/Starfield.h"
namespace glintwake {
void initStarfield() {}
void updateStarfield(double) {}
}  // namespace glintwake
