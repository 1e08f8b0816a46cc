// PLACEHOLDER: replaced by the real implementation.
#include "platform/Bitmap.h"
namespace platform {
std::unique_ptr<Surface> loadBitmap(const std::string&) { return nullptr; }
}  // namespace platform
