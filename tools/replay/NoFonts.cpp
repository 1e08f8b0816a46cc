#include "replay/Harness.h"

namespace glintwake::play {

// The browser build draws text through the page, which a harness under node has not.
std::unique_ptr<platform::TextRenderer> makeRealFonts() {
    return nullptr;
}

}  // namespace glintwake::play
