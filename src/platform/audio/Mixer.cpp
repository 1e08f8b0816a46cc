#include "platform/audio/Mixer.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace platform::audio {

namespace {
constexpr int32_t SampleMin = std::numeric_limits<Sample>::min();
constexpr int32_t SampleMax = std::numeric_limits<Sample>::max();
}  // namespace

void Mixer::play(Sound sound) {
    if (isMuted()) return;
    post(static_cast<uint8_t>(sound));
}

void Mixer::stop(Sound sound) {
    post(static_cast<uint8_t>(static_cast<uint8_t>(sound) | StopFlag));
}

void Mixer::post(uint8_t command) {
    const uint32_t head = head_.load(std::memory_order_relaxed);
    // A full queue drops the request: a lost sound is better than a waiting game.
    if (head - tail_.load(std::memory_order_acquire) >= QueueSize) return;
    queue_[head % QueueSize] = command;
    head_.store(head + 1, std::memory_order_release);
}

void Mixer::applyCommands() {
    const uint32_t head = head_.load(std::memory_order_acquire);
    uint32_t tail = tail_.load(std::memory_order_relaxed);
    for (; tail != head; ++tail) {
        const uint8_t command = queue_[tail % QueueSize];
        const auto sound = static_cast<Sound>(command & ~StopFlag);
        if (static_cast<int>(sound) >= SoundCount) continue;
        if ((command & StopFlag) != 0) {
            fadeOut([sound](const Voice& v) { return v.sound == sound; });
        } else {
            start(sound);
        }
    }
    tail_.store(tail, std::memory_order_release);
}

// At its kind's cap the oldest voice of the kind starts over; otherwise a free
// voice, or the oldest of all when every voice is busy. Fading voices play out.
Mixer::Voice& Mixer::voiceFor(Sound sound) {
    Voice* oldestOfKind = nullptr;
    Voice* oldest = &voices_[0];
    Voice* free = nullptr;
    int ofKind = 0;
    for (Voice& v : voices_) {
        if (!v.active) {
            if (free == nullptr) free = &v;
            continue;
        }
        if (v.startOrder < oldest->startOrder || !oldest->active) oldest = &v;
        if (v.sound != sound || v.fadeLeft > 0) continue;  // a fading voice is already leaving
        ++ofKind;
        if (oldestOfKind == nullptr || v.startOrder < oldestOfKind->startOrder) oldestOfKind = &v;
    }
    if (ofKind >= bank_.maxVoices(sound) && oldestOfKind != nullptr) return *oldestOfKind;
    return free != nullptr ? *free : *oldest;
}

void Mixer::start(Sound sound) {
    const auto& samples = bank_.samples(sound);
    if (samples.empty()) return;
    Voice& v = voiceFor(sound);
    v = Voice{samples.data(), static_cast<uint32_t>(samples.size()), 0, 0, ++started_, sound, true};
}

template <typename Which>
void Mixer::fadeOut(Which which) {
    for (Voice& v : voices_) {
        if (v.active && v.fadeLeft == 0 && which(v)) v.fadeLeft = FadeSamples;
    }
}

void Mixer::addVoice(Voice& v, int32_t* sum, int32_t count) {
    for (int32_t i = 0; i < count && v.active; ++i) {
        int32_t s = v.data[v.position];
        if (v.fadeLeft > 0) {
            s = static_cast<int32_t>(static_cast<int64_t>(s) * v.fadeLeft / FadeSamples);
            if (--v.fadeLeft == 0) v.active = false;
        }
        sum[i] += s;
        if (++v.position >= v.length) v.active = false;
    }
}

void Mixer::mix(Sample* out, int32_t count) {
    const bool paused = paused_.load();
    int32_t done = 0;
    if (!paused) applyCommands();
    if (isMuted()) fadeOut([](const Voice&) { return true; });
    int32_t sum[ChunkSamples];
    // Once a pause has faded the whole mix out, the voices hold where they are.
    for (; done < count && !(paused && level_ == 0); done += ChunkSamples) {
        const int32_t n = std::min(ChunkSamples, count - done);
        std::fill_n(sum, n, 0);
        for (Voice& v : voices_) {
            if (v.active) addVoice(v, sum, n);
        }
        for (int32_t i = 0; i < n; ++i) {
            // The whole mix fades out into a pause and back in after it, without a click.
            if (paused && level_ > 0) --level_;
            if (!paused && level_ < FadeSamples) ++level_;
            const int32_t s = static_cast<int32_t>(int64_t{sum[i]} * level_ / FadeSamples);
            out[done + i] = static_cast<Sample>(std::clamp(s, SampleMin, SampleMax));
        }
    }
    if (done < count) std::memset(out + done, 0, static_cast<size_t>(count - done) * sizeof(Sample));
}

int Mixer::activeVoices() const {
    return static_cast<int>(
        std::count_if(voices_.begin(), voices_.end(), [](const Voice& v) { return v.active; }));
}

}  // namespace platform::audio
