#pragma once
// Game pads through the browser's Gamepad API, read once a frame: held buttons
// and the stick go into the key state with the same mapping as on the desktop,
// and Start and Back presses also arrive as key presses (pause, new game).
#include <cstdint>
#include <vector>

#include "platform/PadMapping.h"
#include "platform/web/WebInput.h"

namespace platform {

// The standard gamepad layout's button numbers, in the order of PadButton.
constexpr int NoStandardButton = -1;
constexpr int StandardButtonFor[PadButtonCount] = {0, 1, 2, 3, 8, 16, 9, 10, 11, 4, 5, 12, 13, 14, 15};
// Standard triggers are buttons 6 and 7 with a value from 0 to 1.
constexpr int StandardLeftTrigger = 6;
constexpr int StandardRightTrigger = 7;

// A reading on the browser's scale (axes and trigger values from -1 to 1) put on
// the desktop's, so the dead zone and the trigger threshold are the same.
PadReading padReadingFromBrowser(const bool* standardButtons, int buttonCount, const double* axes,
                                 int axisCount, double leftTrigger, double rightTrigger);

class WebGamepads {
public:
    explicit WebGamepads(WebInput& input) : input_(input) {}

    // Reads every connected pad, queues presses of Start and Back, and adds the
    // keys the pads hold.
    void addKeys(uint8_t* keys);

private:
    WebInput& input_;
    std::vector<PadReading> previous_;
};

}  // namespace platform
