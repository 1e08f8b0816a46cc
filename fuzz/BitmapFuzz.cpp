// Feeds arbitrary bytes to the bitmap decoder. Besides the sanitizers' checks, a
// decoded image must stay within the size limits and hold only 0x00RRGGBB pixels.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>

#include "platform/Bitmap.h"

namespace {

constexpr int32_t MaxSide = 16384;

void checkImage(const platform::Surface& image) {
    if (image.width() <= 0 || image.height() <= 0 || image.width() > MaxSide || image.height() > MaxSide)
        std::abort();
    for (int32_t y = 0; y < image.height(); ++y) {
        for (int32_t x = 0; x < image.width(); ++x) {
            if ((image.pixel(x, y) & ~platform::PixelMask) != 0) std::abort();
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::unique_ptr<platform::Surface> image = platform::decodeBitmap(data, size);
    if (image) checkImage(*image);
    return 0;
}
