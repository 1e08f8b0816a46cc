#include "platform/web/WebGamepads.h"

#include <emscripten/emscripten.h>

#include <algorithm>
#include <cmath>

namespace platform {
namespace {

constexpr int MaxPads = 4;
constexpr int MaxButtons = 17;
constexpr int MaxAxes = 4;
constexpr double FullAxis = 32767.0;
// What one pad's reading takes in the buffer the page fills: buttons, then the
// two trigger values, then the axes.
constexpr int ValuesPerPad = MaxButtons + 2 + MaxAxes;

// Fills `values` (ValuesPerPad numbers a pad) for every connected standard pad;
// returns how many pads it wrote.
EM_JS(int, readBrowserGamepads, (double* values, int maxPads, int maxButtons, int maxAxes), {
    if (!navigator.getGamepads) return 0;
    var pads = navigator.getGamepads();
    var count = 0;
    var stride = maxButtons + 2 + maxAxes;
    for (var i = 0; i < pads.length && count < maxPads; ++i) {
        var pad = pads[i];
        if (!pad || !pad.connected) continue;
        var base = (values >> 3) + count * stride;
        for (var b = 0; b < maxButtons; ++b) {
            var button = pad.buttons[b];
            HEAPF64[base + b] = button && button.pressed ? 1 : 0;
        }
        HEAPF64[base + maxButtons] = pad.buttons[6] ? pad.buttons[6].value : 0;
        HEAPF64[base + maxButtons + 1] = pad.buttons[7] ? pad.buttons[7].value : 0;
        for (var a = 0; a < maxAxes; ++a) HEAPF64[base + maxButtons + 2 + a] = pad.axes[a] || 0;
        ++count;
    }
    return count;
});

int16_t onDesktopScale(double value) {
    return static_cast<int16_t>(std::lround(std::clamp(value, -1.0, 1.0) * FullAxis));
}

}  // namespace

PadReading padReadingFromBrowser(const bool* standardButtons, int buttonCount, const double* axes,
                                 int axisCount, double leftTrigger, double rightTrigger) {
    PadReading reading;
    for (int b = 0; b < PadButtonCount; ++b) {
        const int standard = StandardButtonFor[b];
        reading.buttons[b] =
            standard != NoStandardButton && standard < buttonCount && standardButtons[standard];
    }
    if (axisCount > 0) reading.leftX = onDesktopScale(axes[0]);
    if (axisCount > 1) reading.leftY = onDesktopScale(axes[1]);
    reading.leftTrigger = onDesktopScale(leftTrigger);
    reading.rightTrigger = onDesktopScale(rightTrigger);
    return reading;
}

void WebGamepads::addKeys(uint8_t* keys) {
    double values[MaxPads * ValuesPerPad] = {};
    const int pads = readBrowserGamepads(values, MaxPads, MaxButtons, MaxAxes);
    previous_.resize(static_cast<size_t>(pads));
    for (int p = 0; p < pads; ++p) {
        const double* base = values + p * ValuesPerPad;
        bool buttons[MaxButtons] = {};
        for (int b = 0; b < MaxButtons; ++b) buttons[b] = base[b] != 0.0;
        const PadReading reading = padReadingFromBrowser(buttons, MaxButtons, base + MaxButtons + 2, MaxAxes,
                                                         base[MaxButtons], base[MaxButtons + 1]);
        PadReading& before = previous_[static_cast<size_t>(p)];
        for (int b = 0; b < PadButtonCount; ++b) {
            const uint8_t code = padPressKey(static_cast<PadButton>(b));
            if (code != 0 && reading.buttons[b] && !before.buttons[b])
                input_.push(Event{EventType::KeyPress, code});
        }
        before = reading;
        addPadKeys(reading, keys);
    }
}

}  // namespace platform
