// The program: the game on the real window, keyboard and clocks. Images/ is read
// from the working directory, else from the data folder installed beside the program.
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <system_error>

#include "app/Game.h"
#include "app/ImageTable.h"
#include "platform/sdl/SdlPlatform.h"

#ifndef GLINTWAKE_DATA_FROM_BIN
#define GLINTWAKE_DATA_FROM_BIN "../share/glintwake"
#endif

namespace {

constexpr int NoBackendStatus = 1;

// The installed data folder, found from the program's own path so that the same
// files work under any prefix and inside a package. Empty when it cannot be told.
std::string installedDataFolder() {
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) return {};
    return (program.parent_path() / GLINTWAKE_DATA_FROM_BIN).lexically_normal().string();
}

}  // namespace

int main() {
    glintwake::setInstalledDataFolder(installedDataFolder());
    const std::unique_ptr<platform::Platform> platform = platform::createSdlPlatform();
    if (!platform) {
        std::fputs("Glintwake: no display backend could be created\n", stderr);
        return NoBackendStatus;
    }
    return glintwake::runGame(*platform);
}
