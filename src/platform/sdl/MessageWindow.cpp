#include "platform/sdl/MessageWindow.h"

#include <SDL.h>
#include <SDL_ttf.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "platform/sdl/FontLocator.h"
#include "platform/sdl/VideoDriver.h"

namespace platform {
namespace {

constexpr int32_t Margin = 24;
constexpr int32_t MinWidth = 280;
constexpr int32_t ButtonWidth = 88;
constexpr int32_t ButtonHeight = 30;
constexpr int32_t ButtonGap = 18;
constexpr int32_t BorderWidth = 1;
constexpr int FontPixels = 16;
constexpr const char* FontFace = "DejaVu Sans";
constexpr const char* ButtonLabel = "OK";

constexpr SDL_Color TextColour{32, 32, 32, SDL_ALPHA_OPAQUE};
constexpr SDL_Color Background{240, 240, 240, SDL_ALPHA_OPAQUE};
constexpr SDL_Color ButtonFace{222, 226, 234, SDL_ALPHA_OPAQUE};
constexpr SDL_Color ButtonPressed{190, 198, 214, SDL_ALPHA_OPAQUE};
constexpr SDL_Color ButtonBorder{80, 88, 104, SDL_ALPHA_OPAQUE};

struct FontCloser {
    void operator()(TTF_Font* font) const { TTF_CloseFont(font); }
};
using FontPtr = std::unique_ptr<TTF_Font, FontCloser>;

struct SurfaceFreer {
    void operator()(SDL_Surface* surface) const { SDL_FreeSurface(surface); }
};
using SurfacePtr = std::unique_ptr<SDL_Surface, SurfaceFreer>;

// The same font lookup as the game's text: the best desktop match that opens.
FontPtr openFont() {
    const FontLocator locator;
    for (const FontFile& file : locator.candidates(FontFace)) {
        if (TTF_Font* font = TTF_OpenFontIndex(file.path.c_str(), FontPixels, file.index))
            return FontPtr(font);
    }
    return nullptr;
}

std::vector<std::string> splitLines(const char* text) {
    std::vector<std::string> lines(1);
    for (const char* c = text; *c != '\0'; ++c) {
        if (*c == '\n') {
            lines.emplace_back();
        } else {
            lines.back() += *c;
        }
    }
    return lines;
}

Uint32 mapped(const SDL_Surface* surface, SDL_Color c) {
    return SDL_MapRGB(surface->format, c.r, c.g, c.b);
}

void drawString(SDL_Surface* target, TTF_Font* font, const std::string& text, int32_t x, int32_t y) {
    if (font == nullptr || text.empty()) return;
    const SurfacePtr rendered(TTF_RenderUTF8_Blended(font, text.c_str(), TextColour));
    if (!rendered) return;
    SDL_Rect at{x, y, rendered->w, rendered->h};
    SDL_BlitSurface(rendered.get(), nullptr, target, &at);
}

int32_t stringWidth(TTF_Font* font, const std::string& text) {
    int width = 0;
    int height = 0;
    if (font == nullptr || TTF_SizeUTF8(font, text.c_str(), &width, &height) != 0) return 0;
    return width;
}

class Box {
public:
    Box(const char* text, TTF_Font* font) : lines_(splitLines(text)), font_(font) {
        int32_t widest = 0;
        for (const std::string& line : lines_) widest = std::max(widest, stringWidth(font_, line));
        lineHeight_ = font_ != nullptr ? TTF_FontLineSkip(font_) : FontPixels;
        layout_ = layoutMessage(widest, lineHeight_ * static_cast<int32_t>(lines_.size()));
    }

    const MessageLayout& layout() const { return layout_; }
    void setPressed(bool pressed) { pressed_ = pressed; }

