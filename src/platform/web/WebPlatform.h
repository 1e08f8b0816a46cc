#pragma once
// The browser backend: the page's canvas, keys and game pads, clock, canvas text,
// Web Audio and a message box in the page.
#include <memory>

#include "platform/Platform.h"

namespace platform {

class WebDisplay;
class WebMessageBox;

// One page's services. The caller keeps it for the whole game.
class WebPlatform : public Platform {
public:
    virtual WebDisplay& webDisplay() = 0;
    virtual WebMessageBox& webMessageBox() = 0;
};

// `drawText` false leaves every text undrawn, as the headless harness without
// fonts does, so that a page's pictures can be compared with a replay's.
std::unique_ptr<WebPlatform> createWebPlatform(bool drawText = true);

}  // namespace platform
