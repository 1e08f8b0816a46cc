// Plays each replay file given and compares its end summary with the expected one
// beside it (NAME.replay -> NAME.expected): prints "same NAME" or "differs NAME"
// with both summaries. Status 0 only when every replay ends as expected. Runs on
// every system the game builds for, to show that each plays the same game.
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "replay/Replay.h"

namespace {

constexpr int UsageStatus = 2;

bool readFile(const std::filesystem::path& file, std::string& text) {
    std::ifstream in(file, std::ios::binary);
    if (!in) return false;
    text.assign(std::istreambuf_iterator<char>(in), {});
    return true;
}

// 0 when the replay ends as expected, 1 when it does not or cannot be played.
int check(const char* file) {
    const std::string name = std::filesystem::path(file).stem().string();
    glintwake::play::Replay replay;
    std::string error;
    std::string expected;
    if (!glintwake::play::readReplay(file, replay, error)) {
        std::printf("unreadable %s: %s\n", name.c_str(), error.c_str());
        return 1;
    }
    if (!readFile(glintwake::play::expectedSummaryPath(file), expected)) {
        std::printf("unexpected %s: no expected summary beside it\n", name.c_str());
        return 1;
    }
    const std::string played = glintwake::play::playReplay(replay);
    if (played == expected) {
        std::printf("same %s\n", name.c_str());
        return 0;
    }
    std::printf("differs %s\n--- expected\n%s--- played\n%s", name.c_str(), expected.c_str(), played.c_str());
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2 || std::string(argv[1]) == "--help") {
        std::fputs("usage: glintwake_replay_check FILE.replay...\n", argc < 2 ? stderr : stdout);
        return argc < 2 ? UsageStatus : 0;
    }
    int failed = 0;
    for (int i = 1; i < argc; ++i) failed += check(argv[i]);
    std::printf("%d of %d replays ended as expected\n", argc - 1 - failed, argc - 1);
    return failed == 0 ? 0 : 1;
}
