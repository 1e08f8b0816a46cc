#pragma once
// Text through the page's canvas: each new line is drawn once, white on an
// offscreen canvas, in the face the game names (or the browser's match for it),
// and its coverage is kept in the text cache and blended onto the back buffer.
#include <cstdint>
#include <map>
#include <string>

#include "platform/Platform.h"
#include "platform/TextCache.h"

namespace platform {

// The CSS font list for a face the game asks for: the face itself first, then
// the generic family a desktop would fall back to.
std::string cssFontFamily(const std::string& face);

class WebTextRenderer final : public TextRenderer {
public:
    static constexpr int32_t DefaultFontHeight = 16;
    static constexpr int32_t MaxFontHeight = 512;

    WebTextRenderer() = default;
    ~WebTextRenderer() override = default;
    WebTextRenderer(const WebTextRenderer&) = delete;
    WebTextRenderer& operator=(const WebTextRenderer&) = delete;

    FontHandle createFont(const std::string& face, int32_t pixelHeight) override;
    void deleteFont(FontHandle font) override;
    void drawText(Surface& target, FontHandle font, int32_t x, int32_t y, const char* text, ColorRef color,
                  TextAlign align) override;

private:
    struct Font {
        std::string css;  // the canvas font: "16px 'Times New Roman', serif"
    };

    const std::string& cssFor(FontHandle& font);
    bool render(const std::string& css, const char* text, RenderedText& out) const;

    std::map<FontHandle, Font> fonts_;
    std::string defaultCss_;
    FontHandle nextHandle_ = 1;
    TextCache cache_;
};

}  // namespace platform
