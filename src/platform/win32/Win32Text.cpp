#include "platform/win32/Win32Text.h"

#include <windows.h>
#undef MessageBox

#include <algorithm>
#include <cstring>
#include <string_view>

#include "platform/TextBlend.h"

namespace platform::win32 {
namespace {

// Handles the game never receives: the cache key of the default font.
constexpr FontHandle DefaultFontKey = -1;
constexpr COLORREF White = RGB(0xFF, 0xFF, 0xFF);
constexpr int BitsPerPixel = 32;
constexpr int GreenShift = 8;
constexpr int RedShift = 16;
constexpr uint32_t ChannelMask = 0xFF;

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

// Grey anti-aliasing gives equal channels; where the system smooths by subpixel,
// the strongest channel is the letter's coverage.
uint8_t coverageOf(uint32_t pixel) {
    const uint32_t red = (pixel >> RedShift) & ChannelMask;
    const uint32_t green = (pixel >> GreenShift) & ChannelMask;
    const uint32_t blue = pixel & ChannelMask;
    return static_cast<uint8_t>(std::max({red, green, blue}));
}

// A memory DC with a font selected, given back on leaving.
class FontDc {
public:
    explicit FontDc(HFONT font) : dc_(CreateCompatibleDC(nullptr)) {
        if (dc_ != nullptr) previousFont_ = SelectObject(dc_, font);
    }
    ~FontDc() {
        if (dc_ == nullptr) return;
        if (previousBitmap_ != nullptr) SelectObject(dc_, previousBitmap_);
        if (previousFont_ != nullptr) SelectObject(dc_, previousFont_);
        DeleteDC(dc_);
    }
    FontDc(const FontDc&) = delete;
    FontDc& operator=(const FontDc&) = delete;

    HDC dc() const { return dc_; }
    void select(HBITMAP bitmap) { previousBitmap_ = SelectObject(dc_, bitmap); }
    // Puts the DC's own bitmap back, so that ours can be deleted.
    void deselect() {
        if (previousBitmap_ != nullptr) SelectObject(dc_, previousBitmap_);
        previousBitmap_ = nullptr;
    }

private:
    HDC dc_;
    HGDIOBJ previousFont_ = nullptr;
    HGDIOBJ previousBitmap_ = nullptr;
};

}  // namespace

Win32TextRenderer::~Win32TextRenderer() {
    cache_.clear();
    for (auto& [handle, font] : fonts_) DeleteObject(static_cast<HFONT>(font));
    if (defaultFont_ != nullptr) DeleteObject(static_cast<HFONT>(defaultFont_));
}

// The height is the character (em) height, as the game asks for its fonts: a
// negative height tells GDI so. A face it does not have gets its closest match.
void* Win32TextRenderer::openFont(const std::string& face, int32_t pixelHeight) const {
    const int32_t height = pixelHeight > 0 ? std::min(pixelHeight, MaxFontHeight) : DefaultFontHeight;
    return CreateFontA(-height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_TT_PRECIS,
                       CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH | FF_DONTCARE, face.c_str());
}

FontHandle Win32TextRenderer::createFont(const std::string& face, int32_t pixelHeight) {
    void* font = openFont(face, pixelHeight);
    if (font == nullptr) return NoFont;
    const FontHandle handle = nextHandle_++;
    fonts_[handle] = font;
    return handle;
}

void Win32TextRenderer::deleteFont(FontHandle font) {
    auto it = fonts_.find(font);
    if (it == fonts_.end()) return;
    cache_.eraseFont(font);
    DeleteObject(static_cast<HFONT>(it->second));
    fonts_.erase(it);
}

void* Win32TextRenderer::fontFor(FontHandle& font) {
    auto it = fonts_.find(font);
    if (it != fonts_.end()) return it->second;
    if (!defaultFontTried_) {
        defaultFont_ = openFont("", DefaultFontHeight);
        defaultFontTried_ = true;
    }
    font = DefaultFontKey;
    return defaultFont_;
}

bool Win32TextRenderer::render(void* font, const char* text, RenderedText& out) const {
    FontDc fontDc(static_cast<HFONT>(font));
    if (fontDc.dc() == nullptr) return false;
    const int length = static_cast<int>(std::strlen(text));
    SIZE extent{};
    TEXTMETRICA metrics{};
    if (!GetTextExtentPoint32A(fontDc.dc(), text, length, &extent) || !GetTextMetricsA(fontDc.dc(), &metrics))
        return false;
    const int32_t width = extent.cx;
    const int32_t height = metrics.tmHeight;
    if (width <= 0 || height <= 0) return false;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = BitsPerPixel;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(fontDc.dc(), &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap == nullptr || bits == nullptr) return false;
    fontDc.select(bitmap);
    // Rendered in white on black: only the coverage is kept, the colour comes at drawing.
    SetTextColor(fontDc.dc(), White);
    SetBkMode(fontDc.dc(), TRANSPARENT);
    SetTextAlign(fontDc.dc(), TA_LEFT | TA_TOP | TA_NOUPDATECP);
    const bool drawn = TextOutA(fontDc.dc(), 0, 0, text, length) != 0;
    GdiFlush();
    if (drawn) {
        out.width = width;
        out.height = height;
        out.coverage.resize(static_cast<size_t>(width) * static_cast<size_t>(height));
        const auto* pixels = static_cast<const uint32_t*>(bits);
        for (size_t i = 0; i < out.coverage.size(); ++i) out.coverage[i] = coverageOf(pixels[i]);
    }
    fontDc.deselect();
    DeleteObject(bitmap);
    return drawn;
}

void Win32TextRenderer::drawText(Surface& target, FontHandle font, int32_t x, int32_t y, const char* text,
                                 ColorRef color, TextAlign align) {
    if (text == nullptr || *text == '\0') return;
    void* gdiFont = fontFor(font);
    if (gdiFont == nullptr) return;
    // A view, so that a hit copies nothing: every text of every frame looks here.
    const std::string_view key(text);
    const RenderedText* line = cache_.find(font, key);
    if (line == nullptr) {
        RenderedText fresh;
        if (!render(gdiFont, text, fresh)) return;
        line = &cache_.insert(font, key, std::move(fresh));
    }
    PixelView view;
    if (!target.lock(view)) return;
    blendText(view, *line, alignedLeft(x, line->width, align), y, colorRefToPixel(color));
    target.unlock();
}

}  // namespace platform::win32
