#pragma once
// The memory-only backend for tests and benchmarks: no window, a keyboard fed by
// the test, a clock the test advances, a message box that records its text, and
// access to every presented frame. Any start-up step can be made to fail.
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/Keys.h"
#include "platform/PixelMemory.h"
#include "platform/Platform.h"

namespace platform {

enum class StartupStep {
    Video,
    Window,
    Renderer,
    FullScreen,
    LogicalSize,
    Texture,
    BackBuffer,
    InputCreate,
    KeyboardDevice,
    KeyboardFormat,
    KeyboardCooperative,
    KeyboardAcquire,
};

class HeadlessDisplay final : public Display {
public:
    bool startVideo() override;
    bool createWindow() override;
    bool createRenderer() override;
    bool enterFullScreen() override;
    bool setLogicalSize() override;
    bool createTexture() override;
    Surface* createBackBuffer() override;
    void present() override;
    void close() override;
    bool pollEvent(Event& event) override;
    void requestClose() override;
    bool setWindowed(bool windowed) override {
        windowed_ = windowed;
        return true;
    }
    bool isWindowed() const override { return windowed_; }

    // --- test controls
    void failAt(StartupStep step) {
        failStep_ = step;
        failEnabled_ = true;
    }
    void setBackBufferPitch(int32_t pitchBytes) { backBufferPitch_ = pitchBytes; }
    // Off: present() does nothing at all, so a benchmark can leave the copy out.
    void setPresentCopies(bool copies) { presentCopies_ = copies; }
    void pushEvent(EventType type) { events_.push_back(Event{type}); }
    void pushKeyPress(uint8_t code) { events_.push_back(Event{EventType::KeyPress, code}); }
    void setOnPresent(std::function<void()> hook) { onPresent_ = std::move(hook); }

    Surface* backBuffer() { return backBuffer_.get(); }
    int64_t presentCount() const { return presentCount_; }
    const PixelVector<Pixel>& lastFrame() const { return lastFrame_; }
    int closeRequests() const { return closeRequests_; }
    // Names of created resources ("video", "window", ...) and of releases ("-window").
    const std::vector<std::string>& log() const { return log_; }
    // Resources still open, oldest first.
    const std::vector<std::string>& open() const { return open_; }

private:
    // Logs a start-up step unless the test made it fail; step() also counts it open
    // until close().
    bool logStep(StartupStep step, const char* name);
    bool step(StartupStep step, const char* name);

    std::unique_ptr<Surface> backBuffer_;
    int32_t backBufferPitch_ = 0;
    bool failEnabled_ = false;
    StartupStep failStep_ = StartupStep::Video;
    bool presentCopies_ = true;
    int64_t presentCount_ = 0;
    PixelVector<Pixel> lastFrame_;
    std::deque<Event> events_;
    std::function<void()> onPresent_;
    int closeRequests_ = 0;
    bool windowed_ = false;
    std::vector<std::string> log_;
    std::vector<std::string> open_;

    friend class HeadlessKeyboard;
};

class HeadlessKeyboard final : public Keyboard {
public:
    explicit HeadlessKeyboard(HeadlessDisplay& display) : display_(display) {}

    bool create() override;
    bool createDevice() override;
    bool setDataFormat() override;
    bool setCooperativeLevel() override;
    bool acquire() override;
    void read(uint8_t* keys) override;
    void close() override;

    // --- test controls
    void setKey(uint8_t code, bool down) { state_[code] = down ? KeyDown : 0; }
    void setState(const uint8_t* keys);
    void releaseAll();
    void setFocused(bool focused) { focused_ = focused; }
    int readCount() const { return readCount_; }

private:
    HeadlessDisplay& display_;
    uint8_t state_[KeyStateSize] = {};
    bool focused_ = true;
    int readCount_ = 0;
};

// A clock the test drives. sleepMicroseconds advances it, so a main loop under
// test runs without real waiting.
class ManualClock final : public Clock {
public:
    bool performanceFrequency(int64_t& ticksPerSecond) override;
    int64_t performanceCounter() override;
    uint32_t milliseconds() override;
    void sleepMicroseconds(int64_t micros) override;

    void setHasPerformanceCounter(bool has) { hasCounter_ = has; }
    void setFrequency(int64_t ticksPerSecond) { frequency_ = ticksPerSecond; }
    void advanceMicroseconds(int64_t micros) { micros_ += micros; }
    // Time passing on every read, as a real clock does while the loop polls.
    void setAdvancePerRead(int64_t micros) { advancePerRead_ = micros; }
    int64_t nowMicroseconds() const { return micros_; }

private:
    bool hasCounter_ = true;
    int64_t frequency_ = 1'000'000;
    int64_t micros_ = 0;
    int64_t advancePerRead_ = 0;
};

struct TextCall {
    std::string text;
    int32_t x = 0;
    int32_t y = 0;
    std::string face;
    int32_t pixelHeight = 0;
    ColorRef color{};
    TextAlign align = TextAlign::Left;
};

// Records every text drawn; when given a real renderer it also draws through it.
class RecordingText final : public TextRenderer {
public:
    explicit RecordingText(TextRenderer* drawer = nullptr) : drawer_(drawer) {}

