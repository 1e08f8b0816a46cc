#pragma once
// Whether the game is paused and whether the key help is shown over the paused
// picture. Others (sound, for one) follow it through a listener.
#include <functional>

namespace glintwake {

class Pause {
public:
    // Called with the new state each time the game pauses or goes on.
    using Listener = std::function<void(bool paused)>;
    void setListener(Listener listener) { listener_ = std::move(listener); }

    bool isPaused() const { return paused_; }
    bool showsHelp() const { return help_; }

    void pause() { setPaused(true); }
    // Going on also closes the help.
    void resume();
    void toggle() { paused_ ? resume() : pause(); }
    // The help is shown over the paused picture, so it pauses first.
    void showHelp();
    void closeHelp() { help_ = false; }

private:
    void setPaused(bool paused);

    bool paused_ = false;
    bool help_ = false;
    Listener listener_;
};

}  // namespace glintwake
