#include "platform/sdl/SdlAudio.h"

#include <SDL.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <system_error>

namespace platform {

namespace {
// About 12 ms a block: a sound is heard within the frame that asked for it.
constexpr uint16_t BlockSamples = 512;
constexpr uint8_t MonoChannels = 1;
// Sound libraries that find no device (ALSA above all) write their complaints
// to standard error. Having no sound is not worth a word, so while the device is
// looked for, standard error goes nowhere.
class QuietStandardError {
public:
    QuietStandardError() {
        std::fflush(stderr);
        saved_ = dup(STDERR_FILENO);
        const int nowhere = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
        if (saved_ >= 0 && nowhere >= 0) dup2(nowhere, STDERR_FILENO);
        if (nowhere >= 0) ::close(nowhere);
    }
    ~QuietStandardError() {
        std::fflush(stderr);
        if (saved_ < 0) return;
        dup2(saved_, STDERR_FILENO);
        ::close(saved_);
    }
    QuietStandardError(const QuietStandardError&) = delete;
    QuietStandardError& operator=(const QuietStandardError&) = delete;

private:
    int saved_ = -1;
};

}  // namespace

bool SdlAudio::open() {
    if (state_.load() != State::Closed) return true;
    state_.store(State::Starting);
    try {
        starter_ = std::thread([this] { start(); });
    } catch (const std::system_error&) {
        start();  // no thread to spare: start here and now instead
    }
    return true;
}

void SdlAudio::start() {
    // The device opens paused, so the sounds can be made after it: none are made
    // for a machine that has no device.
    if (!openDevice()) {
        // SDL's audio (with its device watcher thread) goes now.
        if (subsystemStarted_) SDL_QuitSubSystem(SDL_INIT_AUDIO);
        subsystemStarted_ = false;
        const std::lock_guard lock(handoff_);
        state_.store(State::Silent);
        return;
    }
    bank_ = std::make_unique<audio::SoundBank>();
    mixer_ = std::make_unique<audio::Mixer>(*bank_);
    const std::lock_guard lock(handoff_);
    handOver();
    state_.store(State::Ready, std::memory_order_release);
    SDL_PauseAudioDevice(device_, 0);
}

bool SdlAudio::openDevice() {
    const QuietStandardError quiet;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
    subsystemStarted_ = true;
    SDL_AudioSpec wanted{};
    wanted.freq = audio::SampleRate;
    wanted.format = AUDIO_S16SYS;
    wanted.channels = MonoChannels;
    wanted.samples = BlockSamples;
    wanted.callback = &SdlAudio::fill;
    wanted.userdata = this;
    // No changes allowed: SDL converts to whatever the device really plays.
    device_ = SDL_OpenAudioDevice(nullptr, 0, &wanted, nullptr, 0);
    return device_ != 0;
}

void SdlAudio::handOver() {
    mixer_->setMuted(muted_.load());
    mixer_->setPaused(paused_.load());
    for (int i = 0; i < pendingCount_; ++i) {
        const Request& r = pending_[static_cast<size_t>(i)];
        if (r.stop) {
            mixer_->stop(r.sound);
        } else {
            mixer_->play(r.sound);
        }
    }
    pendingCount_ = 0;
}

void SdlAudio::close() {
    if (starter_.joinable()) starter_.join();
    if (device_ != 0) SDL_CloseAudioDevice(device_);  // waits for a running callback
    device_ = 0;
    mixer_.reset();
    bank_.reset();
    if (subsystemStarted_) SDL_QuitSubSystem(SDL_INIT_AUDIO);
    subsystemStarted_ = false;
    pendingCount_ = 0;
    state_.store(State::Closed);
}

void SdlAudio::fill(void* self, uint8_t* stream, int bytes) {
    auto* owner = static_cast<SdlAudio*>(self);
    owner->mixer_->mix(reinterpret_cast<audio::Sample*>(stream),
                       bytes / static_cast<int>(sizeof(audio::Sample)));
}

void SdlAudio::request(Sound sound, bool stop) {
    if (state_.load(std::memory_order_acquire) != State::Ready) {
        const std::lock_guard lock(handoff_);
        if (state_.load() != State::Ready) {
            // Kept for the device while it starts; a muted play is dropped as the mixer would.
            const bool keep = state_.load() == State::Starting && pendingCount_ < MaxPendingRequests &&
                              (stop || !muted_.load());
            if (keep) pending_[static_cast<size_t>(pendingCount_++)] = Request{sound, stop};
            return;
        }
    }
    if (stop) {
        mixer_->stop(sound);
    } else {
        mixer_->play(sound);
    }
}

void SdlAudio::play(Sound sound) {
    request(sound, false);
}

void SdlAudio::stop(Sound sound) {
    request(sound, true);
}

void SdlAudio::setMuted(bool muted) {
    const std::lock_guard lock(handoff_);
    muted_.store(muted);
    if (state_.load() == State::Ready) mixer_->setMuted(muted);
}

void SdlAudio::setPaused(bool paused) {
    const std::lock_guard lock(handoff_);
    paused_.store(paused);
    if (state_.load() == State::Ready) mixer_->setPaused(paused);
}

}  // namespace platform