    FontHandle createFont(const std::string& face, int32_t pixelHeight) override;
    void deleteFont(FontHandle font) override;
    void drawText(Surface& target, FontHandle font, int32_t x, int32_t y, const char* text, ColorRef color,
                  TextAlign align) override;

    // Texts drawn since the last present, and those of the last presented frame.
    const std::vector<TextCall>& calls() const { return calls_; }
    const std::vector<TextCall>& lastFrameCalls() const { return lastFrameCalls_; }
    void clearCalls() { calls_.clear(); }
    void endFrame();
    int liveFonts() const { return static_cast<int>(fonts_.size()); }

private:
    struct Font {
        FontHandle handle;
        FontHandle drawerHandle;
        std::string face;
        int32_t pixelHeight;
    };
    TextRenderer* drawer_;
    std::vector<Font> fonts_;
    std::vector<TextCall> calls_;
    std::vector<TextCall> lastFrameCalls_;
    FontHandle nextHandle_ = 1;
};

class RecordingMessageBox final : public MessageBox {
public:
    void show(const char* caption, const char* text) override;
    const std::vector<std::string>& texts() const { return texts_; }
    const std::string& lastCaption() const { return caption_; }

private:
    std::vector<std::string> texts_;
    std::string caption_;
};

struct SoundRequest {
    Sound sound = Sound::LaserNormal;
    bool stop = false;
    int64_t frame = 0;  // frames presented before the request: the frame it was made in

    bool operator==(const SoundRequest&) const = default;
};

// Records every sound request with the frame it came in; plays nothing. Like the
// text recorder it keeps only the current and the last presented frame's requests.
class RecordingAudio final : public Audio {
public:
    explicit RecordingAudio(const HeadlessDisplay& display) : display_(display) {}

    bool open() override { return open_ = true; }
    void close() override { open_ = false; }
    void play(Sound sound) override { record(sound, false); }
    void stop(Sound sound) override { record(sound, true); }
    void setMuted(bool muted) override { muted_ = muted; }
    bool isMuted() const override { return muted_; }
    void setPaused(bool paused) override { paused_ = paused; }

    // --- test view: requests since the last present, and those of the last presented frame
    const std::vector<SoundRequest>& requests() const { return requests_; }
    const std::vector<SoundRequest>& lastFrameRequests() const { return lastFrameRequests_; }
    void clearRequests() { requests_.clear(); }
    void endFrame() {
        lastFrameRequests_.swap(requests_);
        requests_.clear();
    }
    int64_t requestCount() const { return requestCount_; }  // all requests ever made
    bool isOpen() const { return open_; }
    bool isPaused() const { return paused_; }

private:
    void record(Sound sound, bool stop) {
        requests_.push_back(SoundRequest{sound, stop, display_.presentCount()});
        ++requestCount_;
    }

    const HeadlessDisplay& display_;
    std::vector<SoundRequest> requests_;
    std::vector<SoundRequest> lastFrameRequests_;
    int64_t requestCount_ = 0;
    bool open_ = false;
    bool muted_ = false;
    bool paused_ = false;
};

class HeadlessPlatform final : public Platform {
public:
    // textDrawer, when given, draws the text for real (for example SDL_ttf fonts).
    // Without recordText the game's texts go straight to it, unrecorded, as in the game.
    explicit HeadlessPlatform(TextRenderer* textDrawer = nullptr, bool recordText = true)
        : keyboard_(display_),
          text_(textDrawer),
          direct_(recordText ? nullptr : textDrawer),
          audio_(display_) {
        display_.setOnPresent([this] {
            if (direct_ == nullptr) text_.endFrame();
            audio_.endFrame();
        });
    }
    HeadlessPlatform(const HeadlessPlatform&) = delete;
    HeadlessPlatform& operator=(const HeadlessPlatform&) = delete;

    Display& display() override { return display_; }
    Keyboard& keyboard() override { return keyboard_; }
    Clock& clock() override { return clock_; }
    TextRenderer& text() override { return direct_ != nullptr ? *direct_ : text_; }
    MessageBox& messageBox() override { return messageBox_; }
    // The recorder, or the silent service of a backend without sound.
    Audio& audio() override { return withAudio_ ? audio_ : Platform::audio(); }

    HeadlessDisplay& headlessDisplay() { return display_; }
    HeadlessKeyboard& headlessKeyboard() { return keyboard_; }
    ManualClock& manualClock() { return clock_; }
    RecordingText& recordingText() { return text_; }
    RecordingMessageBox& recordingMessageBox() { return messageBox_; }
    RecordingAudio& recordingAudio() { return audio_; }
    void setWithAudio(bool with) { withAudio_ = with; }

private:
    HeadlessDisplay display_;
    HeadlessKeyboard keyboard_;
    ManualClock clock_;
    RecordingText text_;
    TextRenderer* direct_;
    RecordingMessageBox messageBox_;
    RecordingAudio audio_;
    bool withAudio_ = true;
};

}  // namespace platform
