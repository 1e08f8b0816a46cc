#include "platform/sdl/SdlText.h"

#include <SDL.h>
#include <SDL_ttf.h>

#include <algorithm>
#include <cstdlib>
#include <string_view>

#include "platform/TextBlend.h"
#include "platform/sdl/FontLocator.h"

namespace platform {
namespace {

// Handles the game never receives: the cache key of the default font.
constexpr FontHandle DefaultFontKey = -1;
int64_t alignedLeft(int32_t x, int32_t width, TextAlign align) {
    switch (align) {
        case TextAlign::Center:
            return int64_t(x) - width / 2;
        case TextAlign::Right:
            return int64_t(x) - width;
        case TextAlign::Left:
            break;
    }
    return x;
}

}  // namespace

SdlTextRenderer::SdlTextRenderer(bool cacheEnabled)
    : ttfStarted_(TTF_Init() == 0), locator_(std::make_unique<FontLocator>()), cacheEnabled_(cacheEnabled) {}

void SdlTextRenderer::startLoadingFonts() {
    locator_->startLoading();
}

void SdlTextRenderer::finishLoadingFonts() {
    locator_->finishLoading();
}

SdlTextRenderer::~SdlTextRenderer() {
    cache_.clear();
    for (auto& [handle, loaded] : fonts_) TTF_CloseFont(loaded.font);
    fonts_.clear();
    if (defaultFont_.font != nullptr) TTF_CloseFont(defaultFont_.font);
    // SDL_ttf counts its users: the library shuts down with the last renderer.
    if (ttfStarted_) TTF_Quit();
}

SdlTextRenderer::LoadedFont SdlTextRenderer::openFont(const std::string& face, int32_t pixelHeight) {
    if (!ttfStarted_) return {};
    const int32_t height = pixelHeight > 0 ? std::min(pixelHeight, MaxFontHeight) : DefaultFontHeight;
    for (const FontFile& file : locator_->candidates(face)) {
        // The height is the character (em) height, as the game asks for its fonts:
        // at SDL_ttf's 72 dpi that is the point size; the line with its leading is taller.
        TTF_Font* font = TTF_OpenFontIndex(file.path.c_str(), height, file.index);
        if (font == nullptr) continue;
        return LoadedFont{font, file.path};
    }
    return {};
}

FontHandle SdlTextRenderer::createFont(const std::string& face, int32_t pixelHeight) {
    LoadedFont loaded = openFont(face, pixelHeight);
    if (loaded.font == nullptr) return NoFont;
    const FontHandle handle = nextHandle_++;
    fonts_[handle] = std::move(loaded);
    return handle;
}

void SdlTextRenderer::deleteFont(FontHandle font) {
    auto it = fonts_.find(font);
    if (it == fonts_.end()) return;
    cache_.eraseFont(font);
    TTF_CloseFont(it->second.font);
    fonts_.erase(it);
}

TTF_Font* SdlTextRenderer::fontFor(FontHandle& font) {
    auto it = fonts_.find(font);
    if (it != fonts_.end()) return it->second.font;
    if (!defaultFontTried_) {
        defaultFont_ = openFont("", DefaultFontHeight);
        defaultFontTried_ = true;
    }
    font = DefaultFontKey;
    return defaultFont_.font;
}

bool SdlTextRenderer::render(TTF_Font* font, const char* text, RenderedText& out) const {
    // Rendered in white: only the coverage is kept, the colour comes at drawing.
    const SDL_Color white{0xFF, 0xFF, 0xFF, SDL_ALPHA_OPAQUE};
    SDL_Surface* surface = TTF_RenderText_Blended(font, text, white);
    if (surface == nullptr) return false;
    SDL_Surface* argb = surface;
    if (surface->format->format != SDL_PIXELFORMAT_ARGB8888) {
        argb = SDL_ConvertSurfaceFormat(surface, SDL_PIXELFORMAT_ARGB8888, 0);
        SDL_FreeSurface(surface);
        if (argb == nullptr) return false;
    }
    const bool locked = SDL_LockSurface(argb) == 0;
    if (locked) {
        out.width = argb->w;
        out.height = argb->h;
        out.coverage.resize(static_cast<size_t>(out.width) * static_cast<size_t>(out.height));
        for (int32_t y = 0; y < out.height; ++y) {
            const auto* row = reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(argb->pixels) +
                                                                static_cast<ptrdiff_t>(y) * argb->pitch);
            uint8_t* dst = &out.coverage[static_cast<size_t>(y) * static_cast<size_t>(out.width)];
            for (int32_t x = 0; x < out.width; ++x) dst[x] = static_cast<uint8_t>(row[x] >> 24);
        }
        SDL_UnlockSurface(argb);
    }
    SDL_FreeSurface(argb);
    return locked;
}

const RenderedText* SdlTextRenderer::rendered(FontHandle font, TTF_Font* ttf, const char* text,
                                              RenderedText& scratch) {
    if (!cacheEnabled_) return render(ttf, text, scratch) ? &scratch : nullptr;
    // A view, so that a hit copies nothing: every text of every frame looks here.
    const std::string_view key(text);
    if (const RenderedText* hit = cache_.find(font, key)) return hit;
    if (!render(ttf, text, scratch)) return nullptr;
    return &cache_.insert(font, key, std::move(scratch));
}

void SdlTextRenderer::drawText(Surface& target, FontHandle font, int32_t x, int32_t y, const char* text,
                               ColorRef color, TextAlign align) {
    if (text == nullptr || *text == '\0') return;
    TTF_Font* ttf = fontFor(font);
    if (ttf == nullptr) return;
    RenderedText scratch;
    const RenderedText* line = rendered(font, ttf, text, scratch);
    if (line == nullptr) return;
    PixelView view;
    if (!target.lock(view)) return;
    blendText(view, *line, alignedLeft(x, line->width, align), y, colorRefToPixel(color));
    target.unlock();
}

void SdlTextRenderer::setCacheEnabled(bool enabled) {
    cacheEnabled_ = enabled;
    cache_.clear();
}

int32_t SdlTextRenderer::fontHeight(FontHandle font) const {
    auto it = fonts_.find(font);
    return it == fonts_.end() ? 0 : TTF_FontHeight(it->second.font);
}

}  // namespace platform
