#include "replay/Replay.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>

#include "platform/Keys.h"

namespace glintwake::play {

namespace {

namespace key = platform::key;

struct KeyName {
    const char* name;
    uint8_t code;
};

// The keys the game reads, by the names replay files use.
constexpr KeyName KeyNames[] = {
    {"Left", key::Left},
    {"Right", key::Right},
    {"Up", key::Up},
    {"Down", key::Down},
    {"Space", key::Space},
    {"LeftAlt", key::LeftAlt},
    {"RightAlt", key::RightAlt},
    {"LeftControl", key::LeftControl},
    {"RightControl", key::RightControl},
    {"LeftShift", key::LeftShift},
    {"Z", key::Z},
    {"X", key::X},
    {"Q", key::Q},
    {"Return", key::Return},
    {"Escape", key::Escape},
};

const KeyName* findKey(const std::string& name) {
    const auto* it = std::find_if(std::begin(KeyNames), std::end(KeyNames),
                                  [&](const KeyName& k) { return name == k.name; });
    return it == std::end(KeyNames) ? nullptr : it;
}

const char* keyName(uint8_t code) {
    for (const KeyName& k : KeyNames)
        if (k.code == code) return k.name;
    return nullptr;
}

// One "frames dt keys..." line into a step; false when a field is not understood.
bool parseStep(std::istringstream& fields, ScriptStep& step, std::string& error) {
    if (!(fields >> step.frames >> step.dt) || step.frames < 0) {
        error = "expected a frame count and a frame time";
        return false;
    }
    std::string name;
    while (fields >> name) {
        const KeyName* k = findKey(name);
        if (k == nullptr) {
            error = "unknown key '" + name + "'";
            return false;
        }
        step.keys.push_back(k->code);
    }
    return true;
}

bool parseLine(const std::string& line, Replay& replay, bool& seeded, std::string& error) {
    std::istringstream fields(line);
    std::string first;
    if (!(fields >> first) || first[0] == '#') return true;
    if (first == "seed") {
        seeded = static_cast<bool>(fields >> replay.seed);
        if (!seeded) error = "expected a seed";
        return seeded;
    }
    if (!seeded) {
        error = "the seed line must come first";
        return false;
    }
    std::istringstream step(line);
    replay.steps.emplace_back();
    return parseStep(step, replay.steps.back(), error);
}

}  // namespace

bool readReplay(const std::filesystem::path& file, Replay& replay, std::string& error) {
    std::ifstream in(file);
    if (!in) {
        error = "cannot open " + file.string();
        return false;
    }
    replay = Replay{};
    bool seeded = false;
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        if (!parseLine(line, replay, seeded, error)) {
            error = file.filename().string() + ":" + std::to_string(number) + ": " + error;
            return false;
        }
    }
    if (!seeded) error = file.filename().string() + ": no seed line";
    return seeded;
}

std::string formatReplay(const Replay& replay) {
    std::string out = "seed " + std::to_string(replay.seed) + "\n";
    for (const ScriptStep& step : replay.steps) {
        char head[64];
        std::snprintf(head, sizeof head, "%d %.17g", step.frames, step.dt);
        out += head;
        for (uint8_t code : step.keys) {
            const char* name = keyName(code);
            out += ' ';
            out += name != nullptr ? name : "?";
        }
        out += '\n';
    }
    return out;
}

std::string playReplay(const Replay& replay) {
    Harness game(replay.seed);
    if (!game.started()) return "start-up failed: " + game.startupError() + "\n";
    game.runScript(replay.steps);
    return game.summary();
}

std::filesystem::path expectedSummaryPath(const std::filesystem::path& replayFile) {
    std::filesystem::path expected = replayFile;
    return expected.replace_extension(".expected");
}

}  // namespace glintwake::play
