#include "platform/win32/Win32Audio.h"

#include <windows.h>
#undef MessageBox
#include <mmsystem.h>

#include <system_error>
#include <vector>

namespace platform::win32 {
namespace {

// About 12 ms a block, four queued: a sound is heard within a few frames of the
// request, and a late wake of the thread does not starve the device.
constexpr int BlockSamples = 512;
constexpr int BlockCount = 4;
constexpr WORD MonoChannels = 1;
constexpr WORD SampleBits = 16;
constexpr DWORD WakeTimeoutMs = 100;

// The open device and its queued blocks, given back in the right order.
class WaveOut {
public:
    WaveOut() = default;
    WaveOut(const WaveOut&) = delete;
    WaveOut& operator=(const WaveOut&) = delete;
    ~WaveOut() {
        if (device_ != nullptr) {
            waveOutReset(device_);  // hands every queued block back
            for (WAVEHDR& header : headers_)
                if ((header.dwFlags & WHDR_PREPARED) != 0)
                    waveOutUnprepareHeader(device_, &header, sizeof header);
            waveOutClose(device_);
        }
        if (event_ != nullptr) CloseHandle(event_);
    }

    bool open() {
        event_ = CreateEventA(nullptr, FALSE, FALSE, nullptr);
        if (event_ == nullptr) return false;
        WAVEFORMATEX format{};
        format.wFormatTag = WAVE_FORMAT_PCM;
        format.nChannels = MonoChannels;
        format.nSamplesPerSec = audio::SampleRate;
        format.wBitsPerSample = SampleBits;
        format.nBlockAlign = static_cast<WORD>(MonoChannels * SampleBits / 8);
        format.nAvgBytesPerSec = format.nSamplesPerSec * format.nBlockAlign;
        const MMRESULT opened = waveOutOpen(&device_, WAVE_MAPPER, &format,
                                            reinterpret_cast<DWORD_PTR>(event_), 0, CALLBACK_EVENT);
        if (opened != MMSYSERR_NOERROR) {
            device_ = nullptr;
            return false;
        }
        for (size_t i = 0; i < headers_.size(); ++i) {
            blocks_[i].assign(BlockSamples, 0);
            WAVEHDR& header = headers_[i];
            header.lpData = reinterpret_cast<LPSTR>(blocks_[i].data());
            header.dwBufferLength = BlockSamples * sizeof(audio::Sample);
            if (waveOutPrepareHeader(device_, &header, sizeof header) != MMSYSERR_NOERROR) return false;
            header.dwFlags |= WHDR_DONE;  // free to be filled
        }
        return true;
    }

    // Mixes every block the device has given back and queues it again.
    void refill(audio::Mixer& mixer) {
        for (size_t i = 0; i < headers_.size(); ++i) {
            WAVEHDR& header = headers_[i];
            if ((header.dwFlags & WHDR_DONE) == 0) continue;
            mixer.mix(blocks_[i].data(), BlockSamples);
            header.dwFlags &= ~static_cast<DWORD>(WHDR_DONE);
            waveOutWrite(device_, &header, sizeof header);
        }
    }

    void wait() const { WaitForSingleObject(event_, WakeTimeoutMs); }

private:
    HWAVEOUT device_ = nullptr;
    HANDLE event_ = nullptr;
    std::array<WAVEHDR, BlockCount> headers_{};
    std::array<std::vector<audio::Sample>, BlockCount> blocks_;
};

}  // namespace

bool Win32Audio::open() {
    if (state_.load() != State::Closed) return true;
    state_.store(State::Starting);
    stopping_.store(false);
    try {
        thread_ = std::thread([this] { run(); });
    } catch (const std::system_error&) {
        const std::lock_guard lock(handoff_);
        state_.store(State::Silent);  // no thread to spare: no sound
    }
    return true;
}

void Win32Audio::run() {
    // The device first, so no sounds are made for a machine without one.
    WaveOut device;
    if (!device.open()) {
        const std::lock_guard lock(handoff_);
        state_.store(State::Silent);
        return;
    }
    bank_ = std::make_unique<audio::SoundBank>();
    mixer_ = std::make_unique<audio::Mixer>(*bank_);
    {
        const std::lock_guard lock(handoff_);
        handOver();
        state_.store(State::Ready, std::memory_order_release);
    }
    while (!stopping_.load()) {
        device.refill(*mixer_);
        device.wait();
    }
}

void Win32Audio::handOver() {
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

void Win32Audio::close() {
    stopping_.store(true);
    if (thread_.joinable()) thread_.join();  // the device closes on the thread's way out
    mixer_.reset();
    bank_.reset();
    pendingCount_ = 0;
    state_.store(State::Closed);
}

void Win32Audio::request(Sound sound, bool stop) {
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

void Win32Audio::play(Sound sound) {
    request(sound, false);
}

void Win32Audio::stop(Sound sound) {
    request(sound, true);
}

void Win32Audio::setMuted(bool muted) {
    const std::lock_guard lock(handoff_);
    muted_.store(muted);
    if (state_.load() == State::Ready) mixer_->setMuted(muted);
}

void Win32Audio::setPaused(bool paused) {
    const std::lock_guard lock(handoff_);
    paused_.store(paused);
    if (state_.load() == State::Ready) mixer_->setPaused(paused);
}

}  // namespace platform::win32
