#include "platform/web/WebText.h"

#include <emscripten/emscripten.h>

#include <algorithm>
#include <string_view>

#include "platform/TextBlend.h"

namespace platform {
namespace {

// Handles the game never receives: the cache key of the default font.
constexpr FontHandle DefaultFontKey = -1;
constexpr int32_t SizeFieldBits = 16;
constexpr int32_t SizeFieldMask = 0xFFFF;

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

// Draws the line white on the page's text canvas, as large as its font's whole
// line (ascent and descent), and keeps it for copyTextCoverage. Returns width
// and height packed (height above the low 16 bits); 0 when nothing can be drawn.
EM_JS(int, drawCanvasText, (const char* css, const char* text), {
    var state = Module.glintwakeText || (Module.glintwakeText = {});
    if (!state.context) {
        var canvas = typeof OffscreenCanvas != 'undefined' ? new OffscreenCanvas(1, 1)
                                                           : document.createElement('canvas');
        state.context = canvas.getContext('2d', {willReadFrequently : true});
        if (!state.context) return 0;
    }
    var ctx = state.context;
    var font = UTF8ToString(css);
    var line = UTF8ToString(text);
    ctx.font = font;
    var metrics = ctx.measureText(line);
    var ascent = Math.ceil(metrics.fontBoundingBoxAscent);
    var height = ascent + Math.ceil(metrics.fontBoundingBoxDescent);
    var width = Math.ceil(metrics.width);
    if (width <= 0 || height <= 0 || width > 0xFFFF || height > 0x7FFF) return 0;
    if (ctx.canvas.width < width || ctx.canvas.height < height) {
        ctx.canvas.width = Math.max(ctx.canvas.width, width);
        ctx.canvas.height = Math.max(ctx.canvas.height, height);
    }
    ctx.clearRect(0, 0, width, height);
    ctx.font = font;  // a resized canvas forgets its state
    ctx.fillStyle = '#fff';
    ctx.textBaseline = 'alphabetic';
    ctx.textAlign = 'left';
    ctx.fillText(line, 0, ascent);
    state.image = ctx.getImageData(0, 0, width, height);
    return (height << 16) | width;
});

// Copies the alpha of the last drawn line into `out`, one byte a pixel.
EM_JS(void, copyTextCoverage, (uint8_t * out), {
    var data = Module.glintwakeText.image.data;
    for (var i = 0, j = 3; j < data.length; ++i, j += 4) HEAPU8[out + i] = data[j];
});

}  // namespace

std::string cssFontFamily(const std::string& face) {
    // A face name is quoted for CSS; quotes and backslashes in it cannot close the string.
    std::string quoted;
    for (char c : face)
        if (c != '\'' && c != '\\' && c != ';') quoted += c;
    const bool serif = face.find("Times") != std::string::npos || face.find("Serif") != std::string::npos ||
                       face.find("serif") != std::string::npos;
    const char* generic = serif ? "serif" : "sans-serif";
    if (quoted.empty()) return generic;
    return "'" + quoted + "', " + generic;
}

FontHandle WebTextRenderer::createFont(const std::string& face, int32_t pixelHeight) {
    const int32_t height = pixelHeight > 0 ? std::min(pixelHeight, MaxFontHeight) : DefaultFontHeight;
    const FontHandle handle = nextHandle_++;
    fonts_[handle] = Font{std::to_string(height) + "px " + cssFontFamily(face)};
    return handle;
}

void WebTextRenderer::deleteFont(FontHandle font) {
    if (fonts_.erase(font) != 0) cache_.eraseFont(font);
}

const std::string& WebTextRenderer::cssFor(FontHandle& font) {
    auto it = fonts_.find(font);
    if (it != fonts_.end()) return it->second.css;
    if (defaultCss_.empty()) defaultCss_ = std::to_string(DefaultFontHeight) + "px " + cssFontFamily("");
    font = DefaultFontKey;
    return defaultCss_;
}

bool WebTextRenderer::render(const std::string& css, const char* text, RenderedText& out) const {
    const int packed = drawCanvasText(css.c_str(), text);
    if (packed == 0) return false;
    out.width = packed & SizeFieldMask;
    out.height = (packed >> SizeFieldBits) & SizeFieldMask;
    out.coverage.resize(static_cast<size_t>(out.width) * static_cast<size_t>(out.height));
    copyTextCoverage(out.coverage.data());
    return true;
}

void WebTextRenderer::drawText(Surface& target, FontHandle font, int32_t x, int32_t y, const char* text,
                               ColorRef color, TextAlign align) {
    if (text == nullptr || *text == '\0') return;
    const std::string& css = cssFor(font);
    const std::string_view key(text);
    const RenderedText* line = cache_.find(font, key);
    if (line == nullptr) {
        RenderedText rendered;
        if (!render(css, text, rendered)) return;
        line = &cache_.insert(font, key, std::move(rendered));
    }
    PixelView view;
    if (!target.lock(view)) return;
    blendText(view, *line, alignedLeft(x, line->width, align), y, colorRefToPixel(color));
    target.unlock();
}

}  // namespace platform
