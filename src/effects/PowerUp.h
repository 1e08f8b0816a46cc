#pragma once
// A collectable item left by a destroyed enemy: falls straight down and gives its
// reward to the player on touch, or is lost at the screen's edge.
#include <cstdint>

#include "core/GameObject.h"

namespace glintwake {

constexpr int32_t PowerUpMoneyKind = 0;
constexpr int32_t CoinKind = 11;
constexpr double PowerUpFallSpeed = 250.0;

class PowerUp : public GameObject {
public:
    PowerUp(double x, double y, int32_t kind, int32_t amount, int32_t listIndex);

    void update(double dt) override;

    int32_t getKind() const { return kind; }
    int32_t getAmount() const { return amount; }

private:
    int32_t kind;
    int32_t amount;
};

}  // namespace glintwake
