// PLACEHOLDER: replaced by the real implementation.
#include "world/FrameUpdate.h"
namespace glintwake {
void updateFrame(double) {}
}  // namespace glintwake
