#include "platform/web/WebAudio.h"

#include <emscripten/emscripten.h>

namespace platform {
namespace {

WebAudio* g_pulling = nullptr;  // the one audio service the page's node pulls from

// Creates the audio context with a script processor that asks the game for each
// block, and an analyser after it (the sound's level can be read there). False
// where the page has no Web Audio.
EM_JS(int, startPageAudio, (int sampleRate, int blockSamples, audio::Sample* block), {
    var Context = window.AudioContext || window.webkitAudioContext;
    if (!Context) return 0;
    var context;
    try {
        context = new Context({sampleRate : sampleRate});
    } catch (e) {
        context = new Context();
    }
    var node = context.createScriptProcessor(blockSamples, 0, 1);
    var analyser = context.createAnalyser();
    analyser.fftSize = 2048;
    node.onaudioprocess = function(event) {
        var out = event.outputBuffer.getChannelData(0);
        Module._glintwake_fill_audio(out.length);
        var samples = HEAP16.subarray(block >> 1, (block >> 1) + out.length);
        for (var i = 0; i < out.length; ++i) out[i] = samples[i] / 32768;
    };
    node.connect(analyser);
    analyser.connect(context.destination);
    if (context.state == 'suspended') context.resume();
    Module.glintwakeAudio = {context : context, node : node, analyser : analyser};
    return 1;
});

EM_JS(void, stopPageAudio, (), {
    var audio = Module.glintwakeAudio;
    if (!audio) return;
    audio.node.onaudioprocess = null;
    audio.node.disconnect();
    audio.context.close();
    Module.glintwakeAudio = null;
});

}  // namespace

bool WebAudio::open() {
    open_ = true;
    return true;
}

void WebAudio::startOnGesture() {
    if (!open_ || mixer_ != nullptr) return;
    bank_ = std::make_unique<audio::SoundBank>();
    mixer_ = std::make_unique<audio::Mixer>(*bank_);
    mixer_->setMuted(muted_);
    mixer_->setPaused(paused_);
    block_.assign(BlockSamples, 0);
    g_pulling = this;
    if (startPageAudio(audio::SampleRate, BlockSamples, block_.data()) == 0) close();
}

void WebAudio::close() {
    if (g_pulling == this) {
        stopPageAudio();
        g_pulling = nullptr;
    }
    mixer_.reset();
    bank_.reset();
    open_ = false;
}

void WebAudio::fill(int32_t count) {
    if (mixer_ == nullptr) return;
    if (static_cast<size_t>(count) > block_.size()) count = static_cast<int32_t>(block_.size());
    mixer_->mix(block_.data(), count);
}

void WebAudio::play(Sound sound) {
    if (mixer_ != nullptr) mixer_->play(sound);
}

void WebAudio::stop(Sound sound) {
    if (mixer_ != nullptr) mixer_->stop(sound);
}

void WebAudio::setMuted(bool muted) {
    muted_ = muted;
    if (mixer_ != nullptr) mixer_->setMuted(muted);
}

void WebAudio::setPaused(bool paused) {
    paused_ = paused;
    if (mixer_ != nullptr) mixer_->setPaused(paused);
}

}  // namespace platform

extern "C" EMSCRIPTEN_KEEPALIVE void glintwake_fill_audio(int count) {
    if (platform::g_pulling != nullptr) platform::g_pulling->fill(count);
}
