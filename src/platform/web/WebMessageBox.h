#pragma once
// The page's message box: a box over the page with the caption, the text and an
// OK button, so a failed start-up never leaves a blank page. The text also goes
// to the console, as standard error does on the desktop.
#include "platform/Platform.h"

namespace platform {

class WebMessageBox final : public MessageBox {
public:
    void show(const char* caption, const char* text) override;
    bool shown() const { return shown_; }

private:
    bool shown_ = false;
};

}  // namespace platform
