#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "replay/Replay.h"

namespace glintwake {
namespace {

namespace fs = std::filesystem;

// Every recorded game in tests/replays; each must end exactly as its .expected file
// says. To add one: write NAME.replay, run glintwake_replay_expect on it, and
// commit both (see the README).
std::vector<fs::path> replayFiles() {
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(play::repositoryRoot() / "tests" / "replays"))
        if (entry.path().extension() == ".replay") files.push_back(entry.path());
    std::ranges::sort(files);
    return files;
}

std::string testName(const ::testing::TestParamInfo<fs::path>& info) {
    std::string name = info.param.stem().string();
    for (char& c : name) c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    return name;
}

class GoldenReplay : public ::testing::TestWithParam<fs::path> {};

TEST_P(GoldenReplay, EndsAsRecorded) {
    play::Replay replay;
    std::string error;
    ASSERT_TRUE(play::readReplay(GetParam(), replay, error)) << error;
    std::ifstream expected(play::expectedSummaryPath(GetParam()));
    ASSERT_TRUE(expected) << "no expected summary; run glintwake_replay_expect on " << GetParam();
    EXPECT_EQ(play::playReplay(replay), std::string(std::istreambuf_iterator<char>(expected), {}));
}

INSTANTIATE_TEST_SUITE_P(Files, GoldenReplay, ::testing::ValuesIn(replayFiles()), testName);

// A file the reader cannot follow must say where, not play something else.
TEST(ReplayFile, RejectsUnknownKeysAndMissingSeed) {
    const fs::path file = fs::temp_directory_path() / "glintwake-bad.replay";
    const std::pair<const char*, const char*> cases[] = {
        {"seed 3\n10 0.016 Space Jump\n", ":2: unknown key 'Jump'"},
        {"10 0.016 Space\n", ":1: the seed line must come first"},
        {"seed 3\nten 0.016\n", ":2: expected a frame count"},
    };
    for (const auto& [text, message] : cases) {
        std::ofstream(file) << text;
        play::Replay replay;
        std::string error;
        EXPECT_FALSE(play::readReplay(file, replay, error)) << text;
        EXPECT_NE(error.find(message), std::string::npos) << error;
    }
    fs::remove(file);
}

}  // namespace
}  // namespace glintwake
