#pragma once
// One ship of a wave: sweeps and bounces, bobs on a sine curve, fires at the
// player, and explodes (maybe dropping a power-up) once its hit points go below 0.
#include <cstdint>

#include "core/GameObject.h"

namespace glintwake {

constexpr int32_t EnemyHitPoints = 20;

class Enemy : public GameObject {
public:
    Enemy(int32_t waveNumber, int32_t index);

    void update(double dt) override;

    void applyDamage(int32_t amount) { hitPoints -= amount; }
    int32_t getEnemyId() const { return enemyId; }
    void setLockedOn(bool flag) { lockedOn = flag; }
    bool isLockedOn() const { return lockedOn; }

    int32_t getHitPoints() const { return hitPoints; }

    // For tests: put the ship into a given state.
    void setBob(double period, double time) {
        bobPeriod = period;
        bobTime = time;
    }

private:
    void explode();
    void dropLoot();
    // Keeps the drawn ship between the screen sides, turning it back inward.
    int32_t clampToSides(int32_t sx, int32_t width);
    void fire(double dt);
    void draw(int32_t sx, int32_t sy, int32_t width, int32_t height) const;

    double fireCooldown = 0.0;
    int32_t enemyId = 0;
    int32_t laserLevel = 0;
    int32_t hitPoints = EnemyHitPoints;
    bool lockedOn = false;
    double bobPeriod = 0.0;
    double bobTime = 0.0;
};

}  // namespace glintwake
