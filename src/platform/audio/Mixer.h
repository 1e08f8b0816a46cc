#pragma once
// Adds the playing voices into blocks of samples for the sound device, the sum
// held inside the sample range. The game thread posts requests through a lock-free
// queue; mix() runs on the device's thread, takes no lock and never allocates.
#include <array>
#include <atomic>
#include <cstdint>

#include "platform/Audio.h"
#include "platform/audio/Synth.h"

namespace platform::audio {

class Mixer {
public:
    static constexpr int MaxVoices = 32;
    // A stopped or muted voice fades out over this many samples instead of clicking.
    static constexpr uint32_t FadeSamples = 220;

    explicit Mixer(const SoundBank& bank) : bank_(bank) {}

    // --- game thread
    void play(Sound sound);
    void stop(Sound sound);
    void setMuted(bool muted) { muted_.store(muted); }
    bool isMuted() const { return muted_.load(); }
    void setPaused(bool paused) { paused_.store(paused); }

    // --- device thread
    // Fills `count` samples. A pause fades the mix out, then the voices hold still
    // and silence is written until it ends.
    void mix(Sample* out, int32_t count);
    int activeVoices() const;

private:
    struct Voice {
        const Sample* data = nullptr;
        uint32_t length = 0;
        uint32_t position = 0;
        uint32_t fadeLeft = 0;  // 0: not fading
        uint64_t startOrder = 0;
        Sound sound = Sound::LaserNormal;
        bool active = false;
    };

    static constexpr uint32_t QueueSize = 256;
    static constexpr uint8_t StopFlag = 0x80;
    static constexpr int32_t ChunkSamples = 256;

    void post(uint8_t command);
    void applyCommands();
    void start(Sound sound);
    template <typename Which>
    void fadeOut(Which which);
    Voice& voiceFor(Sound sound);
    void addVoice(Voice& voice, int32_t* sum, int32_t count);

    const SoundBank& bank_;
    std::array<Voice, MaxVoices> voices_{};
    uint64_t started_ = 0;
    uint32_t level_ = FadeSamples;  // the whole mix's level, FadeSamples being full

    // Single producer (the game), single consumer (the device).
    std::array<uint8_t, QueueSize> queue_{};
    std::atomic<uint32_t> head_{0};  // next slot the game writes
    std::atomic<uint32_t> tail_{0};  // next slot the device reads
    std::atomic<bool> muted_{false};
    std::atomic<bool> paused_{false};
};

}  // namespace platform::audio
