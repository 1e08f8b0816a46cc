#pragma once
// Recorded games as text files: a seed line, then one line per run of frames with
// the same frame time and keys held ("120 0.016666666666666666 Left Space").
// Lines starting with '#' are comments.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "replay/Harness.h"

namespace glintwake::play {

struct Replay {
    uint32_t seed = 1;
    std::vector<ScriptStep> steps;
};

// Reads a replay; false, with the line and what is wrong in `error`, when it cannot.
bool readReplay(const std::filesystem::path& file, Replay& replay, std::string& error);
// The text readReplay reads back into the same replay.
std::string formatReplay(const Replay& replay);
// Plays the replay on a fresh headless game and returns its end summary, or the
// start-up failure.
std::string playReplay(const Replay& replay);

// The file beside a replay that holds its expected end summary.
std::filesystem::path expectedSummaryPath(const std::filesystem::path& replayFile);

}  // namespace glintwake::play
