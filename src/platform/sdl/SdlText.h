#pragma once
// Text through SDL_ttf: fonts found by face name through fontconfig, sized by
// character height, drawn anti-aliased onto a surface with a transparent background.
#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "platform/Platform.h"
#include "platform/TextCache.h"

// SDL_ttf's font type, declared as SDL_ttf declares it.
typedef struct _TTF_Font TTF_Font;

namespace platform {

class FontLocator;

class SdlTextRenderer final : public TextRenderer {
public:
    // Height of the font used for handles that name no font, like a device
    // context's default font.
    static constexpr int32_t DefaultFontHeight = 16;
    static constexpr int32_t MaxFontHeight = 512;

    explicit SdlTextRenderer(bool cacheEnabled = true);
    SdlTextRenderer(const SdlTextRenderer&) = delete;
    SdlTextRenderer& operator=(const SdlTextRenderer&) = delete;
    ~SdlTextRenderer() override;

    FontHandle createFont(const std::string& face, int32_t pixelHeight) override;
    void deleteFont(FontHandle font) override;
    void drawText(Surface& target, FontHandle font, int32_t x, int32_t y, const char* text, ColorRef color,
                  TextAlign align) override;

    // Begins reading the font configuration on a thread (see FontLocator), so that
    // the first text need not wait for all of it. Otherwise the first text reads it.
    void startLoadingFonts();
    // Waits until that reading is over, so that no thread of ours runs after it.
    void finishLoadingFonts();

    // Without the cache every text is rendered anew: for measuring what it saves.
    void setCacheEnabled(bool enabled);
    bool cacheEnabled() const { return cacheEnabled_; }
    size_t cachedTexts() const { return cache_.size(); }
    // Ascent plus descent of a created font in pixels; 0 for an unknown handle.
    int32_t fontHeight(FontHandle font) const;

private:
    struct LoadedFont {
        TTF_Font* font = nullptr;
        std::string file;
    };

    LoadedFont openFont(const std::string& face, int32_t pixelHeight);
    // The font for a handle, or the default font for a handle that names none.
    TTF_Font* fontFor(FontHandle& font);
    bool render(TTF_Font* font, const char* text, RenderedText& out) const;
    const RenderedText* rendered(FontHandle font, TTF_Font* ttf, const char* text, RenderedText& scratch);

    bool ttfStarted_ = false;
    std::unique_ptr<FontLocator> locator_;
    std::map<FontHandle, LoadedFont> fonts_;
    LoadedFont defaultFont_;
    bool defaultFontTried_ = false;
    FontHandle nextHandle_ = 1;
    TextCache cache_;
    bool cacheEnabled_;
};

}  // namespace platform
