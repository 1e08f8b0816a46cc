#include "platform/sdl/SdlPlatform.h"

#include <SDL.h>

#include "platform/sdl/SdlAudio.h"
#include "platform/sdl/SdlClock.h"
#include "platform/sdl/SdlController.h"
#include "platform/sdl/SdlDisplay.h"
#include "platform/sdl/SdlKeyboard.h"
#include "platform/sdl/SdlMessageBox.h"
#include "platform/sdl/SdlText.h"
#include "platform/sdl/VideoStart.h"

namespace platform {
namespace {

// The services of the real machine. Whatever the game leaves open is closed
// here, keyboard and display in the order the game itself closes them.
class SdlPlatform final : public Platform {
public:
    explicit SdlPlatform(PresentPath path) : display_(path), keyboard_(display_, controllers_) {
        display_.attachControllers(&controllers_);
        // The environment is settled while this is the only thread; then the fonts
        // load beside the video start, the window and the images.
        const bool videoUsable = prepareVideoStart();
        text_ = std::make_unique<SdlTextRenderer>();
        if (videoUsable) text_->startLoadingFonts();  // else start-up ends at once
    }
    SdlPlatform(const SdlPlatform&) = delete;
    SdlPlatform& operator=(const SdlPlatform&) = delete;
    ~SdlPlatform() override {
        audio_.close();
        display_.close();
        keyboard_.close();
        text_.reset();
        SDL_Quit();
    }

    Display& display() override { return display_; }
    Keyboard& keyboard() override { return keyboard_; }
    Clock& clock() override { return clock_; }
    TextRenderer& text() override { return *text_; }
    MessageBox& messageBox() override {
        // SDL's X11 box forks its drawing into a child: no font thread may run then.
        text_->finishLoadingFonts();
        return messageBox_;
    }
    Audio& audio() override { return audio_; }

private:
    SdlDisplay display_;
    SdlControllers controllers_;
    SdlKeyboard keyboard_;
    SdlClock clock_;
    std::unique_ptr<SdlTextRenderer> text_;
    SdlMessageBox messageBox_;
    SdlAudio audio_;
};

}  // namespace

std::unique_ptr<Platform> createSdlPlatform(PresentPath path) {
    return std::make_unique<SdlPlatform>(path);
}

std::unique_ptr<TextRenderer> createSdlTextRenderer() {
    auto text = std::make_unique<SdlTextRenderer>();
    text->startLoadingFonts();
    return text;
}

}  // namespace platform
