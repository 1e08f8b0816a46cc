#pragma once
// The homing missile: locks onto the enemy nearest in x, follows it through list
// changes and re-locks when it is gone.
#include <cstdint>

#include "core/GameObject.h"

namespace glintwake {

constexpr double MissileSpeed = 700.0;
constexpr int32_t MissileDamage = 50;

class Missile : public Projectile {
public:
    Missile(double x, double y, int32_t level, int32_t listIndex);

    void update(double dt) override;

    void acquireTarget();
    void refindTarget();

    int32_t getTargetId() const { return targetId; }
    int32_t getTargetIndex() const { return targetIndex; }

private:
    // Clears the lock-on flag of the enemy the missile follows, if any.
    void clearLock();
    void leaveScreen() override { clearLock(); }
    // Finds the target again after list changes; replaces a dead one.
    void keepLock();
    // Keeps the lock, then steers toward the target.
    void followTarget(double dt) override;
    // Damages the first enemy touched and ends the missile; false when none is.
    bool touchTarget() override;

    int32_t targetId = -1;
    int32_t targetIndex = -1;
    int32_t steerLevel = 0;
};

}  // namespace glintwake
