#include "app/SteppedGame.h"

#include <utility>

#include "app/FrameUpdate.h"
#include "app/Game.h"
#include "core/Random.h"
#include "world/GameState.h"

namespace glintwake {

namespace {
// A failed start-up must not look like success to a launcher or a script.
constexpr int StartupFailureStatus = 1;
}  // namespace

SteppedGame::SteppedGame(platform::Platform& platform, FrameFunction frame, double longestWatchSeconds)
    : platform_(platform), frame_(std::move(frame)), longestWatchSeconds_(longestWatchSeconds) {}

SteppedGame::~SteppedGame() {
    if (started_ && !finished_) finish();
}

bool SteppedGame::start(std::optional<uint32_t> seed) {
    started_ = true;
    seedRandom(seed.has_value() ? *seed : platform_.clock().milliseconds());
    if (!initialize(platform_)) return false;
    schedule_.emplace(platform_.clock());
    comforts_.emplace(platform_);
    loop_.emplace(platform_.display(), platform_.keyboard(), *schedule_, frame_, &*comforts_);
    return true;
}

bool SteppedGame::advance() {
    if (!running()) return false;
    for (;;) {
        switch (loop_->turn()) {
            case LoopTurn::Quit:
                quit_ = true;
                return false;
            case LoopTurn::Frame:
            case LoopTurn::Paused:
                return true;
            case LoopTurn::Idle:
                if (!dueSoon()) return true;  // the host's next call comes first
                break;
            case LoopTurn::Event:
            case LoopTurn::NoFrame:
                break;
        }
    }
}

bool SteppedGame::dueSoon() {
    const int64_t now = schedule_->now();
    if (schedule_->isDue(now)) return true;
    const double untilDue =
        static_cast<double>(schedule_->getNextFrameTime() - now) * schedule_->getSecondsPerTick();
    return untilDue <= longestWatchSeconds_;
}

void SteppedGame::runToQuit() {
    if (!running()) return;
    while (loop_->turn() != LoopTurn::Quit) {
    }
    quit_ = true;
}

int SteppedGame::finish() {
    finished_ = true;
    int status = loop_.has_value() ? loop_->exitStatus() : StartupFailureStatus;
    loop_.reset();
    comforts_.reset();
    schedule_.reset();
    // A new game that could not be made ends the run like a failed start-up.
    if (g_errorMessage != nullptr) status = StartupFailureStatus;
    shutdown();
    return status;
}

}  // namespace glintwake
