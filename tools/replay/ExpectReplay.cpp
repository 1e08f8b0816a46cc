// Writes the expected end summary of each replay file given, beside it
// (NAME.replay -> NAME.expected), by playing it on the headless game. A new golden
// replay is a .replay file plus one run of this tool.
#include <cstdio>
#include <fstream>
#include <string>

#include "replay/Replay.h"

int main(int argc, char** argv) {
    if (argc < 2 || std::string(argv[1]) == "--help") {
        std::fputs("usage: glintwake_replay_expect FILE.replay...\n", argc < 2 ? stderr : stdout);
        return argc < 2 ? 2 : 0;
    }
    for (int i = 1; i < argc; ++i) {
        glintwake::play::Replay replay;
        std::string error;
        if (!glintwake::play::readReplay(argv[i], replay, error)) {
            std::fprintf(stderr, "replay: %s\n", error.c_str());
            return 1;
        }
        const auto target = glintwake::play::expectedSummaryPath(argv[i]);
        std::ofstream(target) << glintwake::play::playReplay(replay);
        std::printf("replay: wrote %s\n", target.string().c_str());
    }
    return 0;
}
