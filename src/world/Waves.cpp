// PLACEHOLDER: replaced by the real implementation.
#include "world/Waves.h"
namespace glintwake {
void spawnWave() {}
}  // namespace glintwake
