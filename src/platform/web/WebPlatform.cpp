#include "platform/web/WebPlatform.h"

#include "platform/web/WebAudio.h"
#include "platform/web/WebClock.h"
#include "platform/web/WebDisplay.h"
#include "platform/web/WebInput.h"
#include "platform/web/WebKeyboard.h"
#include "platform/web/WebMessageBox.h"
#include "platform/web/WebText.h"

namespace platform {
namespace {

// Draws nothing: the page without text.
class NoText final : public TextRenderer {
public:
    FontHandle createFont(const std::string&, int32_t) override { return nextHandle_++; }
    void deleteFont(FontHandle) override {}
    void drawText(Surface&, FontHandle, int32_t, int32_t, const char*, ColorRef, TextAlign) override {}

private:
    FontHandle nextHandle_ = 1;
};

class Page final : public WebPlatform {
public:
    explicit Page(bool drawText)
        : display_(input_),
          keyboard_(input_),
          text_(drawText ? std::unique_ptr<TextRenderer>(new WebTextRenderer)
                         : std::unique_ptr<TextRenderer>(new NoText)) {
        input_.setOnGesture([this] { audio_.startOnGesture(); });
    }
    Page(const Page&) = delete;
    Page& operator=(const Page&) = delete;
    ~Page() override {
        audio_.close();
        display_.close();
        keyboard_.close();
    }

    Display& display() override { return display_; }
    Keyboard& keyboard() override { return keyboard_; }
    Clock& clock() override { return clock_; }
    TextRenderer& text() override { return *text_; }
    MessageBox& messageBox() override { return messageBox_; }
    Audio& audio() override { return audio_; }
    WebDisplay& webDisplay() override { return display_; }
    WebMessageBox& webMessageBox() override { return messageBox_; }

private:
    WebInput input_;
    WebDisplay display_;
    WebKeyboard keyboard_;
    WebClock clock_;
    std::unique_ptr<TextRenderer> text_;
    WebMessageBox messageBox_;
    WebAudio audio_;
};

}  // namespace

std::unique_ptr<WebPlatform> createWebPlatform(bool drawText) {
    return std::make_unique<Page>(drawText);
}

}  // namespace platform
