#pragma once
// Text through GDI: fonts by face name and character height, each line rendered
// once in white into a DIB section, its coverage cached, and blended onto the
// surface in the text's colour with a transparent background.
#include <cstdint>
#include <map>
#include <string>

#include "platform/Platform.h"
#include "platform/TextCache.h"

namespace platform::win32 {

class Win32TextRenderer final : public TextRenderer {
public:
    // Height of the font used for handles that name no font, like a device
    // context's default font.
    static constexpr int32_t DefaultFontHeight = 16;
    static constexpr int32_t MaxFontHeight = 512;

    Win32TextRenderer() = default;
    Win32TextRenderer(const Win32TextRenderer&) = delete;
    Win32TextRenderer& operator=(const Win32TextRenderer&) = delete;
    ~Win32TextRenderer() override;

    FontHandle createFont(const std::string& face, int32_t pixelHeight) override;
    void deleteFont(FontHandle font) override;
    void drawText(Surface& target, FontHandle font, int32_t x, int32_t y, const char* text, ColorRef color,
                  TextAlign align) override;

    size_t cachedTexts() const { return cache_.size(); }

private:
    void* openFont(const std::string& face, int32_t pixelHeight) const;  // HFONT
    // The font for a handle, or the default font for a handle that names none.
    void* fontFor(FontHandle& font);
    bool render(void* font, const char* text, RenderedText& out) const;

    std::map<FontHandle, void*> fonts_;
    void* defaultFont_ = nullptr;
    bool defaultFontTried_ = false;
    FontHandle nextHandle_ = 1;
    TextCache cache_;
};

}  // namespace platform::win32
