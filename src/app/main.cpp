// The program: the game on the real window, keyboard and clocks. Images/ is read
// from the working directory.
#include <cstdio>
#include <memory>

#include "app/Game.h"
#include "platform/sdl/SdlPlatform.h"

namespace {
constexpr int NoBackendStatus = 1;
}

int main() {
    const std::unique_ptr<platform::Platform> platform = platform::createSdlPlatform();
    if (!platform) {
        std::fputs("Glintwake: no display backend could be created\n", stderr);
        return NoBackendStatus;
    }
    return glintwake::runGame(*platform);
}
