#include "platform/sdl/SdlAudio.h"

#include <SDL.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>

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
    if (device_ != 0) return true;
    const QuietStandardError quiet;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
    subsystemStarted_ = true;
    bank_ = std::make_unique<audio::SoundBank>();
    mixer_ = std::make_unique<audio::Mixer>(*bank_);
    mixer_->setMuted(muted_);
    mixer_->setPaused(paused_);

    SDL_AudioSpec wanted{};
    wanted.freq = audio::SampleRate;
    wanted.format = AUDIO_S16SYS;
    wanted.channels = MonoChannels;
    wanted.samples = BlockSamples;
    wanted.callback = &SdlAudio::fill;
    wanted.userdata = this;
    // No changes allowed: SDL converts to whatever the device really plays.
    device_ = SDL_OpenAudioDevice(nullptr, 0, &wanted, nullptr, 0);
    if (device_ == 0) {
        close();
        return false;
    }
    SDL_PauseAudioDevice(device_, 0);
    return true;
}

void SdlAudio::close() {
    if (device_ != 0) SDL_CloseAudioDevice(device_);  // waits for a running callback
    device_ = 0;
    mixer_.reset();
    bank_.reset();
    if (subsystemStarted_) SDL_QuitSubSystem(SDL_INIT_AUDIO);
    subsystemStarted_ = false;
}

void SdlAudio::fill(void* self, uint8_t* stream, int bytes) {
    auto* owner = static_cast<SdlAudio*>(self);
    owner->mixer_->mix(reinterpret_cast<audio::Sample*>(stream),
                       bytes / static_cast<int>(sizeof(audio::Sample)));
}

void SdlAudio::play(Sound sound) {
    if (mixer_) mixer_->play(sound);
}

void SdlAudio::stop(Sound sound) {
    if (mixer_) mixer_->stop(sound);
}

void SdlAudio::setMuted(bool muted) {
    muted_ = muted;
    if (mixer_) mixer_->setMuted(muted);
}

void SdlAudio::setPaused(bool paused) {
    paused_ = paused;
    if (mixer_) mixer_->setPaused(paused);
}

}  // namespace platform
