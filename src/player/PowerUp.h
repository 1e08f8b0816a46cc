#pragma once
// A collectable item left by a destroyed enemy: falls straight down and gives its
// reward to the player on touch, or is lost at the screen's edge.
#include <cstdint>

#include "core/GameObject.h"

namespace glintwake {

// What a power-up gives. Money comes twice: the last enemy of a wave drops it as
// kind 0, the others now and then drop a coin, which has its own picture.
enum PowerUpKind : int32_t {
    MoneyKind = 0,
    ArcShotAmmoKind = 1,
    MissileAmmoKind = 2,
    EnergyCannonAmmoKind = 3,
    ArcShotLevelKind = 4,
    MissileLevelKind = 5,
    EnergyCannonLevelKind = 6,
    HealthKind = 7,
    ShieldKind = 8,
    InvulnerabilityKind = 9,
    LaserSpeedKind = 10,
    CoinKind = 11,
};

constexpr double PowerUpFallSpeed = 250.0;

class PowerUp : public GameObject {
public:
    PowerUp(double x, double y, int32_t kind, int32_t amount, int32_t listIndex);

    void update(double dt) override;

    int32_t getKind() const { return kind; }
    int32_t getAmount() const { return amount; }

private:
    // Gives the reward to the ship on touch.
    bool touchTarget() override;

    int32_t kind;
    int32_t amount;
};

}  // namespace glintwake
