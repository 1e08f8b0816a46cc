// Writes every sound of the game as a 16-bit mono WAV file, to listen to them
// one by one: soundgen <folder>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/audio/Synth.h"

namespace {

using platform::audio::Sample;

constexpr const char* Names[platform::SoundCount] = {
    "laser-normal",   "laser-super",   "laser-power", "charging",    "charge-release",
    "arc-shot",       "energy-cannon", "missile",     "enemy-laser", "enemy-hit",
    "enemy-explode",  "ship-hit",      "shield-up",   "teleport",    "pickup-money",
    "pickup-powerup", "shop-move",     "shop-buy",    "shop-refuse", "new-wave",
};

constexpr uint16_t PcmFormat = 1;
constexpr uint16_t MonoChannels = 1;
constexpr uint16_t SampleBits = 16;
constexpr uint32_t FormatChunkSize = 16;
constexpr uint32_t HeaderRest = 36;  // the RIFF size counts the header after its first 8 bytes

void put16(std::ofstream& out, uint16_t v) {
    const char b[2] = {static_cast<char>(v & 0xFF), static_cast<char>(v >> 8)};
    out.write(b, 2);
}

void put32(std::ofstream& out, uint32_t v) {
    put16(out, static_cast<uint16_t>(v & 0xFFFF));
    put16(out, static_cast<uint16_t>(v >> 16));
}

bool writeWav(const std::filesystem::path& path, const std::vector<Sample>& samples) {
    std::ofstream out(path, std::ios::binary);
    const auto dataBytes = static_cast<uint32_t>(samples.size() * sizeof(Sample));
    const uint32_t rate = platform::audio::SampleRate;
    out.write("RIFF", 4);
    put32(out, HeaderRest + dataBytes);
    out.write("WAVEfmt ", 8);
    put32(out, FormatChunkSize);
    put16(out, PcmFormat);
    put16(out, MonoChannels);
    put32(out, rate);
    put32(out, rate * sizeof(Sample));
    put16(out, sizeof(Sample));
    put16(out, SampleBits);
    out.write("data", 4);
    put32(out, dataBytes);
    for (Sample s : samples) put16(out, static_cast<uint16_t>(s));
    return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: soundgen <folder>\n", stderr);
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    const platform::audio::SoundBank bank;
    for (int i = 0; i < platform::SoundCount; ++i) {
        const auto path = folder / (std::string(Names[i]) + ".wav");
        if (!writeWav(path, bank.samples(static_cast<platform::Sound>(i)))) {
            std::fprintf(stderr, "soundgen: cannot write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}
