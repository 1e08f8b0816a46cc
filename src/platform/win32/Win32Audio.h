#pragma once
// Sound through waveOut, fed from a thread of its own: the thread opens the
// device, makes the sounds and keeps a few blocks queued, each mixed by the
// portable mixer as the device hands it back. Without a device it stays silent.
#include <array>
#include <atomic>
#include <memory>
#include <mutex>
#include <thread>

#include "platform/Audio.h"
#include "platform/audio/Mixer.h"
#include "platform/audio/Synth.h"

namespace platform::win32 {

class Win32Audio final : public Audio {
public:
    Win32Audio() = default;
    Win32Audio(const Win32Audio&) = delete;
    Win32Audio& operator=(const Win32Audio&) = delete;
    ~Win32Audio() override { close(); }

    // Starts the sound thread and returns at once, so the first picture does not
    // wait for the sounds to be made.
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

    void run();  // the sound thread
    void request(Sound sound, bool stop);
    void handOver();  // with handoff_ held

    std::unique_ptr<audio::SoundBank> bank_;
    std::unique_ptr<audio::Mixer> mixer_;
    std::atomic<bool> muted_ = false;
    std::atomic<bool> paused_ = false;
    std::atomic<bool> stopping_ = false;

    std::thread thread_;
    std::mutex handoff_;
    std::atomic<State> state_ = State::Closed;
    std::array<Request, MaxPendingRequests> pending_{};
    int pendingCount_ = 0;
};

}  // namespace platform::win32