    void draw(SDL_Window* window) const {
        SDL_Surface* s = SDL_GetWindowSurface(window);
        if (s == nullptr) return;
        SDL_FillRect(s, nullptr, mapped(s, Background));
        for (size_t i = 0; i < lines_.size(); ++i) {
            const int32_t left = (layout_.width - stringWidth(font_, lines_[i])) / 2;
            drawString(s, font_, lines_[i], left, layout_.textTop + lineHeight_ * static_cast<int32_t>(i));
        }
        SDL_Rect button{layout_.buttonLeft, layout_.buttonTop, layout_.buttonWidth, layout_.buttonHeight};
        SDL_FillRect(s, &button, mapped(s, ButtonBorder));
        SDL_Rect face{button.x + BorderWidth, button.y + BorderWidth, button.w - 2 * BorderWidth,
                      button.h - 2 * BorderWidth};
        SDL_FillRect(s, &face, mapped(s, pressed_ ? ButtonPressed : ButtonFace));
        const int32_t labelHeight = font_ != nullptr ? TTF_FontHeight(font_) : 0;
        drawString(s, font_, ButtonLabel, button.x + (button.w - stringWidth(font_, ButtonLabel)) / 2,
                   button.y + (button.h - labelHeight) / 2);
        SDL_UpdateWindowSurface(window);
    }

private:
    std::vector<std::string> lines_;
    TTF_Font* font_;
    int32_t lineHeight_ = FontPixels;
    MessageLayout layout_;
    bool pressed_ = false;
};

bool dismisses(const SDL_Event& e, Uint32 windowId, Box& box) {
    switch (e.type) {
        case SDL_QUIT:
            return true;
        case SDL_WINDOWEVENT:
            return e.window.windowID == windowId && e.window.event == SDL_WINDOWEVENT_CLOSE;
        case SDL_KEYDOWN:
            return e.key.keysym.sym == SDLK_RETURN || e.key.keysym.sym == SDLK_KP_ENTER ||
                   e.key.keysym.sym == SDLK_SPACE || e.key.keysym.sym == SDLK_ESCAPE;
        case SDL_MOUSEBUTTONDOWN:
            box.setPressed(e.button.button == SDL_BUTTON_LEFT &&
                           box.layout().onButton(e.button.x, e.button.y));
            return false;
        case SDL_MOUSEBUTTONUP:
            // A click counts where it is let go on the button, as on any desktop.
            box.setPressed(false);
            return e.button.button == SDL_BUTTON_LEFT && box.layout().onButton(e.button.x, e.button.y);
        default:
            return false;
    }
}

// False when the window could not be made.
bool runBox(const char* caption, const char* text) {
    const bool ttfStarted = TTF_Init() == 0;
    bool shown = false;
    {
        const FontPtr font = ttfStarted ? openFont() : nullptr;
        Box box(text, font.get());
        SDL_Window* window = SDL_CreateWindow(caption, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                              box.layout().width, box.layout().height, SDL_WINDOW_SHOWN);
        shown = window != nullptr;
        if (shown) {
            SDL_RaiseWindow(window);
            const Uint32 id = SDL_GetWindowID(window);
            box.draw(window);
            SDL_Event e;
            while (SDL_WaitEvent(&e) != 0 && !dismisses(e, id, box)) box.draw(window);
            SDL_DestroyWindow(window);
        }
    }
    if (ttfStarted) TTF_Quit();
    return shown;
}

}  // namespace

MessageLayout layoutMessage(int32_t textWidth, int32_t textHeight) {
    MessageLayout l;
    l.width = std::max(MinWidth, std::max(textWidth, ButtonWidth) + 2 * Margin);
    l.textTop = Margin;
    l.textLeft = (l.width - textWidth) / 2;
    l.buttonWidth = ButtonWidth;
    l.buttonHeight = ButtonHeight;
    l.buttonLeft = (l.width - ButtonWidth) / 2;
    l.buttonTop = Margin + std::max(textHeight, 0) + ButtonGap;
    l.height = l.buttonTop + ButtonHeight + Margin;
    return l;
}

bool showMessageWindow(const char* caption, const char* text) {
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return false;
    // Nobody could ever press OK on a window that is not shown.
    if (!videoDriverAcceptable(SDL_GetCurrentVideoDriver(), nullptr)) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        return false;
    }
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    const bool shown = runBox(caption != nullptr ? caption : "", text != nullptr ? text : "");
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    return shown;
}

}  // namespace platform
