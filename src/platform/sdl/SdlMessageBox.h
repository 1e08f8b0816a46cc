#pragma once
// The "OK" box for a start-up failure: SDL's own box, else our message window.
// The text goes to standard error first, for a player at a terminal or on a
// machine where no box can be shown.
#include "platform/Platform.h"

namespace platform {

class SdlMessageBox final : public MessageBox {
public:
    void show(const char* caption, const char* text) override;
};

}  // namespace platform
