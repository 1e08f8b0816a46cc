#pragma once
// Sound through SDL's audio device: the sounds are made when it opens, and the
// device's callback mixes them. Where no device can be opened it stays silent.
#include <memory>

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

    bool open() override;
    void close() override;
    void play(Sound sound) override;
    void stop(Sound sound) override;
    void setMuted(bool muted) override;
    bool isMuted() const override { return muted_; }
    void setPaused(bool paused) override;

private:
    static void fill(void* self, uint8_t* stream, int bytes);

    std::unique_ptr<audio::SoundBank> bank_;
    std::unique_ptr<audio::Mixer> mixer_;
    uint32_t device_ = 0;
    bool subsystemStarted_ = false;
    bool muted_ = false;
    bool paused_ = false;
};

}  // namespace platform
