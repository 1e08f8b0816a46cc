#pragma once
// A display for tests that drive the message loop alone: every start-up step
// succeeds and nothing is shown; the test supplies the events and close requests.
#include "platform/Platform.h"

namespace glintwake {

class LoopDisplay : public platform::Display {
public:
    bool startVideo() override { return true; }
    bool createWindow() override { return true; }
    bool createRenderer() override { return true; }
    bool enterFullScreen() override { return true; }
    bool setLogicalSize() override { return true; }
    bool createTexture() override { return true; }
    platform::Surface* createBackBuffer() override { return nullptr; }
    void present() override {}
    void close() override {}
};

}  // namespace glintwake
