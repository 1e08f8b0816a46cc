// PLACEHOLDER: replaced by the real implementation.
#include "app/Game.h"
namespace glintwake {
bool initialize(platform::Platform&) { return false; }
void shutdown() {}
int runGame(platform::Platform&) { return 0; }
}  // namespace glintwake
