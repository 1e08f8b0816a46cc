#pragma once
// Sound through Web Audio: the same synthesiser and mixer as on the desktop, the
// mix pulled block by block by a script processor node. Browsers allow sound only
// after the player's first key or click, so the sounds are made and the audio
// context started then; until that, requests are dropped as by a silent device.
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/Audio.h"
#include "platform/audio/Mixer.h"
#include "platform/audio/Synth.h"

namespace platform {

class WebAudio final : public Audio {
public:
    // Samples a block: about 23 ms at 44.1 kHz, short enough to follow a frame's
    // requests and long enough that a busy page does not starve the device.
    static constexpr int BlockSamples = 1024;

    WebAudio() = default;
    WebAudio(const WebAudio&) = delete;
    WebAudio& operator=(const WebAudio&) = delete;
    ~WebAudio() override { close(); }

    bool open() override;
    void close() override;
    void play(Sound sound) override;
    void stop(Sound sound) override;
    void setMuted(bool muted) override;
    bool isMuted() const override { return muted_; }
    void setPaused(bool paused) override;

    // Inside the player's first key or click: makes the sounds, starts the page's
    // audio. Does nothing unless open.
    void startOnGesture();
    bool playing() const { return mixer_ != nullptr; }
    // The device's pull: mixes `count` samples and hands them to the page's buffer.
    void fill(int32_t count);

private:
    bool open_ = false;
    bool muted_ = false;
    bool paused_ = false;
    std::unique_ptr<audio::SoundBank> bank_;
    std::unique_ptr<audio::Mixer> mixer_;
    std::vector<audio::Sample> block_;
};

}  // namespace platform
