#pragma once
// Sound through SDL's audio device: the sounds are made and the device opened on
// a thread of their own, and the device's callback mixes them. Where no device can
// be opened it stays silent.
#include <array>
#include <atomic>
#include <memory>
#include <mutex>
#include <thread>

#include "platform/Audio.h"
#include "platform/audio/Mixer.h"
#include "platform/audio/Synth.h"

namespace platform {

class SdlAudio final : public Audio {
public:
    SdlAudio() = default;
    SdlAudio(const SdlAudio&) = delete;
    SdlAudio& operator=(const SdlAudio&) = delete;
    ~SdlAudio() override { close(); }

    // Starts making the sounds and opening the device beside the game, so the
    // first picture does not wait for them; returns at once.
    bool open() override;
    void close() override;
    void play(Sound sound) override;
    void stop(Sound sound) override;
    void setMuted(bool muted) override;
    bool isMuted() const override { return muted_.load(); }
    void setPaused(bool paused) override;

private:
    enum class State { Closed, Starting, Ready, Silent };
    struct Request {
        Sound sound;
        bool stop;
    };
    // Requests made while starting: a few frames' worth is plenty.
    static constexpr int MaxPendingRequests = 64;

    static void fill(void* self, uint8_t* stream, int bytes);
    void start();  // on the starting thread
    bool openDevice();
    void request(Sound sound, bool stop);
    void handOver();  // with handoff_ held

    std::unique_ptr<audio::SoundBank> bank_;
    std::unique_ptr<audio::Mixer> mixer_;
    uint32_t device_ = 0;
    bool subsystemStarted_ = false;
    std::atomic<bool> muted_ = false;
    std::atomic<bool> paused_ = false;

    std::thread starter_;
    std::mutex handoff_;
    std::atomic<State> state_ = State::Closed;
    std::array<Request, MaxPendingRequests> pending_{};
    int pendingCount_ = 0;
};

}  // namespace platform
