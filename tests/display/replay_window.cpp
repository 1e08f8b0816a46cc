// Plays a recorded game headless and shows each of its frames in the real window,
// sending only what changed (or, with --whole, whole frames). Every Nth frame it
// reads back what the window shows from the X server and prints
//   frame <n> <hash of the window's pixels> <pixels not black>
// so that two runs can be compared pixel for pixel. Exit status 0 when all went.
// Usage: replay_window <replay file> <frames> <every> [--whole]
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "display/window_read_back.h"
#include "platform/sdl/SdlDisplay.h"
#include "replay/Replay.h"

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: replay_window <replay> <frames> <every> [--whole]\n");
        return 2;
    }
    const int frames = std::atoi(argv[2]);
    const int every = std::atoi(argv[3]);
    const bool whole = argc > 4 && std::strcmp(argv[4], "--whole") == 0;
    glintwake::play::Replay replay;
    std::string error;
    if (!glintwake::play::readReplay(argv[1], replay, error) || frames <= 0 || every <= 0) {
        std::fprintf(stderr, "cannot play %s: %s\n", argv[1], error.c_str());
        return 2;
    }
    platform::SdlDisplay display(whole ? platform::PresentPath::WholeFrames
                                       : platform::PresentPath::Automatic);
    platform::Surface* shown = nullptr;
    if (display.startVideo() && display.createWindow() && display.createRenderer() &&
        display.enterFullScreen() && display.setLogicalSize() && display.createTexture()) {
        shown = display.createBackBuffer();
    }
    if (shown == nullptr || !display.presentsToWindowSurface()) {
        std::fprintf(stderr, "the window's own pixels could not be had\n");
        return 1;
    }
    glintwake::play::ScopedWorkingDirectory root(glintwake::play::repositoryRoot());
    glintwake::play::Harness game(replay.seed);
    if (!game.started()) {
        std::fprintf(stderr, "the game did not start: %s\n", game.startupError().c_str());
        return 1;
    }
    int played = 0;
    for (const glintwake::play::ScriptStep& step : replay.steps) {
        game.holdKeys(step.keys);
        for (int i = 0; i < step.frames && played < frames; ++i, ++played) {
            game.runFrame(step.dt);
            const platform::Surface* drawn = game.platform().headlessDisplay().backBuffer();
            std::memcpy(shown->view().base, drawn->view().base, drawn->view().sizeBytes());
            platform::Event event;
            while (display.pollEvent(event)) {
            }
            display.present();
            if (played % every != every - 1 && played != frames - 1) continue;
            WindowShown s;
            if (!readWindowBack(display.window(), s)) {
                std::fprintf(stderr, "the window could not be read back\n");
                return 1;
            }
            std::printf("frame %d %016llx %lld\n", played + 1, static_cast<unsigned long long>(s.hash),
                        static_cast<long long>(s.lit));
        }
    }
    display.close();
    return played == frames ? 0 : 1;
}
