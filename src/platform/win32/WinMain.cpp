// The Windows program: the game on the native backend. The images are looked for
// in Images\ beside the program first, since an installed game is started from
// the Start menu with any working folder, then in the working folder.
#include <windows.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <system_error>

#include "app/Game.h"
#include "app/ImageTable.h"
#include "platform/win32/Win32Platform.h"

namespace {

constexpr int NoBackendStatus = 1;
constexpr DWORD LongPath = 32768;
constexpr const char* ImagesFolder = "Images";

std::filesystem::path programFolder() {
    std::wstring path(LongPath, L'\0');
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), LongPath);
    if (length == 0 || length >= LongPath) return {};
    path.resize(length);
    return std::filesystem::path(path).parent_path();
}

// The game reads Images\ from its working folder, and from the second folder any
// image the first lacks: the program's own folder becomes the first.
void lookBesideProgramFirst() {
    std::error_code error;
    const std::filesystem::path program = programFolder();
    const std::filesystem::path working = std::filesystem::current_path(error);
    if (program.empty() || error || !std::filesystem::is_directory(program / ImagesFolder, error)) return;
    std::filesystem::current_path(program, error);
    if (!error) glintwake::setInstalledDataFolder(working.string());
}

}  // namespace

int main() {
    lookBesideProgramFirst();
    const std::unique_ptr<platform::Platform> platform = platform::win32::createWin32Platform();
    if (!platform) {
        std::fputs("Glintwake: no display backend could be created\n", stderr);
        return NoBackendStatus;
    }
    return glintwake::runGame(*platform);
}
