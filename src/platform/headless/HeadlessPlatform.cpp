#include "platform/headless/HeadlessPlatform.h"

#include <algorithm>
#include <cstring>

namespace platform {

namespace {
constexpr int64_t MicrosPerMilli = 1000;
constexpr int64_t MillisPerSecond = 1000;
constexpr int64_t MicrosPerSecond = 1'000'000;
}  // namespace

bool HeadlessDisplay::logStep(StartupStep s, const char* name) {
    if (failEnabled_ && failStep_ == s) return false;
    log_.emplace_back(name);
    return true;
}

bool HeadlessDisplay::step(StartupStep s, const char* name) {
    if (!logStep(s, name)) return false;
    open_.emplace_back(name);
    return true;
}

bool HeadlessDisplay::startVideo() {
    return step(StartupStep::Video, "video");
}
bool HeadlessDisplay::createWindow() {
    return step(StartupStep::Window, "window");
}
bool HeadlessDisplay::createRenderer() {
    return step(StartupStep::Renderer, "renderer");
}
bool HeadlessDisplay::enterFullScreen() {
    return step(StartupStep::FullScreen, "fullscreen");
}
bool HeadlessDisplay::setLogicalSize() {
    return step(StartupStep::LogicalSize, "logical-size");
}
bool HeadlessDisplay::createTexture() {
    return step(StartupStep::Texture, "texture");
}

Surface* HeadlessDisplay::createBackBuffer() {
    if (!step(StartupStep::BackBuffer, "back-buffer")) return nullptr;
    backBuffer_ = std::make_unique<Surface>(ScreenWidth, ScreenHeight, backBufferPitch_);
    return backBuffer_.get();
}

void HeadlessDisplay::present() {
    if (!backBuffer_ || !presentCopies_) return;
    ++presentCount_;
    const PixelView v = backBuffer_->view();
    lastFrame_.resize(static_cast<size_t>(v.width) * static_cast<size_t>(v.height));
    for (int32_t y = 0; y < v.height; ++y) {
        std::memcpy(&lastFrame_[static_cast<size_t>(y) * static_cast<size_t>(v.width)], v.row(y),
                    static_cast<size_t>(v.width) * BytesPerPixel);
    }
    if (onPresent_) onPresent_();
}

void HeadlessDisplay::close() {
    // Newest first, as the real backend gives its resources back.
    while (!open_.empty()) {
        log_.push_back("-" + open_.back());
        open_.pop_back();
    }
    backBuffer_.reset();
}

bool HeadlessDisplay::pollEvent(Event& event) {
    if (events_.empty()) return false;
    event = events_.front();
    events_.pop_front();
    return true;
}

void HeadlessDisplay::requestClose() {
    ++closeRequests_;
    events_.push_back(Event{EventType::Quit});
}

// The keyboard shares the display's log so tests see one ordered story of start-up
// and shut-down.
bool HeadlessKeyboard::create() {
    return display_.logStep(StartupStep::InputCreate, "input");
}
bool HeadlessKeyboard::createDevice() {
    return display_.logStep(StartupStep::KeyboardDevice, "keyboard-device");
}
bool HeadlessKeyboard::setDataFormat() {
    return display_.logStep(StartupStep::KeyboardFormat, "keyboard-format");
}
bool HeadlessKeyboard::setCooperativeLevel() {
    return display_.logStep(StartupStep::KeyboardCooperative, "keyboard-cooperative");
}
bool HeadlessKeyboard::acquire() {
    return display_.logStep(StartupStep::KeyboardAcquire, "keyboard-acquire");
}

void HeadlessKeyboard::read(uint8_t* keys) {
    ++readCount_;
    if (focused_) {
        std::memcpy(keys, state_, KeyStateSize);
    } else {
        std::memset(keys, 0, KeyStateSize);
    }
}

void HeadlessKeyboard::close() {
    display_.log_.emplace_back("-keyboard");
}

void HeadlessKeyboard::setState(const uint8_t* keys) {
    std::memcpy(state_, keys, KeyStateSize);
}

void HeadlessKeyboard::releaseAll() {
    std::memset(state_, 0, KeyStateSize);
}

bool ManualClock::performanceFrequency(int64_t& ticksPerSecond) {
    if (!hasCounter_) return false;
    ticksPerSecond = frequency_;
    return true;
}

int64_t ManualClock::performanceCounter() {
    micros_ += advancePerRead_;
    // Ticks from microseconds without overflow for any realistic run.
    return micros_ / MicrosPerMilli * (frequency_ / MillisPerSecond) +
           (micros_ % MicrosPerMilli) * frequency_ / MicrosPerSecond;
}

uint32_t ManualClock::milliseconds() {
    micros_ += advancePerRead_;
    return static_cast<uint32_t>(micros_ / MicrosPerMilli);
}

void ManualClock::sleepMicroseconds(int64_t micros) {
    if (micros > 0) micros_ += micros;
}

FontHandle RecordingText::createFont(const std::string& face, int32_t pixelHeight) {
    const FontHandle drawerHandle = drawer_ ? drawer_->createFont(face, pixelHeight) : NoFont;
    fonts_.push_back(Font{nextHandle_, drawerHandle, face, pixelHeight});
    return nextHandle_++;
}

void RecordingText::deleteFont(FontHandle font) {
    auto it = std::find_if(fonts_.begin(), fonts_.end(), [&](const Font& f) { return f.handle == font; });
    if (it == fonts_.end()) return;
    if (drawer_ && it->drawerHandle != NoFont) drawer_->deleteFont(it->drawerHandle);
    fonts_.erase(it);
}

void RecordingText::drawText(Surface& target, FontHandle font, int32_t x, int32_t y, const char* text,
                             ColorRef color, TextAlign align) {
    TextCall call{text ? text : "", x, y, "", 0, color, align};
    FontHandle drawerHandle = NoFont;
    for (const Font& f : fonts_) {
        if (f.handle == font) {
            call.face = f.face;
            call.pixelHeight = f.pixelHeight;
            drawerHandle = f.drawerHandle;
        }
    }
    calls_.push_back(call);
    if (drawer_) drawer_->drawText(target, drawerHandle, x, y, text, color, align);
}

void RecordingText::endFrame() {
    lastFrameCalls_.swap(calls_);
    calls_.clear();
}

void RecordingMessageBox::show(const char* caption, const char* text) {
    caption_ = caption ? caption : "";
    texts_.emplace_back(text ? text : "");
}

}  // namespace platform
