// Plays each replay file given and compares its end summary with the .expected
// file beside it: the same check as the golden replay tests, for builds that have
// no test framework (the WebAssembly build run under node).
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "replay/Replay.h"

namespace {

bool matches(const char* file) {
    glintwake::play::Replay replay;
    std::string error;
    if (!glintwake::play::readReplay(file, replay, error)) {
        std::printf("FAILED %s: %s\n", file, error.c_str());
        return false;
    }
    std::ifstream expectedFile(glintwake::play::expectedSummaryPath(file));
    if (!expectedFile) {
        std::printf("FAILED %s: no expected summary\n", file);
        return false;
    }
    const std::string expected(std::istreambuf_iterator<char>(expectedFile), {});
    const std::string played = glintwake::play::playReplay(replay);
    if (played == expected) {
        std::printf("ok %s\n", file);
        return true;
    }
    std::printf("FAILED %s\n--- expected\n%s--- played\n%s", file, expected.c_str(), played.c_str());
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fputs("usage: glintwake_replay_check FILE.replay...\n", stderr);
        return 2;
    }
    int passed = 0;
    int failed = 0;
    for (int i = 1; i < argc; ++i) (matches(argv[i]) ? passed : failed) += 1;
    std::printf("replays: %d passed, %d failed\n", passed, failed);
    return failed == 0 ? 0 : 1;
}
